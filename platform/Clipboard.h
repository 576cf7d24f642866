// The system clipboard's text. The program uses Qt's (platform/qt/QtClipboard.h);
// tests keep the text in a fake.
#pragma once

#include <string>

namespace morvane {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() const = 0;
};

}  // namespace morvane
