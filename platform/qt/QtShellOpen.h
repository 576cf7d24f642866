// Opening a file, a folder or a URL ("mailto:", "https:") with the desktop's
// default handler, by QDesktopServices; and opening a document by starting the
// desktop's opener xdg-open, whose exit status tells whether a program took the
// document (QDesktopServices only tells that the opener started).
#pragma once

#include "platform/ShellOpen.h"

#include <QUrl>

#include <memory>

class QObject;

namespace morvane {

class QtShellOpen : public ShellOpen {
public:
    QtShellOpen();
    // An opener still running is ended; its outcome is no longer reported.
    ~QtShellOpen() override;
    QtShellOpen(const QtShellOpen&) = delete;
    QtShellOpen& operator=(const QtShellOpen&) = delete;

    bool open(const std::string& target) override;
    // Starts xdg-open (found on PATH) on the path without waiting for it:
    // `failed` runs when it cannot be started (at once), or when it exits with
    // a status other than 0 or crashes (from the event loop).
    void openDocument(const std::string& path, std::function<void()> failed) override;

    // A target with a scheme of two or more letters is a URL; anything else is
    // a local path.
    static QUrl urlOf(const std::string& target);

private:
    std::unique_ptr<QObject> openers_;  // the parent of the running openers
};

}  // namespace morvane
