// Labels that show user or state texts (a TAG, a medium name, remarks, the
// settings) are plain text: a "<b>" typed by the user stays "<b>".
#pragma once

#include <QLabel>
#include <QString>

namespace morvane {

inline QLabel* plainLabel(QWidget* parent, const char* objectName, const QString& text = {})
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

}  // namespace morvane
