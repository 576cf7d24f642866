// Finds the texts of a window that its controls cut off: a push button, check
// box or single-line label whose text needs more room than the control has, a
// word-wrapping label whose lines need more room, labels on top of each
// other, and an input box that shows a long text's tail instead of its start.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
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

// The word-wrapping labels of a window that cut their text: a word wider than
// the label, or more lines than its height holds (a label clips what does not
// fit; the cut line would otherwise stand over the next row).
inline QStringList wrappedTextsCut(const QWidget* window)
{
    QStringList cut;
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->text().isEmpty() || !l->wordWrap() || !l->pixmap().isNull())
            continue;
        const QRect room = l->contentsRect();
        const QRect needs = l->fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000),
                                                          int(l->alignment()) | Qt::TextWordWrap, l->text());
        if (needs.width() > room.width() || needs.height() > room.height())
            cut << QStringLiteral("%1 \"%2\" needs %3x%4 px, has %5x%6")
                       .arg(l->objectName(), l->text())
                       .arg(needs.width())
                       .arg(needs.height())
                       .arg(room.width())
                       .arg(room.height());
    }
    return cut;
}

// Pairs of visible labels whose texts, where they are painted inside their
// labels, overlap in the window.
inline QStringList overlappingLabels(const QWidget* window)
{
    struct Painted {
        const QLabel* label;
        QRect area;  // in the window
    };
    QList<Painted> shown;
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->text().trimmed().isEmpty() || !l->pixmap().isNull())
            continue;
        const QRect room = l->contentsRect();
        const int flags = int(l->alignment()) | (l->wordWrap() ? int(Qt::TextWordWrap) : 0);
        const QRect text = l->fontMetrics().boundingRect(room, flags, l->text()).intersected(l->rect());
        shown.push_back({l, text.translated(l->mapTo(window, QPoint()))});
    }
    QStringList pairs;
    for (qsizetype i = 0; i < shown.size(); ++i)
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (shown[i].area.intersects(shown[j].area))
                pairs << QStringLiteral("\"%1\" (%2) on \"%3\" (%4)")
                             .arg(shown[i].label->text(), shown[i].label->objectName(), shown[j].label->text(),
                                  shown[j].label->objectName());
    return pairs;
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
