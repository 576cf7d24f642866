// The common file dialogs for open and save, by QFileDialog.
#pragma once

#include "platform/FileDialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace morvane {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr);

    std::optional<std::string> openFile(const std::string& caption, const std::string& folder,
                                        const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& caption, const std::string& folder,
                                        const std::string& filter) override;

    // A filter of "description|pattern" pairs ("Calculation (*.mv5)|*.mv5|All
    // files|*.*") in Qt's form ("Calculation (*.mv5);;All files (*.*)"); a filter
    // without "|" is taken as Qt's form already.
    static QString qtFilter(const std::string& filter);

private:
    QPointer<QWidget> parent_;
};

}  // namespace morvane
