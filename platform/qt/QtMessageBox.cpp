#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace morvane {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The buttons in their order on the box; the first is the default.
QList<QMessageBox::StandardButton> qtButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return {QMessageBox::Ok, QMessageBox::Cancel};
    case MessageButtons::YesNo: return {QMessageBox::Yes, QMessageBox::No};
    case MessageButtons::YesNoCancel: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MessageButtons::RetryCancel: return {QMessageBox::Retry, QMessageBox::Cancel};
    case MessageButtons::Ok: break;
    }
    return {QMessageBox::Ok};
}

MessageAnswer answerOf(int button, MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Retry: return MessageAnswer::Retry;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: break;
    }
    // Closed without a button: the box's escape answer.
    switch (buttons) {
    case MessageButtons::Ok: return MessageAnswer::Ok;
    case MessageButtons::YesNo: return MessageAnswer::No;
    default: return MessageAnswer::Cancel;
    }
}

}  // namespace

QtMessageBox::QtMessageBox(std::string programTitle, QWidget* parent)
    : programTitle_(std::move(programTitle)), parent_(parent)
{
}

MessageAnswer QtMessageBox::show(const MessageRequest& request)
{
    QWidget* parent = parent_.data();
    if (parent == nullptr)
        parent = QApplication::activeModalWidget();
    if (parent == nullptr)
        parent = QApplication::activeWindow();

    QString title = QString::fromStdString(request.caption);
    if (title.isEmpty())
        title = programTitle_.empty() ? QGuiApplication::applicationDisplayName()
                                      : QString::fromStdString(programTitle_);
    // Message texts break their lines with CR LF, or with a CR alone.
    QString text = QString::fromStdString(request.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(qtIcon(request.icon), title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    const auto buttons = qtButtons(request.buttons);
    for (const auto b : buttons)
        box.addButton(b);
    box.setDefaultButton(buttons.front());
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return answerOf(clicked != nullptr ? box.standardButton(clicked) : QMessageBox::NoButton, request.buttons);
}

}  // namespace morvane
