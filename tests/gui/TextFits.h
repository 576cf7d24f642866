// Finds the texts of a window that its controls cut off: a push button, check
// box or single-line label whose text needs more room than the control has.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QWidget>

namespace morvane::testing {

inline QStringList clippedTexts(const QWidget* window)
{
    QStringList clipped;
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(window) || b->text().isEmpty())
            continue;
        if (b->sizeHint().width() > b->width())
            clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                           .arg(b->objectName(), b->text())
                           .arg(b->sizeHint().width())
                           .arg(b->width());
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->text().isEmpty() || l->wordWrap() || !l->pixmap().isNull())
            continue;
        const int needs = l->fontMetrics().horizontalAdvance(l->text()) + 2 * l->frameWidth() + 2 * l->margin();
        if (needs > l->contentsRect().width() + 2 * l->frameWidth())
            clipped << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                           .arg(l->objectName(), l->text())
                           .arg(needs)
                           .arg(l->width());
    }
    return clipped;
}

}  // namespace morvane::testing
