#include "mainwindow/qt/ValueEntryBinding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>

namespace morvane {

namespace {

// UTF-16 position of character `chars` of s, and back.
int unitsOf(const QString& s, int chars)
{
    int units = 0;
    for (int c = 0; c < chars && units < s.size(); ++c)
        units += s.at(units).isHighSurrogate() && units + 1 < s.size() ? 2 : 1;
    return units;
}

// Tells the end of a mouse press anywhere in the program, once.
class ReleaseWatch : public QObject {
public:
    ReleaseWatch(std::function<void()> released, QObject* parent) : QObject(parent), released_(std::move(released)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            QApplication::instance()->removeEventFilter(this);
            // After the release has reached its receiver (a button's click runs
            // on it).
            QMetaObject::invokeMethod(this, released_, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> released_;
};

int charsOf(const QString& s, int units)
{
    int chars = 0;
    for (int u = 0; u < units && u < s.size(); ++chars)
        u += s.at(u).isHighSurrogate() && u + 1 < s.size() ? 2 : 1;
    return chars;
}

}  // namespace

std::string LineEditEntryBox::text() const { return edit_ ? edit_->text().toStdString() : std::string(); }

void LineEditEntryBox::setText(const std::string& text)
{
    // QLineEdit reports a change only when the text differs, and at once: the
    // change handling runs nested in this call.
    if (edit_)
        edit_->setText(QString::fromStdString(text));
}

int LineEditEntryBox::selStart() const
{
    if (!edit_)
        return 0;
    const int units = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    return charsOf(edit_->text(), units);
}

void LineEditEntryBox::setSelStart(int caret)
{
    if (edit_)
        edit_->setCursorPosition(unitsOf(edit_->text(), std::max(caret, 0)));
}

int LineEditEntryBox::selLength() const
{
    if (!edit_ || !edit_->hasSelectedText())
        return 0;
    const QString t = edit_->text();
    const int start = edit_->selectionStart();
    return charsOf(t, start + edit_->selectedText().size()) - charsOf(t, start);
}

void LineEditEntryBox::setSelLength(int length)
{
    if (!edit_)
        return;
    const QString t = edit_->text();
    const int start = edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
    const int end = unitsOf(t, charsOf(t, start) + std::max(length, 0));
    if (end > start)
        edit_->setSelection(start, end - start);
    else
        edit_->setCursorPosition(start);
}

std::uint32_t LineEditEntryBox::backColor() const
{
    if (!edit_)
        return EntryWhite;
    const QColor c = edit_->palette().color(QPalette::Active, QPalette::Base);
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8 |
           static_cast<std::uint32_t>(c.blue()) << 16;
}

void LineEditEntryBox::setBackColor(std::uint32_t color)
{
    if (!edit_)
        return;
    QPalette p = edit_->palette();
    p.setColor(QPalette::All, QPalette::Base,
               QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                      static_cast<int>((color >> 16) & 0xFF)));
    edit_->setPalette(p);
}

void LineEditEntryBox::setFocus()
{
    if (edit_)
        edit_->setFocus(Qt::OtherFocusReason);
}

ValueEntryBinding::ValueEntryBinding(ConfigZustand& config, const std::int32_t& sprachOffset,
                                     MessageBoxSink& messages, std::function<void(int)> rebuild, QObject* parent)
    : QObject(parent),
      entry_({config, sprachOffset, messages, [this](int i) { return box(i); }, std::move(rebuild)})
{
    // A command that ran on the click has checked the box already.
    releaseWatch_ = new ReleaseWatch([this] { leavePending(); }, this);
}

void ValueEntryBinding::bind(int index, QLineEdit* box)
{
    if (index < 0 || !box)
        return;
    const auto i = static_cast<std::size_t>(index);
    if (boxes_.size() <= i) {
        boxes_.resize(i + 1);
        edits_.resize(i + 1);
    }
    boxes_[i] = std::make_unique<LineEditEntryBox>(box);
    edits_[i] = box;
    box->setProperty("valueEntryIndex", index);
    box->installEventFilter(this);
    QObject::connect(box, &QLineEdit::textChanged, this,
                     [this, index] { entry_.txtValueEntry_Change(static_cast<std::int16_t>(index)); });
    // Enter leaves the value as the user means it: the check, the focus stays.
    QObject::connect(box, &QLineEdit::returnPressed, this, [this, index] { leave(index); });
}

bool ValueEntryBinding::shown(int index) const
{
    const auto i = static_cast<std::size_t>(index);
    return index >= 0 && i < edits_.size() && edits_[i] && edits_[i]->isVisible();
}

void ValueEntryBinding::leave(int index) { entry_.txtValueEntry_LostFocus(static_cast<std::int16_t>(index)); }

void ValueEntryBinding::leavePending()
{
    const int index = pending_;
    pending_ = -1;
    // A box the click's command has hidden meanwhile is dropped, not left.
    if (shown(index))
        leave(index);
}

void ValueEntryBinding::leaveFocusedBox()
{
    if (pending_ >= 0) {
        leavePending();
        return;
    }
    if (shown(focused_))
        leave(focused_);
}

EntryBox* ValueEntryBinding::box(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= boxes_.size())
        return nullptr;
    return boxes_[static_cast<std::size_t>(index)].get();
}

bool ValueEntryBinding::eventFilter(QObject* watched, QEvent* event)
{
    const QVariant index = watched->property("valueEntryIndex");
    if (!index.isValid())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        focused_ = index.toInt();
    } else if (event->type() == QEvent::FocusOut) {
        // The focus going to a window or popup of the program (a message box, a
        // list's drop-down, the menu) or to another application is no leaving
        // of the box: it comes back to it. Nor is the focus the program moves on
        // when it hides the box (a model loaded by an opened file, File New):
        // the box's text is dropped, and the field records may already hold the
        // next model's fields.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto* box = qobject_cast<QWidget*>(watched);
        const bool hidden = !box || !box->isVisible();
        if (hidden) {
            focused_ = -1;
        } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                   reason != Qt::MenuBarFocusReason) {
            focused_ = -1;
            // The focus is already on the control the user went to.
            if (reason == Qt::MouseFocusReason && qobject_cast<QAbstractButton*>(QApplication::focusWidget())) {
                pending_ = index.toInt();
                QApplication::instance()->installEventFilter(releaseWatch_);
            } else {
                leave(index.toInt());
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace morvane
