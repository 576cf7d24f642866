#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace morvane {

void QtClipboard::setText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
}

std::string QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text().toStdString();
}

}  // namespace morvane
