#include "tracing/qt/ErrorTestPanel.h"

#include "platform/qt/Twips.h"
#include "tracing/ErrorTestNumber.h"
#include "tracing/Guard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace morvane {

ErrorTestPanel::ErrorTestPanel(QWidget* parent) : QGroupBox(QStringLiteral("Test Error Trapping"), parent)
{
    setObjectName(QStringLiteral("fraErrorTest"));
    setGeometry(twipsRect(5400, 5760, 2055, 975));

    lblErrNum_ = new QLabel(QStringLiteral("Error Number"), this);
    lblErrNum_->setObjectName(QStringLiteral("lblErrNum"));
    lblErrNum_->setGeometry(twipsRect(120, 240, 1065, 255));  // room for the caption in the window font

    txtErrorNum_ = new QLineEdit(QStringLiteral("None"), this);
    txtErrorNum_->setObjectName(QStringLiteral("txtErrorNum"));
    txtErrorNum_->setGeometry(twipsRect(1215, 240, 720, 285));

    cmdGenErr_ = new QPushButton(QStringLiteral("Generate Error"), this);
    cmdGenErr_->setObjectName(QStringLiteral("cmdGenErr"));
    cmdGenErr_->setGeometry(twipsRect(120, 600, 1815, 255));
    connect(cmdGenErr_, &QPushButton::clicked, this, [this] { cmdGenErr_Click(); });

    hide();
}

void ErrorTestPanel::imgErrorDisplay_DblClick()
{
    Guard g("frmMain", "imgErrorDisplay_DblClick", "Private Sub imgErrorDisplay_DblClick()");
    if (!g.step([&] { setVisible(isHidden()); }))
        return;
}

void ErrorTestPanel::cmdGenErr_Click()
{
    Guard g("frmMain", "cmdGenErr_Click", "Private Sub cmdGenErr_Click()");
    // Repeat reads the box again and raises anew.
    if (!g.step([&] { raiseTestError(txtErrorNum_->text().toStdString()); }))
        return;
}

}  // namespace morvane
