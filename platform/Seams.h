// Stands for the operating-system facilities the program uses besides message
// boxes: file dialogs, opening a document with its default program, the
// clipboard, the per-user settings store, the clock and the system description.
// The program implements them with Qt (platform/qt); tests use recording fakes.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

// Opens a file, a folder or a URL (also "mailto:") with the desktop's default
// handler; false when nothing could be started.
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

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

// The per-user settings store: string values by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> value(const std::string& application, const std::string& section,
                                             const std::string& key) const = 0;
    // False when the value could not be stored (the file or its folder may not
    // be written, a folder stands where the file belongs).
    virtual bool setValue(const std::string& application, const std::string& section, const std::string& key,
                          const std::string& value) = 0;
    // Where an application's settings are kept, as a message names it.
    virtual std::string fileName(const std::string& application) const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::system_clock::time_point now() const = 0;
};

// What the error protocol says about the machine.
struct OsDescription {
    std::string systemName;  // for example "Linux"
    int majorVersion = 0;
    int minorVersion = 0;
    int buildNumber = 0;
    std::string extra;  // release text of the kernel or the distribution
};

class OsInfo {
public:
    virtual ~OsInfo() = default;
    virtual OsDescription describe() const = 0;
};

}  // namespace morvane
