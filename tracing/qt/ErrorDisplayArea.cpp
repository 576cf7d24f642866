#include "tracing/qt/ErrorDisplayArea.h"

#include "platform/qt/Twips.h"

#include <QMouseEvent>

namespace morvane {

ErrorDisplayArea::ErrorDisplayArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgErrorDisplay"));
    setGeometry(twipsRect(180, 5280, 735, 495));
}

void ErrorDisplayArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit doubleClicked();
}

}  // namespace morvane
