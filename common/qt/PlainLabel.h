// Labels that show user or state texts (a TAG, a medium name, remarks, the
// settings) are plain text: a "<b>" typed by the user stays "<b>".
#pragma once

#include <QLabel>
#include <QRect>
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

// A plain label of the about and splash windows: wrapped, top left, at `twips`
// (already in pixels, see twipsRect), with the resource id `tag` (nullptr for
// none) that LoadResstrings fills it from.
inline QLabel* taggedLabel(QWidget* parent, const char* objectName, const char* tag, QRect twips,
                           const QString& design = {})
{
    QLabel* l = plainLabel(parent, objectName, design);
    if (tag)
        l->setProperty("Tag", QString::fromLatin1(tag));
    l->setGeometry(twips);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace morvane
