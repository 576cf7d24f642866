// Greying an input that does not apply: a text box or list is disabled and gets
// the button-face background; enabling it restores the window background (the
// system colours &H8000000F and &H80000005, Qt's palette roles Button and
// Base). Labels, option buttons and check boxes are only enabled or disabled.
#pragma once

#include <QColor>

class QWidget;

namespace morvane {

void setInputEnabled(QWidget* input, bool enabled);

// The background alone, as the greying sets it (a list's face too).
void setInputBackground(QWidget* input, const QColor& colour);

// The background an input shows now.
QColor inputBackground(const QWidget* input);

}  // namespace morvane
