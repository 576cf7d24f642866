#include "app/qt/frmOptions.h"

#include "app/IniSettings.h"
#include "common/qt/CodeEvents.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/WindowFonts.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <utility>

namespace morvane {

namespace {

// The rows are laid out in the window's twips; a tab page's origin lies at
// (120, 480) of the window.
QRect pageRect(int left, int top, int width, int height)
{
    return twipsRect(left - 120, top - 480, width, height);
}

constexpr int kFirstRowTop = 600;
constexpr int kRowPitch = 360;

struct Row {
    const char* label;
    const char* tag;
    int box;  // TextN
};

// The user tab, boxes at left 1200.
constexpr Row kUserRows[] = {
    {"Label1", "1037", 1},
    {"Label2", "1038", 2},
    {"Label3", "1039", 3},
    {"Label12", "1190", 12},
};

// The company tab, boxes at left 1440.
constexpr Row kCompanyRows[] = {
    {"Label4", "1040", 4},  {"Label5", "1041", 5},  {"Label6", "1042", 6},   {"Label7", "1043", 7},
    {"Label8", "1044", 8},  {"Label9", "1045", 9},  {"Label10", "1046", 10}, {"Label11", "1047", 11},
};

QPushButton* button(QWidget* parent, const char* name, const char* tag, int left)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setProperty("Tag", QString::fromLatin1(tag));
    b->setGeometry(twipsRect(left, 4200, 1095, 375));
    b->setAutoDefault(false);
    return b;
}

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

std::string s(const QLineEdit* box)
{
    return box->text().toStdString();
}

}  // namespace

frmOptions::frmOptions(UserSettings& settings, SettingsStore& store, MessageBoxSink& messages,
                       std::int32_t sprachOffset, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store), messages_(messages), sprachOffset_(sprachOffset)
{
    setObjectName(QStringLiteral("frmOptions"));
    setProperty("Tag", QStringLiteral("1022"));
    setFont(windowFont());
    setFixedSize(twipsToPixels(5160), twipsToPixels(4800));

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tbsOptions"));
    tabs->setGeometry(twipsRect(120, 120, 4920, 3960));

    auto addPage = [&](const char* name, const char* caption, const auto& rows, int boxLeft) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        int top = kFirstRowTop;
        for (const Row& r : rows) {
            QLabel* l = plainLabel(page, r.label);
            l->setProperty("Tag", QString::fromLatin1(r.tag));
            l->setGeometry(pageRect(240, top + 45, boxLeft - 240 - 60, 255));
            auto* box = new QLineEdit(page);
            box->setObjectName(QStringLiteral("Text%1").arg(r.box));
            box->setGeometry(pageRect(boxLeft, top, 3255, 285));
            text_[r.box] = box;
            top += kRowPitch;
        }
        // The tab captions are fixed, the same in both languages.
        tabs->addTab(page, QString::fromLatin1(caption));
        return page;
    };
    addPage("fraUser", "User", kUserRows, 1200);
    QWidget* company = addPage("fraCompany", "Company", kCompanyRows, 1440);

    Check1_ = new QCheckBox(company);
    Check1_->setObjectName(QStringLiteral("Check1"));
    Check1_->setProperty("Tag", QStringLiteral("1836"));
    Check1_->setGeometry(pageRect(240, kFirstRowTop + 8 * kRowPitch + 60, 4455, 285));

    QPushButton* cmdOK = button(this, "cmdOK", "1029", 1560);
    QPushButton* cmdCancel = button(this, "cmdCancel", "1028", 2760);
    QPushButton* cmdApply = button(this, "cmdApply", "1027", 3960);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdApply, &QPushButton::clicked, this, [this] { cmdApply_Click(); });
}

void frmOptions::Form_Load()
{
    Guard g("frmOptions", "Form_Load", "Private Sub Form_Load()");
    if (!g.step([&] { LoadResstrings(this, sprachOffset_); }))
        return;
    const UserSettings& u = settings_;
    // The boxes in the window's order, each one statement.
    const std::pair<int, const std::string*> boxes[] = {
        {1, &u.gUserName},      {2, &u.gUserAbteilung},  {3, &u.gUserDurchwahl}, {12, &u.gUserFax},
        {4, &u.gCompanyFirma1}, {5, &u.gCompanyFirma2},  {6, &u.gCompanyStrasse}, {7, &u.gCompanyLand},
        {8, &u.gCompanyPLZOrt}, {9, &u.gCompanyStaat},   {10, &u.gCompanyTel},    {11, &u.gCompanyFax},
    };
    for (const auto& [n, field] : boxes)
        if (!g.step([&] { text_[n]->setText(q(*field)); }))
            return;
    // A stored value other than 0, 1 or 2 is no check-box state: error 380.
    if (!g.step([&] { setCheckValue(Check1_, u.gUserMSCode); }))
        return;
}

void frmOptions::takeControls()
{
    UserSettings& u = settings_;
    u.gUserName = s(text_[1]);
    u.gUserAbteilung = s(text_[2]);
    u.gUserDurchwahl = s(text_[3]);
    u.gUserFax = s(text_[12]);
    u.gUserMSCode = static_cast<std::int16_t>(checkValue(Check1_));
    u.gCompanyFirma1 = s(text_[4]);
    u.gCompanyFirma2 = s(text_[5]);
    u.gCompanyStrasse = s(text_[6]);
    u.gCompanyLand = s(text_[7]);
    u.gCompanyPLZOrt = s(text_[8]);
    u.gCompanyStaat = s(text_[9]);
    u.gCompanyTel = s(text_[10]);
    u.gCompanyFax = s(text_[11]);
}

void frmOptions::cmdApply_Click()
{
    Guard g("frmOptions", "cmdApply_Click", "Private Sub cmdApply_Click()");
    if (!g.step([&] { takeControls(); }))
        return;
}

void frmOptions::cmdOK_Click()
{
    Guard g("frmOptions", "cmdOK_Click", "Private Sub cmdOK_Click()");
    if (!g.step([&] { takeControls(); }))
        return;
    // A store that cannot be written keeps the window open with what was
    // entered, so that nothing typed is lost without a word.
    bool stored = false;
    if (!g.step([&] { stored = SaveIni(settings_, store_); }))
        return;
    if (!stored) {
        g.step([&] { messages_.show({settingsNotStoredMessage(store_, sprachOffset_), {}, MessageIcon::Exclamation}); });
        return;
    }
    if (!g.step([&] { accept(); }))
        return;
}

void frmOptions::cmdCancel_Click()
{
    Guard g("frmOptions", "cmdCancel_Click", "Private Sub cmdCancel_Click()");
    if (!g.step([&] { reject(); }))
        return;
}

void frmOptions::showEvent(QShowEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

}  // namespace morvane
