// Opening a file, a folder or a URL ("mailto:", "https:") with the desktop's
// default handler, by QDesktopServices.
#pragma once

#include "platform/Seams.h"

#include <QUrl>

namespace morvane {

class QtShellOpen : public ShellOpen {
public:
    bool open(const std::string& target) override;

    // A target with a scheme of two or more letters is a URL; anything else is
    // a local path.
    static QUrl urlOf(const std::string& target);
};

}  // namespace morvane
