// Stands for the system message box: a text, a caption, an icon and a set of
// buttons, answered by the button the user pressed.
#pragma once

#include <string>

namespace morvane {

enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    std::string text;
    std::string caption;  // empty: the program title is shown
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageBoxSink {
public:
    virtual ~MessageBoxSink() = default;
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

}  // namespace morvane
