// The error dialog: asks the user how a failing procedure goes on, and runs the
// protocol buttons while it waits. The tracer's ErrorResponder in the program.
#pragma once

#include "tracing/ErrPtnr.h"
#include "tracing/ErrorProtocol.h"
#include "tracing/qt/ErrorDialogWindow.h"

#include <QPointer>

namespace morvane {

class ErrorDialog : public ErrorResponder {
public:
    // owner: the window the dialog is modal over (none: the whole application).
    explicit ErrorDialog(ErrorProtocol& protocol, QWidget* owner = nullptr);
    ~ErrorDialog() override;
    ErrorDialog(const ErrorDialog&) = delete;
    ErrorDialog& operator=(const ErrorDialog&) = delete;

    // Shows the error modally and waits: the continue button chosen, or
    // nothing when the window was closed, which destroys it (the next error
    // creates it anew).
    std::optional<std::int16_t> ask(const ErrorReport& report) override;

    // The window while it exists (shown, or hidden after a choice).
    ErrorDialogWindow* window() const { return window_.data(); }
    void setOwner(QWidget* owner) { owner_ = owner; }

private:
    void cmdProtocol_Click(std::int16_t Index);

    ErrorProtocol& protocol_;
    QPointer<QWidget> owner_;
    QPointer<ErrorDialogWindow> window_;
    ErrorReport shown_;
};

}  // namespace morvane
