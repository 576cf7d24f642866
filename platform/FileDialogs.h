// The file dialogs of Open and Save As. The program shows Qt's
// (platform/qt/QtFileDialogs.h); tests answer with a recording fake.
#pragma once

#include <optional>
#include <string>

namespace morvane {

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Both return the chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> openFile(const std::string& caption, const std::string& folder,
                                                const std::string& filter) = 0;
    virtual std::optional<std::string> saveFile(const std::string& caption, const std::string& folder,
                                                const std::string& filter) = 0;
};

}  // namespace morvane
