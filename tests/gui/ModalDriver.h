// Drives modal dialogs from a Qt test without ever blocking it: a poll timer
// waits in the event loop for a modal widget to come up and runs the next
// scripted step on it. A modal widget still open when the script has run out
// for two seconds is rejected, so that a faulty test fails instead of hanging.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace morvane::testing {

class ModalDriver {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalDriver()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }

    // Each step runs once, on the modal widget on top at that moment.
    ModalDriver& then(Step step)
    {
        steps_.push_back(std::move(step));
        return *this;
    }

    // What ends a modal widget left open; rejecting it unless a test says
    // otherwise.
    void onTimeout(Step rescue) { rescue_ = std::move(rescue); }

    bool allStepsRan() const { return steps_.empty(); }
    int stepsRun() const { return ran_; }
    bool hadToRescue() const { return rescued_; }

private:
    void tick()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            idle_.invalidate();
            return;
        }
        if (!steps_.empty()) {
            Step step = std::move(steps_.front());
            steps_.pop_front();
            ++ran_;
            idle_.invalidate();
            step(modal);
            return;
        }
        if (!idle_.isValid())
            idle_.start();
        else if (idle_.elapsed() > 2000) {
            rescued_ = true;
            idle_.invalidate();
            if (rescue_)
                rescue_(modal);
            else if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        }
    }

    QTimer timer_;
    std::deque<Step> steps_;
    Step rescue_;
    QElapsedTimer idle_;
    int ran_ = 0;
    bool rescued_ = false;
};

}  // namespace morvane::testing
