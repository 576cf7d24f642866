// The splash window that the start-up shows for two seconds: picture, program
// name, version, description and the maker lines.
#pragma once

#include <QWidget>

#include <cstdint>

namespace morvane {

class frmSplash : public QWidget {
    Q_OBJECT

public:
    // sprachOffset: the language of its texts (0 German, 10000 English).
    explicit frmSplash(std::int32_t sprachOffset, QWidget* parent = nullptr);

    // Applies the resource texts; runs when the window is first shown.
    void Form_Load();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::int32_t sprachOffset_;
    bool loaded_ = false;
};

}  // namespace morvane
