// The error dialog's fixed English texts, shared by the dialog and the error
// protocol, which repeats the dialog's captions.
#pragma once

#include <array>

namespace morvane::errtext {

inline constexpr const char* CaptionSuffix = " - Error Message";
inline constexpr const char* DesignCaption = "ProgInfo - Error Message";  // replaced before every showing
inline constexpr const char* Comment = "Please report this error to - halvern ";

inline constexpr const char* FehlerFrame = "Error Description:";
inline constexpr std::array<const char*, 4> ErrTitel = {"Error No:", "Module:", "Procedure:", "Line No:"};

inline constexpr const char* ProtocolFrame = "Error Protocol...";
inline constexpr std::array<const char*, 4> ProtocolButtons = {"&Print", "&Save", "&EMail", "&WWW"};

inline constexpr const char* ContinueFrame = "How to continue ...";
inline constexpr std::array<const char*, 4> ContinueButtons = {"Repeat Command", "Goto Next Command",
                                                               "Exit Procedure", "Quit Application"};

inline constexpr const char* CallStackFrame = "CallStack:";

}  // namespace morvane::errtext
