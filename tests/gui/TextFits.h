// Finds the texts of a window that its controls cut off: a push button, check
// box or single-line label whose text needs more room than the control has,
// and an input box that shows a long text's tail instead of its start.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
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

// The input boxes of a window (named Text...) that do not show their text from
// its first character. A box scrolls its text to the cursor as it is painted,
// so the text's start is in sight only with the cursor at the start.
inline QStringList boxesNotShowingTheirStart(const QWidget* window)
{
    QStringList faults;
    for (QLineEdit* b : window->findChildren<QLineEdit*>()) {
        if (!b->objectName().startsWith(QStringLiteral("Text")) || b->text().isEmpty())
            continue;
        b->grab();  // painted, as on the screen
        if (b->cursorPosition() != 0 || b->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() > b->width() / 4)
            faults << QStringLiteral("%1 \"%2\" (cursor at %3)")
                          .arg(b->objectName(), b->text())
                          .arg(b->cursorPosition());
    }
    return faults;
}

}  // namespace morvane::testing
