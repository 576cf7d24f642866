// The error dialog's window: the error on display, the protocol buttons and
// the continue buttons, laid out in twips as designed.
#pragma once

#include "tracing/ErrPtnr.h"

#include <QDialog>

#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace morvane {

class ErrorDialogWindow : public QDialog {
    Q_OBJECT

public:
    explicit ErrorDialogWindow(QWidget* owner = nullptr);

    // Caption and the four value labels.
    void showError(const ErrorReport& report);
    // Lays the frames out one below the other, shows the continue buttons whose
    // bit is set in ContBits (1 Repeat, 2 Next, 4 Exit, 8 Quit), sizes the window
    // to the frames and centres it on the screen.
    void ArrangeFrames(std::int16_t ContBits);
    // Fills the (hidden) trace list with the tracer's entries.
    void FillCallStackList(const std::deque<std::string>& colCallStack);
    std::vector<std::string> callStackItems() const;

    // The continue button clicked since the last showing; nothing when the
    // window was closed instead.
    std::optional<std::int16_t> choice() const { return choice_; }
    void clearChoice() { choice_.reset(); }

signals:
    void protocolClicked(std::int16_t index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void centre();
    void cmdContinue_Click(std::int16_t Index);

    QGroupBox* framComment_;
    QGroupBox* framFehler_;
    QGroupBox* framProtocol_;
    QGroupBox* framContinue_;
    QGroupBox* framCallStack_;
    QLabel* lblComment_;
    std::array<QLabel*, 4> lblErrTitel_{};
    std::array<QLabel*, 4> lblError_{};
    std::array<QPushButton*, 4> cmdProtocol_{};
    std::array<QPushButton*, 4> cmdContinue_{};
    QListWidget* lstCallStack_;
    std::optional<std::int16_t> choice_;
};

}  // namespace morvane
