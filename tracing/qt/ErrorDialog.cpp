#include "tracing/qt/ErrorDialog.h"

#include <QApplication>
#include <QGuiApplication>

namespace morvane {

ErrorDialog::ErrorDialog(ErrorProtocol& protocol, QWidget* owner) : protocol_(protocol), owner_(owner) {}

ErrorDialog::~ErrorDialog()
{
    delete window_.data();
}

std::optional<std::int16_t> ErrorDialog::ask(const ErrorReport& report)
{
    if (window_.isNull()) {
        window_ = new ErrorDialogWindow(owner_.data());
        QObject::connect(window_.data(), &ErrorDialogWindow::protocolClicked, window_.data(),
                         [this](std::int16_t index) { cmdProtocol_Click(index); });
    }
    shown_ = report;
    ErrorDialogWindow* w = window_.data();
    w->showError(report);
    // The pointer goes back to the arrow: a busy pointer set by the failing
    // procedure would otherwise stay over the dialog.
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
    w->ArrangeFrames(report.contBits);
    QApplication::beep();
    w->clearChoice();
    w->exec();

    if (window_.isNull())
        return std::nullopt;  // destroyed with its owner meanwhile
    const std::optional<std::int16_t> chosen = w->choice();
    if (!chosen)
        delete w;  // closed by the window's close command
    return chosen;
}

void ErrorDialog::cmdProtocol_Click(std::int16_t Index)
{
    // Runs inside the dialog's event loop: nothing may escape into Qt. The
    // protocol reports its own failures in message boxes.
    try {
        protocol_.cmdProtocol_Click(Index, shown_, window_->callStackItems());
    } catch (...) {
    }
}

}  // namespace morvane
