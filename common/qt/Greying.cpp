#include "common/qt/Greying.h"

#include <QApplication>
#include <QComboBox>
#include <QPalette>
#include <QWidget>

namespace morvane {

void setInputBackground(QWidget* input, const QColor& colour)
{
    QPalette p = input->palette();
    p.setColor(QPalette::All, QPalette::Base, colour);
    // A drop-down list without an editable part draws its face with the
    // Button role.
    if (qobject_cast<QComboBox*>(input))
        p.setColor(QPalette::All, QPalette::Button, colour);
    input->setPalette(p);
}

void setInputEnabled(QWidget* input, bool enabled)
{
    const QPalette system = QApplication::palette(input);
    input->setEnabled(enabled);
    setInputBackground(input, enabled ? system.color(QPalette::Active, QPalette::Base)
                                      : system.color(QPalette::Active, QPalette::Button));
}

QColor inputBackground(const QWidget* input)
{
    return input->palette().color(input->isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Base);
}

}  // namespace morvane
