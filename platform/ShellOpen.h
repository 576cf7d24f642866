// Opening a file, a folder or a URL with the desktop's default handler. The
// program uses Qt's desktop services (platform/qt/QtShellOpen.h); tests record
// what was opened.
#pragma once

#include <functional>
#include <string>

namespace morvane {

class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    virtual bool open(const std::string& target) = 0;
    // Opens a document (a drawing, the help page) with the desktop's opener and
    // watches how the opener ends: `failed` runs when it cannot be started or
    // ends with failure (no program for the file), possibly later, from the
    // event loop; never after the opener itself is gone.
    virtual void openDocument(const std::string& path, std::function<void()> failed) = 0;
};

}  // namespace morvane
