// What the files of the main window's input pages share: the module name under
// which their procedures register and the one way a text goes into a box.
#pragma once

#include <QLineEdit>
#include <QString>

#include <string>

namespace morvane {

inline constexpr const char* kModule = "frmMain";

// A text written into a box is shown from its start, as typed: QLineEdit
// would put the cursor at the end and show a long number's tail (a bore of
// 170.854109316157 read as "70.854109316157"). Every box the program fills
// goes through here.
inline void setText(QLineEdit* b, const std::string& t)
{
    b->setText(QString::fromStdString(t));
    b->setCursorPosition(0);
}

}  // namespace morvane
