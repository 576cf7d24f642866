// The system message box as a QMessageBox; without a caption it carries the
// program's title.
#pragma once

#include "platform/MessageBox.h"

#include <QPointer>
#include <QWidget>

namespace morvane {

class QtMessageBox : public MessageBoxSink {
public:
    // An empty programTitle takes the application's display name. Without a
    // parent the box sits over the active modal window or the active window.
    explicit QtMessageBox(std::string programTitle = {}, QWidget* parent = nullptr);

    MessageAnswer show(const MessageRequest& request) override;

private:
    std::string programTitle_;
    QPointer<QWidget> parent_;
};

}  // namespace morvane
