// Opening a document of the program folder (a dimension drawing, the help
// page) for the user to see.
#pragma once

#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"

#include <cstdint>
#include <string>

namespace morvane {

// The message for a document that no program opened: text 1982, a carriage
// return, the path, a carriage return, text 1983.
std::string documentNotOpenedMessage(const std::string& path, std::int32_t sprachOffset);

// Hands the document to the desktop's opener; where the opener cannot be
// started or ends with failure (no program for the file), the message above,
// in the language in force when it comes (`sprachOffset` is read then). The
// message may come later, from the event loop: `shell`, `messages` and
// `sprachOffset` must live as long as the program.
void openDocument(ShellOpen& shell, MessageBoxSink& messages, const std::string& path,
                  const std::int32_t& sprachOffset);

}  // namespace morvane
