// The system clipboard, by QGuiApplication::clipboard(), holding plain text.
#pragma once

#include "platform/Clipboard.h"

namespace morvane {

class QtClipboard : public Clipboard {
public:
    // Clears the clipboard, then puts the text on it.
    void setText(const std::string& text) override;
    std::string text() const override;
};

}  // namespace morvane
