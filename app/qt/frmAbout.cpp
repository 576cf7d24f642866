#include "app/qt/frmAbout.h"

#include "common/ProgramIdentity.h"
#include "app/SysInfo.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/ProgramPicture.h"
#include "common/qt/WindowFonts.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace morvane {

namespace {

QFrame* line(QWidget* parent, const char* name, int top, QPalette::ColorRole role)
{
    auto* l = new QFrame(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Plain);
    l->setForegroundRole(role);
    l->setGeometry(twipsRect(225, top, 5850, 15));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const char* tag, QRect twips)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setProperty("Tag", QString::fromLatin1(tag));
    b->setGeometry(twips);
    return b;
}

}  // namespace

frmAbout::frmAbout(ShellServices& services, std::int32_t sprachOffset, QWidget* parent)
    : QDialog(parent), services_(services), sprachOffset_(sprachOffset)
{
    setObjectName(QStringLiteral("frmAbout"));
    setProperty("Tag", QStringLiteral("1030"));
    setFont(windowFont());
    setFixedSize(twipsToPixels(6300), twipsToPixels(5280));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipsRect(240, 240, 540, 540));
    picIcon->setPixmap(programPicture(picIcon->width()));

    lblTitle_ = taggedLabel(this, "lblTitle", "1035", twipsRect(1050, 240, 5010, 480));
    lblVersion_ = taggedLabel(this, "lblVersion", "1034", twipsRect(1050, 780, 5010, 225));
    taggedLabel(this, "lblDescription", "1036", twipsRect(1050, 1125, 5010, 720));
    line(this, "Line1_0", 1950, QPalette::Dark);
    line(this, "Line1_1", 1965, QPalette::Light);

    const MakerTexts& maker = makerTexts();
    const std::string lines[] = {maker.name, maker.street, maker.place, maker.phone,
                                 maker.fax,  maker.web,    maker.mail};
    const char* names[] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7"};
    for (int i = 0; i < 7; ++i)
        taggedLabel(this, names[i], nullptr, twipsRect(255, 2100 + 240 * i, 4320, 240),
                    QString::fromStdString(lines[i]));
    taggedLabel(this, "lblDisclaimer", nullptr, twipsRect(255, 3900, 4320, 1140),
                QString::fromStdString(disclaimerText(sprachOffset_)));

    QPushButton* cmdOK = button(this, "cmdOK", "1032", twipsRect(4740, 3900, 1335, 375));
    cmdOK->setDefault(true);
    QPushButton* cmdSysInfo = button(this, "cmdSysInfo", "1031", twipsRect(4740, 4380, 1335, 375));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load()
{
    Guard g("frmAbout", "Form_Load", "Private Sub Form_Load()");
    if (!g.step([&] { LoadResstrings(this, sprachOffset_); }))
        return;
    if (!g.step([&] { lblVersion_->setText(QString::fromStdString(versionLabel(kProgramVersion))); }))
        return;
    if (!g.step([&] { lblTitle_->setText(QString::fromLatin1(kProgramTitle)); }))
        return;
}

void frmAbout::cmdOK_Click()
{
    Guard g("frmAbout", "cmdOK_Click", "Private Sub cmdOK_Click()");
    if (!g.step([&] { accept(); }))
        return;
}

void frmAbout::cmdSysInfo_Click()
{
    Guard g("frmAbout", "cmdSysInfo_Click", "Private Sub cmdSysInfo_Click()");
    if (!g.step([&] { StartSysInfo(services_.registry, services_.launcher, services_.messages); }))
        return;
}

void frmAbout::showEvent(QShowEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

}  // namespace morvane
