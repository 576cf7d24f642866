#include "common/DocumentOpen.h"

#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "tracing/Guard.h"

namespace morvane {

std::string documentNotOpenedMessage(const std::string& path, std::int32_t sprachOffset)
{
    return resText(1982, sprachOffset) + "\r" + path + "\r" + resText(1983, sprachOffset);
}

void openDocument(ShellOpen& shell, MessageBoxSink& messages, const std::string& path,
                  const std::int32_t& sprachOffset)
{
    shell.openDocument(path, [&messages, path, &sprachOffset] {
        // Runs from the event loop, outside the procedure that opened the file.
        Guard g("modShell", "ShowDocumentNotOpened", "Private Sub ShowDocumentNotOpened(vrlPath As String)",
                {{"vrlPath", path}});
        g.step([&] {
            messages.show({documentNotOpenedMessage(path, sprachOffset), kProgramTitle, MessageIcon::Exclamation,
                           MessageButtons::Ok});
        });
    });
}

}  // namespace morvane
