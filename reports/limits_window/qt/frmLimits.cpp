#include "reports/limits_window/qt/frmLimits.h"

#include "common/qt/PlainLabel.h"
#include "common/qt/WindowFonts.h"
#include "engine/FormatPatterns.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QLocale>
#include <QPushButton>

namespace morvane {

namespace {

// Design in twips.
constexpr int ClientWidth = 4680;
constexpr int ClientHeight = 9915;

struct Box {
    int left, top, width, height;
};

struct Row {
    const char* valueName;
    Box value;
    const char* captionName;
    Box caption;
    const char* captionText;  // the same in both languages
    double CalculationState::*field;
};

const Row kRows[frmLimits::RowCount] = {
    {"Label1", {360, 240, 2775, 375}, "Label9", {3360, 240, 1095, 375}, "auslegung q", &CalculationState::gDurchflussAuslegung},
    {"Label2", {360, 840, 2655, 375}, "Label10", {3360, 840, 1215, 255}, "1%q", &CalculationState::gQUnsicherheit1},
    {"Label3", {360, 1440, 2775, 375}, "Label11", {3360, 1440, 975, 375}, "1,5%q", &CalculationState::gQUnsicherheit1_5},
    {"Label4", {360, 1920, 2775, 375}, "Label12", {3360, 1920, 1335, 255}, "2%q", &CalculationState::gQUnsicherheit2},
    {"Label5", {360, 2400, 2895, 495}, "Label13", {3360, 2400, 1215, 255}, "3%q", &CalculationState::gQUnsicherheit3},
    {"Label6", {240, 3000, 3135, 375}, "Label14", {3480, 3000, 1095, 375}, "5%q", &CalculationState::gQUnsicherheit5},
    {"Label7", {240, 3600, 3135, 375}, "Label15", {3480, 3600, 1095, 375}, "10%q", &CalculationState::gQUnsicherheit10},
    {"Label8", {240, 4200, 3135, 375}, "Label16", {3600, 4200, 855, 375}, "1%SRq", &CalculationState::gQUnsicherheit1SR},
    {"Label17", {240, 4680, 3255, 495}, "Label18", {3600, 4800, 855, 375}, "1,5%SRq", &CalculationState::gQUnsicherheit1_5SR},
    {"Label19", {240, 5280, 3015, 495}, "Label20", {3600, 5400, 975, 255}, "2%srq", &CalculationState::gQUnsicherheit2SR},
    {"Label21", {120, 5760, 3135, 375}, "Label22", {3480, 5760, 855, 375}, "3%srq", &CalculationState::gQUnsicherheit3SR},
    {"Label23", {240, 6120, 2895, 495}, "Label24", {3480, 6240, 975, 255}, "5%srq", &CalculationState::gQUnsicherheit5SR},
    {"Label25", {240, 6600, 2895, 495}, "Label26", {3480, 6600, 855, 375}, "10%SRq", &CalculationState::gQUnsicherheit10SR},
    {"Label27", {240, 7200, 2895, 375}, "Label28", {3360, 7080, 1095, 495}, "qmax 2", &CalculationState::gQmaxEmpfohlen},
    {"Label29", {240, 7680, 2895, 375}, "Label30", {3360, 7680, 1095, 375}, "qmax 1,3", &CalculationState::gQmaxErlaubt},
};

QLabel* designLabel(QWidget* parent, const char* name, const Box& b, const char* text)
{
    QLabel* l = plainLabel(parent, name, QString::fromUtf8(text));
    l->setGeometry(twipsRect(b.left, b.top, b.width, b.height));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    return l;
}

}  // namespace

frmLimits::frmLimits(const CalculationState& s) : QWidget(nullptr, Qt::Window), s_(s)
{
    setObjectName(QStringLiteral("frmLimits"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    setWindowTitle(QStringLiteral("Form1"));
    setFont(windowFont());
    // Sizable; the controls keep their places and sizes.
    resize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));

    for (int i = 0; i < RowCount; ++i) {
        const Row& r = kRows[i];
        values_[i] = designLabel(this, r.valueName, r.value, r.valueName);
        captions_[i] = designLabel(this, r.captionName, r.caption, r.captionText);
    }
    Command1_ = new QPushButton(QStringLiteral("Command1"), this);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setGeometry(twipsRect(1680, 8880, 1335, 375));
    Command1_->setFocus();
    connect(Command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmLimits::Command1_Click()
{
    Guard g("frmLimits", "Command1_Click", "Private Sub Command1_Click()");
    const char sep = QLocale().decimalPoint().at(0).toLatin1();
    for (int i = 0; i < RowCount; ++i) {
        if (!g.step([&] {
                values_[i]->setText(QString::fromStdString(formatFixed(s_.*kRows[i].field, 3, sep)));
            }))
            return;
    }
}

}  // namespace morvane
