#include "mainwindow/qt/MainInputPages.h"

#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "common/qt/CodeEvents.h"
#include "common/qt/Greying.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "engine/TypeKey.h"
#include "mainwindow/InputModel.h"
#include "mainwindow/PipeDimensionTable.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <optional>
#include <utility>

namespace morvane {

namespace {

constexpr const char* kModule = "frmMain";

// The Tag property that LoadResstrings reads.
void setTag(QObject* o, const char* id) { o->setProperty("Tag", QString::fromLatin1(id)); }

QLabel* tagLabel(QWidget* parent, const char* name, const char* id, int x, int y, int w, int h)
{
    QLabel* l = plainLabel(parent, name, QString::fromLatin1(id));
    setTag(l, id);
    l->setGeometry(twipsRect(x, y, w, h));
    return l;
}

QLabel* fixedLabel(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h)
{
    QLabel* l = plainLabel(parent, name, QString::fromUtf8(text));
    l->setGeometry(twipsRect(x, y, w, h));
    return l;
}

QLineEdit* box(QWidget* parent, const char* name, int x, int y, int w, int h, const char* tooltipId = nullptr)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsRect(x, y, w, h));
    if (tooltipId)
        b->setToolTip(QString::fromLatin1(tooltipId));
    return b;
}

QRadioButton* option(QWidget* parent, const char* name, const char* id, int x, int y, int w, int h,
                     const char* tooltipId = nullptr)
{
    auto* o = new QRadioButton(parent);
    o->setObjectName(QString::fromLatin1(name));
    if (id) {
        o->setText(QString::fromLatin1(id));
        setTag(o, id);
    }
    if (tooltipId)
        o->setToolTip(QString::fromLatin1(tooltipId));
    o->setGeometry(twipsRect(x, y, w, h));
    return o;
}

QCheckBox* check(QWidget* parent, const char* name, const char* id, int x, int y, int w, int h)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    if (id) {
        c->setText(QString::fromLatin1(id));
        setTag(c, id);
    }
    c->setGeometry(twipsRect(x, y, w, h));
    return c;
}

QComboBox* list(QWidget* parent, const char* name, int x, int y, int w, int h, const char* tooltipId = nullptr)
{
    QComboBox* l = newList(parent, name);
    l->setGeometry(twipsRect(x, y, w, h));
    if (tooltipId)
        l->setToolTip(QString::fromLatin1(tooltipId));
    return l;
}

QGroupBox* frame(QWidget* parent, const char* name, const char* id, int x, int y, int w, int h)
{
    auto* f = new QGroupBox(parent);
    f->setObjectName(QString::fromLatin1(name));
    if (id) {
        f->setTitle(QString::fromLatin1(id));
        setTag(f, id);
    }
    f->setGeometry(twipsRect(x, y, w, h));
    return f;
}

// A plain container (a picture box of the design): the option buttons inside it
// form one group.
QWidget* container(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* c = new QWidget(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(twipsRect(x, y, w, h));
    return c;
}

QFrame* line(QWidget* parent, const char* name, bool horizontal, int x, int y, int length)
{
    auto* l = new QFrame(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
    l->setFrameShadow(QFrame::Sunken);
    l->setGeometry(horizontal ? twipsRect(x, y, length, 30) : twipsRect(x, y, 30, length));
    return l;
}

void setBaseColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::All, QPalette::Base, colour);
    w->setPalette(p);
}

// The button-face colour without disabling (Text14's design).
void greyBackground(QWidget* w)
{
    setBaseColour(w, QApplication::palette(w).color(QPalette::Active, QPalette::Button));
}

// &HFF: red, the colour of an incomplete type code.
const QColor kCodeIncomplete(255, 0, 0);

// A text written into a box is shown from its start, as typed: QLineEdit
// would put the cursor at the end and show a long number's tail (a bore of
// 170.854109316157 read as "70.854109316157"). Every box the program fills
// goes through here.
void setText(QLineEdit* b, const std::string& t)
{
    b->setText(QString::fromStdString(t));
    b->setCursorPosition(0);
}

}  // namespace

MainInputPages::MainInputPages(QTabWidget* SSTab1, QWidget* form, ProgramState& state, MessageBoxSink& messages)
    : QObject(form), SSTab1_(SSTab1), form_(form), state_(state), messages_(messages)
{
    setObjectName(QStringLiteral("MainInputPages"));
    buildMediumPage(SSTab1->widget(0));
    buildElementPage(SSTab1->widget(1));
    buildFlowPage(SSTab1->widget(2));
    buildAddressPage(SSTab1->widget(3));
    buildConfigPage(SSTab1->widget(4));
    buildFrame4(form);

    Command1_ = new QPushButton(QStringLiteral("Calc!"), form);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setAutoDefault(false);

    bindHandlers();
}

QString MainInputPages::text(std::int32_t id) const
{
    return QString::fromStdString(resText(id, state_.ui.gSprachOffset));
}

void MainInputPages::buildMediumPage(QWidget* p)
{
    // Rows of label (x 480), box (x 3000) and unit label (x 4500).
    auto row = [](int i) { return 960 + (i - 3) * 360; };
    Option1 = option(p, "Option1", "1048", 120, 120, 2400, 285, "1198");
    Combo1 = list(p, "Combo1", 3000, 120, 2895, 315, "1201");
    line(p, "Line1", true, 120, 480, 8160);

    Option2 = option(p, "Option2", "1049", 120, 600, 2400, 285, "1199");
    Option4 = option(p, "Option4", "1325", 3000, 600, 3000, 285);
    Label1 = tagLabel(p, "Label1", "1051", 480, row(3), 2500, 285);
    Text1 = box(p, "Text1", 3000, row(3), 1455, 315, "1202");
    Label8 = fixedLabel(p, "Label8", "kg/Nm³", 4560, row(3), 900, 285);
    Label2 = tagLabel(p, "Label2", "1052", 480, row(4), 2500, 285);
    Text2 = box(p, "Text2", 3000, row(4), 1455, 315, "1203");
    Label9 = fixedLabel(p, "Label9", "-", 4560, row(4), 900, 285);
    Label3 = tagLabel(p, "Label3", "1053", 480, row(5), 2500, 285);
    Text7 = box(p, "Text7", 3000, row(5), 1455, 315, "1204");
    Label10 = fixedLabel(p, "Label10", "cP", 4560, row(5), 900, 285);
    Label50 = tagLabel(p, "Label50", "1231", 480, row(6), 2500, 285);
    Text29 = box(p, "Text29", 3000, row(6), 1455, 315);
    Label51 = fixedLabel(p, "Label51", "-", 4560, row(6), 900, 285);
    Label30 = tagLabel(p, "Label30", "1171", 480, row(7), 2500, 285);
    Text13 = box(p, "Text13", 3000, row(7), 2895, 315, "1205");
    line(p, "Line2", true, 120, row(8) + 60, 8160);

    Option3 = option(p, "Option3", "1050", 120, row(9), 2400, 285, "1200");
    Label4 = tagLabel(p, "Label4", "1054", 480, row(10), 2500, 285);
    Text3 = box(p, "Text3", 3000, row(10), 1455, 315, "1206");
    Label11 = fixedLabel(p, "Label11", "°C", 4560, row(10), 900, 285);
    Label5 = tagLabel(p, "Label5", "1055", 480, row(11), 2500, 285);
    Text4 = box(p, "Text4", 3000, row(11), 1455, 315, "1207");
    label99 = fixedLabel(p, "label99", "kPa", 4560, row(11), 900, 285);
    Label6 = tagLabel(p, "Label6", "1056", 480, row(12), 2500, 285);
    Text5 = box(p, "Text5", 3000, row(12), 1455, 315, "1202");
    Label13 = fixedLabel(p, "Label13", "kg/Nm³", 4560, row(12), 900, 285);
    Label7 = tagLabel(p, "Label7", "1057", 480, row(13), 2500, 285);
    Text6 = box(p, "Text6", 3000, row(13), 1455, 315, "1204");
    Label14 = fixedLabel(p, "Label14", "cP", 4560, row(13), 900, 285);
    Label53 = tagLabel(p, "Label53", "1231", 480, row(14), 2500, 285);
    Text30 = box(p, "Text30", 3000, row(14), 1455, 315);
    Label52 = fixedLabel(p, "Label52", "-", 4560, row(14), 900, 285);
    Label31 = tagLabel(p, "Label31", "1171", 480, row(15), 2500, 285);
    Text14 = box(p, "Text14", 3000, row(15), 2895, 315, "1205");

    // Design: the stored-data model; every property box greyed with its label.
    Option1->setChecked(true);
    for (QLineEdit* b : {Text1, Text2, Text7, Text29, Text13, Text3, Text4, Text5, Text6, Text30})
        setInputEnabled(b, false);
    greyBackground(Text14);
    for (QLabel* l : {Label1, Label2, Label3, Label50, Label30, Label4, Label5, Label6, Label7, Label53, Label31})
        l->setEnabled(false);
}

void MainInputPages::buildElementPage(QWidget* p)
{
    Label15 = tagLabel(p, "Label15", "1058", 120, 120, 2400, 285);
    // The tooltip holds its text id; the list has no Tag.
    Combo2 = list(p, "Combo2", 2640, 120, 4000, 315, "1208");
    Label29 = plainLabel(p, "Label29");
    Label29->setGeometry(twipsRect(120, 480, 8160, 855));
    Label29->setWordWrap(true);

    Frame3 = frame(p, "Frame3", "1470", 120, 1380, 8160, 2160);
    // Hidden at design, their captions are notes for the designer until the
    // element-type handler gives them their texts.
    Label23 = fixedLabel(Frame3, "Label23", "Text10 caption", 240, 300, 2600, 285);
    Text10 = box(Frame3, "Text10", 3000, 300, 1455, 315);
    Label26 = fixedLabel(Frame3, "Label26", "Text10 unit", 4560, 300, 900, 285);
    Label24 = fixedLabel(Frame3, "Label24", "Text11 caption", 240, 660, 2600, 285);
    Text11 = box(Frame3, "Text11", 3000, 660, 1455, 315);
    Label27 = fixedLabel(Frame3, "Label27", "Text11 unit", 4560, 660, 900, 285);
    for (QWidget* w : std::initializer_list<QWidget*>{Label23, Text10, Label26, Label24, Text11, Label27})
        w->hide();
    Label25 = tagLabel(Frame3, "Label25", "1373", 240, 1020, 2600, 285);
    Text15 = box(Frame3, "Text15", 3000, 1020, 1455, 315, "1580");
    Text15->setText(QStringLiteral("1,000"));
    Label28 = fixedLabel(Frame3, "Label28", "-", 4560, 1020, 900, 285);
    Option15 = option(Frame3, "Option15", "1810", 240, 1440, 3700, 285, "1812");
    Option16 = option(Frame3, "Option16", "1811", 4080, 1440, 3700, 285, "1812");
    Option15->setChecked(true);

    Frame2 = frame(p, "Frame2", "1400", 120, 3660, 8160, 2400);
    QWidget* Picture5 = container(Frame2, "Picture5", 60, 240, 8040, 2100);
    Option5 = option(Picture5, "Option5", nullptr, 60, 60, 285, 285);
    Label19 = tagLabel(Picture5, "Label19", "1410", 420, 60, 1900, 285);
    Text8 = box(Picture5, "Text8", 2400, 60, 1095, 315);
    Label17 = fixedLabel(Picture5, "Label17", "mm", 3560, 60, 400, 285);
    Check2 = check(Picture5, "Check2", "1179", 420, 480, 1900, 285);
    Text22 = box(Picture5, "Text22", 2400, 480, 1095, 315);
    Label58 = fixedLabel(Picture5, "Label58", "mm", 3560, 480, 400, 285);
    Label20 = tagLabel(Picture5, "Label20", "1411", 420, 900, 1900, 285);
    Text9 = box(Picture5, "Text9", 2400, 900, 1095, 315);
    Label18 = fixedLabel(Picture5, "Label18", "mm", 3560, 900, 400, 285);
    line(Picture5, "Line3", false, 4080, 0, 2040);
    Option6 = option(Picture5, "Option6", nullptr, 4200, 60, 285, 285);
    Label21 = tagLabel(Picture5, "Label21", "1412", 4560, 60, 2000, 285);
    Combo3 = list(Picture5, "Combo3", 4560, 360, 2000, 315);
    Label22 = tagLabel(Picture5, "Label22", "1413", 4560, 780, 2000, 285);
    Combo4 = list(Picture5, "Combo4", 4560, 1080, 2000, 315);

    // Design: free entry of the pipe dimensions, a round pipe.
    Option5->setChecked(true);
    setInputEnabled(Text22, false);
    Label58->setEnabled(false);
    Combo3->setEnabled(false);
    Combo4->setEnabled(false);
    Label21->setEnabled(false);
    Label22->setEnabled(false);
}

void MainInputPages::buildFlowPage(QWidget* p)
{
    Label33 = tagLabel(p, "Label33", "1173", 480, 120, 2400, 285);
    Text16 = box(p, "Text16", 3000, 120, 1455, 315, "1292");
    Combo9 = list(p, "Combo9", 4560, 120, 1500, 315);
    Label34 = tagLabel(p, "Label34", "1174", 480, 540, 2400, 285);
    Text17 = box(p, "Text17", 3000, 540, 1455, 315, "1293");
    Combo11 = list(p, "Combo11", 4560, 540, 1500, 315);
    Label35 = tagLabel(p, "Label35", "1175", 480, 960, 2400, 285);
    Text18 = box(p, "Text18", 3000, 960, 1455, 315, "1294");
    Combo8 = list(p, "Combo8", 4560, 960, 1500, 315);

    Check1 = check(p, "Check1", nullptr, 120, 1680, 285, 285);
    Label36 = tagLabel(p, "Label36", "1176", 480, 1380, 2400, 285);
    Text19 = box(p, "Text19", 3000, 1380, 1455, 315);
    Label41 = fixedLabel(p, "Label41", " ", 4560, 1380, 1500, 285);
    Label37 = tagLabel(p, "Label37", "1177", 480, 1740, 2400, 285);
    Text20 = box(p, "Text20", 3000, 1740, 1455, 315);
    Label42 = fixedLabel(p, "Label42", " ", 4560, 1740, 1500, 285);
    Label38 = tagLabel(p, "Label38", "1178", 480, 2100, 2400, 285);
    Text21 = box(p, "Text21", 3000, 2100, 1455, 315);
    Label43 = fixedLabel(p, "Label43", " ", 4560, 2100, 1500, 285);

    Label39 = tagLabel(p, "Label39", "1350", 480, 2580, 2400, 285);
    Combo10 = list(p, "Combo10", 3000, 2580, 1455, 315);

    line(p, "Line4", true, 120, 3060, 8160);
    Check4 = check(p, "Check4", "1813", 120, 3240, 2700, 285);
    Text37 = box(p, "Text37", 3000, 3240, 1455, 315);
    Label63 = fixedLabel(p, "Label63", "mbar", 4560, 3240, 900, 285);
    Option17 = option(p, "Option17", "1814", 480, 3660, 2400, 285);
    Option18 = option(p, "Option18", "1815", 3000, 3660, 2400, 285);
    Command3 = new QPushButton(QStringLiteral("1816"), p);
    Command3->setObjectName(QStringLiteral("Command3"));
    setTag(Command3, "1816");
    Command3->setAutoDefault(false);
    Command3->setGeometry(twipsRect(5640, 3600, 1215, 375));

    // Design: one operating point, no known differential pressure.
    for (QLineEdit* b : {Text19, Text20, Text21, Text37})
        setInputEnabled(b, false);
    for (QLabel* l : {Label36, Label37, Label38, Label41, Label42, Label43, Label63})
        l->setEnabled(false);
    Check4->setEnabled(false);
    Option17->setChecked(true);
    Option17->setEnabled(false);
    Option18->setEnabled(false);
    Command3->setEnabled(false);
}

void MainInputPages::buildAddressPage(QWidget* p)
{
    struct Row {
        QLineEdit** box;
        const char* boxName;
        const char* labelName;
        const char* id;
    };
    const Row left[] = {{&Text23, "Text23", "Label16", "1191"}, {&Text24, "Text24", "Label45", "1192"},
                        {&Text25, "Text25", "Label46", "1193"}, {&Text26, "Text26", "Label47", "1194"},
                        {&Text27, "Text27", "Label48", "1195"}, {&Text28, "Text28", "Label49", "1196"}};
    const Row right[] = {{&Text31, "Text31", "Label12", "1262"}, {&Text32, "Text32", "Label54", "1263"},
                         {&Text33, "Text33", "Label55", "1264"}, {&Text34, "Text34", "Label56", "1265"},
                         {&Text35, "Text35", "Label57", "1266"}, {&Text36, "Text36", "Label60", "1329"}};
    // The labels are drawn in the system's highlight colour (&H8000000D).
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    auto place = [&](const Row (&rows)[6], int x) {
        for (int i = 0; i < 6; ++i) {
            QLabel* l = tagLabel(p, rows[i].labelName, rows[i].id, x, 120 + i * 600, 3900, 255);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, highlight);
            l->setPalette(pal);
            *rows[i].box = box(p, rows[i].boxName, x, 375 + i * 600, 3900, 315);
        }
    };
    place(left, 120);
    place(right, 4260);
    Frame1 = frame(p, "Frame1", "1170", 120, 3840, 8040, 2700);
    Text12 = new QPlainTextEdit(Frame1);
    Text12->setObjectName(QStringLiteral("Text12"));
    Text12->setGeometry(twipsRect(120, 300, 7800, 2280));
}

void MainInputPages::buildConfigPage(QWidget* p)
{
    configPage_ = new ConfigSelectPage(p, state_, messages_);
    txtTypeInfo = configPage_->txtTypeInfo;
    txtTypeDesc = configPage_->txtTypeDesc;
    txtCodeDisplay = configPage_->txtCodeDisplay;
    cmdCopyKey = configPage_->cmdCopyKey;
    fraConfigSelect = configPage_->fraConfigSelect;
    lblDrawings = configPage_->lblDrawings;
    confFieldClick_ = [this](int index) { configPage_->cmbConfField_Click(index); };
}

void MainInputPages::buildFrame4(QWidget* form)
{
    Frame4 = frame(form, "Frame4", nullptr, 120, 480, 8535, 4000);
    Frame4->setTitle(QStringLiteral("Frame4"));
    auto labelled = [&](QComboBox*& combo, const char* name, const char* labelName, const char* id, int y) {
        tagLabel(Frame4, labelName, id, 120, y, 2400, 285);
        combo = list(Frame4, name, 2640, y, 3000, 315);
    };
    labelled(Combo5, "Combo5", "Label32", "1550", 240);
    labelled(Combo6, "Combo6", "Label40", "1063", 600);
    labelled(Combo7, "Combo7", "Label44", "1065", 960);
    labelled(Combo12, "Combo12", "Label59", "1066", 1320);
    labelled(Combo13, "Combo13", "Label61", "1560", 1680);
    Check3 = check(Frame4, "Check3", "1322", 120, 2040, 2400, 285);
    Label62 = tagLabel(Frame4, "Label62", "1581", 2640, 2040, 5700, 285);
    Option14 = option(Frame4, "Option14", "1559", 120, 2400, 2600, 285);
    Option11 = option(Frame4, "Option11", "1557", 120, 2760, 2600, 285);
    Option12 = option(Frame4, "Option12", "1558", 120, 3120, 2600, 285);
    QWidget* Picture6 = container(Frame4, "Picture6", 2880, 2400, 3000, 1500);
    Option7 = option(Picture6, "Option7", "1553", 60, 60, 1400, 285);
    Option8 = option(Picture6, "Option8", "1556", 60, 420, 2900, 285);
    Option9 = option(Picture6, "Option9", "1554", 60, 780, 2900, 285);
    Option10 = option(Picture6, "Option10", "1555", 60, 1140, 1400, 285);
    QGroupBox* Frame5 = frame(Frame4, "Frame5", nullptr, 6000, 2400, 2400, 1500);
    QWidget* Picture1 = container(Frame5, "Picture1", 120, 240, 2160, 1140);
    Option13 = option(Picture1, "Option13", nullptr, 60, 60, 285, 285);

    Option14->setChecked(true);
    Option7->setChecked(true);
    Option13->setChecked(true);
    for (QRadioButton* o : {Option7, Option8, Option9, Option10, Option13})
        o->setEnabled(false);
    Frame4->hide();
}

void MainInputPages::bindHandlers()
{
    onClick(Option1, [this] { Option1_Click(); });
    onClick(Option2, [this] { Option2_Click(); });
    onClick(Option3, [this] { Option3_Click(); });
    onClick(Option4, [this] { Option4_Click(); });
    onClick(Option5, [this] { Option5_Click(); });
    onClick(Option6, [this] { Option6_Click(); });
    onClick(Option11, [this] { Option11_Click(); });
    onClick(Option12, [this] { Option12_Click(); });
    onClick(Option14, [this] { Option14_Click(); });
    onClick(Check1, [this] { Check1_Click(); });
    onClick(Check2, [this] { Check2_Click(); });
    onClick(Check4, [this] { Check4_Click(); });
    onClick(Combo1, [this] { Combo1_Click(); });
    onClick(Combo2, [this] { Combo2_Click(); });
    onClick(Combo3, [this] { Combo3_Click(); });
    onClick(Combo4, [this] { Combo4_Click(); });
    onClick(Combo8, [this] { Combo8_Click(); });
    connect(Command1_, &QPushButton::clicked, this, [this] {
        // A value the configurator does not take is reported before the run.
        configPage_->leaveValueBox();
        if (calculate_ && numberBoxesHoldNumbers())
            calculate_();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        if (solver_ && numberBoxesHoldNumbers())
            solver_();
    });
}

// ---------------------------------------------------------------------------
// The window's build and the reset

bool MainInputPages::setConfiguratorTexts(Guard& g)
{
    return g.step([&] { txtTypeDesc->setPlainText(text(1832)); }) && g.step([&] { cmdCopyKey->setText(text(1833)); }) &&
           g.step([&] { lblDrawings->setText(text(1834)); });
}

bool MainInputPages::fillLists(Guard& g)
{
    const CalculationState& c = state_.calc;
    struct ListFill {
        QComboBox* combo;
        std::int32_t firstId;
        int count;
        Integer index;
    };
    const ListFill lists[] = {
        {Combo1, 1069, listcount::Combo1, c.gMediumNr},
        {Combo2, 1085, listcount::Combo2, c.gPrimaerelementtyp},
        {Combo3, 1420, listcount::Combo3, c.gNennweite},
        {Combo4, 1450, listcount::Combo4, c.gDruckstufe},
        {Combo5, 1110, listcount::Combo5, c.gWerkstoffRohr},
        {Combo6, 1101, listcount::Combo6, c.gWerkstoffElement},
        {Combo7, 1130, listcount::Combo7, c.gDpAnschluss},
        {Combo12, 1150, listcount::Combo12, c.gPTSensoren},
        {Combo13, 1570, listcount::Combo13, c.gEinbauform},
        {Combo8, 1180, listcount::Combo8, c.gDurchflussEinheit},
        {Combo9, 1340, listcount::Combo9, c.gDruckEinheit},
        {Combo10, 1360, listcount::Combo10, c.gDpEinheit},
        {Combo11, 1370, listcount::Combo11, c.gTemperaturEinheit},
    };
    for (const ListFill& l : lists) {
        if (!g.step([&] {
                QStringList items;
                for (int i = 0; i < l.count; ++i) {
                    // The element types' last entry lies apart from the others.
                    const std::int32_t id = (l.combo == Combo2 && i == 15) ? 1583 : l.firstId + i;
                    items << text(id);
                }
                fillList(l.combo, items);
            }))
            return false;
        if (!g.step([&] { setListIndex(l.combo, l.index); }))
            return false;
    }
    return true;
}

std::string MainInputPages::dateDefault() const
{
    const auto now = clock_ ? clock_->now() : std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
    // The general date format with a German date setting, cut to 16 characters:
    // the seconds fall away.
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("dd.MM.yyyy hh:mm")).left(16).toStdString();
}

void MainInputPages::ResetOberflaeche()
{
    Guard g(kModule, "ResetOberflaeche", "Public Sub ResetOberflaeche()");
    auto run = [&](auto&& f) { return g.step(f); };
    // 1. and 2. the model and the medium list.
    if (!run([&] { setOptionValue(Option1, true); }) || !run([&] { setOptionValue(Option2, false); }) ||
        !run([&] { setOptionValue(Option3, false); }) || !run([&] { setOptionValue(Option4, false); }) ||
        !run([&] { setListIndex(Combo1, 0); }))
        return;
    // 3. the medium boxes; the defaults are typed with a decimal comma.
    const std::pair<QLineEdit*, const char*> medium[] = {
        {Text1, ""}, {Text2, "1"}, {Text7, ""}, {Text3, ""}, {Text4, ""}, {Text5, ""},
        {Text6, ""}, {Text13, ""}, {Text14, ""}, {Text29, "1,4"}, {Text30, "1,4"}};
    for (const auto& [b, t] : medium)
        if (!run([&] { setText(b, t); }))
            return;
    // 4. and 5. the element type, the pipe and element boxes.
    if (!run([&] { setListIndex(Combo2, 0); }) || !run([&] { Text8->clear(); }) || !run([&] { Text22->clear(); }) ||
        !run([&] { Text9->clear(); }) || !run([&] { setCheckValue(Check2, 0); }) || !run([&] { Text10->clear(); }) ||
        !run([&] { Text11->clear(); }) || !run([&] { setText(Text15, "1,0000"); }))
        return;
    // 6. the lists first: with Option6 still selected they look up DN10.
    if (!run([&] { setListIndex(Combo3, 0); }) || !run([&] { setListIndex(Combo4, 0); }) ||
        !run([&] { setOptionValue(Option5, true); }) || !run([&] { setOptionValue(Option6, false); }))
        return;
    // 7. the flow page.
    if (!run([&] { Text16->clear(); }) || !run([&] { setListIndex(Combo9, 0); }) || !run([&] { Text17->clear(); }) ||
        !run([&] { setListIndex(Combo11, 0); }) || !run([&] { Text18->clear(); }) ||
        !run([&] { setListIndex(Combo8, 0); }) || !run([&] { Text19->clear(); }) ||
        !run([&] { setCheckValue(Check1, 0); }) || !run([&] { Text20->clear(); }) || !run([&] { Text21->clear(); }) ||
        !run([&] { setListIndex(Combo10, 0); }) || !run([&] { Text37->clear(); }) ||
        !run([&] { setCheckValue(Check4, 0); }) || !run([&] { Check4->setEnabled(true); }))
        return;
    // 8. the customer, the file name panel, the project.
    for (QLineEdit* b : {Text23, Text24, Text25, Text26, Text27, Text28})
        if (!run([&] { b->clear(); }))
            return;
    if (!run([&] {
            if (fileNamePanel_)
                fileNamePanel_("");
        }))
        return;
    for (QLineEdit* b : {Text31, Text32, Text33, Text34, Text35})
        if (!run([&] { b->clear(); }))
            return;
    // 9. the date.
    if (!run([&] { setText(Text36, dateDefault()); }))
        return;
    // 10. the installation panel.
    for (QComboBox* l : {Combo5, Combo6, Combo7, Combo12, Combo13})
        if (!run([&] { setListIndex(l, 0); }))
            return;
    if (!run([&] { setOptionValue(Option14, true); }) || !run([&] { setOptionValue(Option11, false); }) ||
        !run([&] { setOptionValue(Option12, false); }) || !run([&] { setCheckValue(Check3, 0); }) ||
        !run([&] { setOptionValue(Option7, true); }) || !run([&] { setTag(Label62, "1581"); }))
        return;
    // 11. the type code: empty and red until the configuration is complete.
    if (!run([&] { txtCodeDisplay->clear(); }) || !run([&] { setBaseColour(txtCodeDisplay, kCodeIncomplete); }))
        return;
}

// ---------------------------------------------------------------------------
// Model handlers

namespace {

// One row of a model's table: the label's enabled state and whether the box is
// open (enabled, window background) or greyed.
enum ModelRow { Off = 0, On = 1, OnGreyed = 2 };

}  // namespace

void MainInputPages::setModelControls(const int (&states)[12], bool combo1Open)
{
    // Rows in the order of the model table of the Medium page; states[11] unused.
    QLabel* const labels[] = {Label1, Label2, Label3, Label50, Label30, Label4,
                              Label5, Label6, Label7, Label53, Label31};
    QLineEdit* const boxes[] = {Text1, Text2, Text7, Text29, Text13, Text3, Text4, Text5, Text6, Text30, Text14};
    setInputEnabled(Combo1, combo1Open);
    for (int i = 0; i < 11; ++i) {
        labels[i]->setEnabled(states[i] != Off);
        setInputEnabled(boxes[i], states[i] == On);
    }
}

void MainInputPages::Option1_Click()
{
    Guard g(kModule, "Option1_Click", "Private Sub Option1_Click()");
    g.step([&] {
        if (!Option1->isChecked())
            return;
        const int s[12] = {Off, Off, Off, Off, Off, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, true);
    });
}

void MainInputPages::Option2_Click()
{
    Guard g(kModule, "Option2_Click", "Private Sub Option2_Click()");
    g.step([&] {
        if (!Option2->isChecked())
            return;
        Label1->setText(text(1051));
        Label8->setText(QStringLiteral("kg/Nm³"));
        const int s[12] = {On, On, On, On, On, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, false);
    });
}

void MainInputPages::Option3_Click()
{
    Guard g(kModule, "Option3_Click", "Private Sub Option3_Click()");
    g.step([&] {
        if (!Option3->isChecked())
            return;
        const int s[12] = {Off, Off, Off, Off, Off, On, On, On, On, On, On, 0};
        setModelControls(s, false);
    });
}

void MainInputPages::Option4_Click()
{
    Guard g(kModule, "Option4_Click", "Private Sub Option4_Click()");
    // The window's texts again, before the value is tested.
    if (!g.step([&] { LoadResstrings(form_->window(), state_.ui.gSprachOffset); }))
        return;
    g.step([&] {
        if (!Option4->isChecked())
            return;
        Label1->setText(text(1326));
        Label8->setText(QStringLiteral("kg/m³"));
        // The liquid model takes no compressibility and no isentropic exponent,
        // while their labels stay on.
        const int s[12] = {On, OnGreyed, On, OnGreyed, On, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, false);
    });
}

// ---------------------------------------------------------------------------
// Pipe entry and orientation

void MainInputPages::Option5_Click()
{
    Guard g(kModule, "Option5_Click", "Private Sub Option5_Click()");
    g.step([&] {
        setInputEnabled(Text8, true);
        setInputEnabled(Text9, true);
        for (QWidget* w : std::initializer_list<QWidget*>{Label19, Label17, Label20, Label18, Text22, Check2, Label58})
            w->setEnabled(true);
        for (QWidget* w : std::initializer_list<QWidget*>{Combo3, Combo4, Label21, Label22})
            w->setEnabled(false);
    });
}

void MainInputPages::Option6_Click()
{
    Guard g(kModule, "Option6_Click", "Private Sub Option6_Click()");
    g.step([&] {
        setInputEnabled(Text8, false);
        setInputEnabled(Text9, false);
        for (QWidget* w : std::initializer_list<QWidget*>{Label19, Label17, Label20, Label18, Text22, Check2, Label58})
            w->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{Combo3, Combo4, Label21, Label22})
            w->setEnabled(true);
    });
}

void MainInputPages::Option11_Click()
{
    Guard g(kModule, "Option11_Click", "Private Sub Option11_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10})
            o->setEnabled(true);
        Option13->setEnabled(false);
    });
}

void MainInputPages::Option12_Click()
{
    Guard g(kModule, "Option12_Click", "Private Sub Option12_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10})
            o->setEnabled(false);
        Option13->setEnabled(true);
    });
}

void MainInputPages::Option14_Click()
{
    Guard g(kModule, "Option14_Click", "Private Sub Option14_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10, Option13})
            o->setEnabled(false);
    });
}

// ---------------------------------------------------------------------------
// Check boxes and lists

void MainInputPages::Check1_Click()
{
    Guard g(kModule, "Check1_Click", "Private Sub Check1_Click()");
    g.step([&] {
        const int v = checkValue(Check1);
        if (v != 0 && v != 1)
            return;
        const bool on = v == 1;
        for (QLineEdit* b : {Text19, Text20, Text21})
            setInputEnabled(b, on);
        for (QLabel* l : {Label36, Label37, Label38, Label41, Label42, Label43})
            l->setEnabled(on);
    });
}

void MainInputPages::Check2_Click()
{
    Guard g(kModule, "Check2_Click", "Private Sub Check2_Click()");
    g.step([&] {
        const int v = checkValue(Check2);
        if (v != 0 && v != 1)
            return;
        setInputEnabled(Text22, v == 1);
        Label58->setEnabled(v == 1);
    });
}

void MainInputPages::Check4_Click()
{
    Guard g(kModule, "Check4_Click", "Private Sub Check4_Click()");
    g.step([&] {
        const int v = checkValue(Check4);
        if (v != 0 && v != 1)
            return;
        setInputEnabled(Text37, v == 1);
        for (QWidget* w : std::initializer_list<QWidget*>{Label63, Option17, Option18, Command3})
            w->setEnabled(v == 1);
    });
}

void MainInputPages::Combo1_Click()
{
    // Choosing a medium changes no control; the reading takes the choice.
    Guard g(kModule, "Combo1_Click", "Private Sub Combo1_Click()");
}

void MainInputPages::Combo8_Click()
{
    Guard g(kModule, "Combo8_Click", "Private Sub Combo8_Click()");
    for (QLabel* l : {Label41, Label42, Label43})
        if (!g.step([&] { l->setText(Combo8->currentText()); }))
            return;
}

void MainInputPages::Combo2_Click()
{
    Guard g(kModule, "Combo2_Click", "Private Sub Combo2_Click()");
    g.step([&] {
        if (state_.config.gConfEventsAus == True)
            return;
        const int t = Combo2->currentIndex();
        if (t < 0)
            return;
        auto caption = [&](QLabel* l, std::int32_t id) {
            l->setText(text(id));
            l->show();
        };
        // The bore (types 1 and 9..15) or the other make's K number and probe
        // width (type 8); the averaging probes 2..7 take neither.
        const bool first = t == 1 || t >= 8;
        const bool second = t == 8;
        if (first) {
            caption(Label23, t == 8 ? 1480 : 1481);
            Text10->show();
            caption(Label26, t == 8 ? 1510 : 1511);
        } else {
            Label23->hide();
            Text10->hide();
            Label26->hide();
        }
        if (second) {
            caption(Label24, 1490);
            Text11->clear();
            Text11->show();
            caption(Label27, 1520);
        } else {
            Label24->hide();
            Text11->hide();
            Label27->hide();
        }
        // The small-flow meter run comes with its own pipe.
        Frame2->setVisible(t != 1);
    });
    // The maker's models load their configuration; the other types hide it
    // (rows, type information and code stay as the last model left them).
    if (!g.step([&] {
            const int t = Combo2->currentIndex();
            if (isTrue(state_.config.gConfEventsAus) || t < 0)
                return false;
            if (isConfiguredModel(static_cast<std::int16_t>(t)))
                configPage_->loadModel(Combo2->itemText(t).trimmed().toStdString());
            else
                fraConfigSelect->hide();
            return true;
        }))
        return;
    g.step([&] { Label29->setText(text(1530 + Combo2->currentIndex())); });
}

void MainInputPages::Combo3_Click()
{
    Guard g(kModule, "Combo3_Click", "Private Sub Combo3_Click()");
    g.step([&] { normmassLookup(); });
}

void MainInputPages::Combo4_Click()
{
    Guard g(kModule, "Combo4_Click", "Private Sub Combo4_Click()");
    g.step([&] { normmassLookup(); });
}

void MainInputPages::normmassLookup()
{
    if (!Option6->isChecked())
        return;
    const int i = Combo3->currentIndex();
    const int j = Combo4->currentIndex();
    if (i < 0 || j < 0)
        return;
    RohrDaten& pipe = state_.calc;
    if (const auto entry = NormmassTabelle(i, j)) {
        pipe.gInnendurchmesser = entry->D;
        pipe.gWandstaerke = entry->s;
    } else {
        messages_.show({missingNormmassMessage(i), kProgramTitle});
        // Lowering the class runs the lookup again, which finds the entry.
        setListIndex(Combo4, highestDruckstufe(i));
    }
    setText(Text8, strForm(pipe.gInnendurchmesser));
    setText(Text9, strForm(pipe.gWandstaerke));
    if (confFieldClick_)
        confFieldClick_(0);
}

// ---------------------------------------------------------------------------
// The widgets as plain values

namespace {

std::string str(const QLineEdit* b) { return b->text().toStdString(); }
std::int16_t idx(const QComboBox* l) { return static_cast<std::int16_t>(l->currentIndex()); }
std::int16_t chk(const QCheckBox* b) { return static_cast<std::int16_t>(checkValue(b)); }

}  // namespace

void MainInputPages::toControls(InputControls& c) const
{
    c.Option1 = Option1->isChecked();
    c.Option2 = Option2->isChecked();
    c.Option3 = Option3->isChecked();
    c.Option4 = Option4->isChecked();
    c.Combo1 = idx(Combo1);
    c.Text1 = str(Text1);
    c.Text2 = str(Text2);
    c.Text7 = str(Text7);
    c.Text29 = str(Text29);
    c.Text13 = str(Text13);
    c.Text3 = str(Text3);
    c.Text4 = str(Text4);
    c.Text5 = str(Text5);
    c.Text6 = str(Text6);
    c.Text30 = str(Text30);
    c.Text14 = str(Text14);

    c.Combo2 = idx(Combo2);
    c.Text10 = str(Text10);
    c.Text11 = str(Text11);
    c.Text15 = str(Text15);
    c.Option15 = Option15->isChecked();
    c.Option16 = Option16->isChecked();
    c.Option5 = Option5->isChecked();
    c.Text8 = str(Text8);
    c.Check2 = chk(Check2);
    c.Text22 = str(Text22);
    c.Text9 = str(Text9);
    c.Option6 = Option6->isChecked();
    c.Combo3 = idx(Combo3);
    c.Combo4 = idx(Combo4);

    c.Text16 = str(Text16);
    c.Combo9 = idx(Combo9);
    c.Text17 = str(Text17);
    c.Combo11 = idx(Combo11);
    c.Text18 = str(Text18);
    c.Combo8 = idx(Combo8);
    c.Check1 = chk(Check1);
    c.Text19 = str(Text19);
    c.Text20 = str(Text20);
    c.Text21 = str(Text21);
    c.Combo10 = idx(Combo10);
    c.Check4 = chk(Check4);
    c.Check4Enabled = Check4->isEnabled();
    c.Text37 = str(Text37);
    c.Option17 = Option17->isChecked();
    c.Option18 = Option18->isChecked();

    c.Text23 = str(Text23);
    c.Text24 = str(Text24);
    c.Text25 = str(Text25);
    c.Text26 = str(Text26);
    c.Text27 = str(Text27);
    c.Text28 = str(Text28);
    c.Text31 = str(Text31);
    c.Text32 = str(Text32);
    c.Text33 = str(Text33);
    c.Text34 = str(Text34);
    c.Text35 = str(Text35);
    c.Text36 = str(Text36);
    c.Text12 = Text12->toPlainText().toStdString();

    c.txtTypeInfo = str(txtTypeInfo);
    c.txtCodeDisplay = str(txtCodeDisplay);
    // The rows in use.
    const int rows = std::clamp<int>(state_.config.gConfFeldAnzahl, 0, configPage_->loadedRows());
    c.confRows.assign(static_cast<std::size_t>(rows), {});
    for (int i = 0; i < rows; ++i) {
        ConfigRowControls& row = c.confRows[static_cast<std::size_t>(i)];
        row.cmbConfField = idx(configPage_->cmbConfField(i));
        row.txtValueEntry = str(configPage_->txtValueEntry(i));
        row.txtValueEntryVisible = !configPage_->txtValueEntry(i)->isHidden();
        row.lblEntryInfoVisible = !configPage_->lblEntryInfo(i)->isHidden();
        row.lblEntryInfo = configPage_->lblEntryInfo(i)->text().toStdString();
    }

    c.Combo5 = idx(Combo5);
    c.Combo6 = idx(Combo6);
    c.Combo7 = idx(Combo7);
    c.Combo12 = idx(Combo12);
    c.Combo13 = idx(Combo13);
    c.Check3 = chk(Check3);
    c.Label62Tag = Label62->property("Tag").toString().toStdString();
    c.Option14 = Option14->isChecked();
    c.Option11 = Option11->isChecked();
    c.Option12 = Option12->isChecked();
    c.Option7 = Option7->isChecked();
    c.Option8 = Option8->isChecked();
    c.Option9 = Option9->isChecked();
    c.Option10 = Option10->isChecked();
    c.Option13 = Option13->isChecked();
}

void MainInputPages::fromControls(const InputControls& c)
{
    Guard g(kModule, "fromControls", "Private Sub fromControls(c As InputControls)");
    // An option of a group is set true only: selecting it clears the others, and
    // its click handler runs. Option13 sits alone and takes its value as given.
    auto opt = [&](QRadioButton* o, bool v) {
        if (v)
            setOptionValue(o, true);
    };
    const std::function<void()> steps[] = {
        // Medium
        [&] { opt(Option1, c.Option1); }, [&] { opt(Option2, c.Option2); }, [&] { opt(Option3, c.Option3); },
        [&] { opt(Option4, c.Option4); }, [&] { setListIndex(Combo1, c.Combo1); },
        [&] { setText(Text1, c.Text1); }, [&] { setText(Text2, c.Text2); }, [&] { setText(Text7, c.Text7); },
        [&] { setText(Text29, c.Text29); }, [&] { setText(Text13, c.Text13); }, [&] { setText(Text3, c.Text3); },
        [&] { setText(Text4, c.Text4); }, [&] { setText(Text5, c.Text5); }, [&] { setText(Text6, c.Text6); },
        [&] { setText(Text30, c.Text30); }, [&] { setText(Text14, c.Text14); },
        // Element and pipe: the element type first (it relabels and empties
        // Text11), the pipe entry before the lists, the boxes last, so the
        // restored texts stand whatever the handlers wrote.
        [&] { setListIndex(Combo2, c.Combo2); }, [&] { opt(Option15, c.Option15); },
        [&] { opt(Option16, c.Option16); }, [&] { opt(Option5, c.Option5); }, [&] { opt(Option6, c.Option6); },
        [&] { setListIndex(Combo3, c.Combo3); }, [&] { setListIndex(Combo4, c.Combo4); },
        [&] { setCheckValue(Check2, c.Check2); }, [&] { setText(Text10, c.Text10); },
        [&] { setText(Text11, c.Text11); }, [&] { setText(Text15, c.Text15); }, [&] { setText(Text8, c.Text8); },
        [&] { setText(Text22, c.Text22); }, [&] { setText(Text9, c.Text9); },
        // Flow page
        [&] { setText(Text16, c.Text16); }, [&] { setListIndex(Combo9, c.Combo9); },
        [&] { setText(Text17, c.Text17); }, [&] { setListIndex(Combo11, c.Combo11); },
        [&] { setText(Text18, c.Text18); }, [&] { setListIndex(Combo8, c.Combo8); },
        [&] { setCheckValue(Check1, c.Check1); }, [&] { setText(Text19, c.Text19); },
        [&] { setText(Text20, c.Text20); }, [&] { setText(Text21, c.Text21); },
        [&] { setListIndex(Combo10, c.Combo10); }, [&] { setCheckValue(Check4, c.Check4); },
        [&] { Check4->setEnabled(c.Check4Enabled); }, [&] { setText(Text37, c.Text37); },
        [&] { opt(Option17, c.Option17); }, [&] { opt(Option18, c.Option18); },
        // Address page
        [&] { setText(Text23, c.Text23); }, [&] { setText(Text24, c.Text24); }, [&] { setText(Text25, c.Text25); },
        [&] { setText(Text26, c.Text26); }, [&] { setText(Text27, c.Text27); }, [&] { setText(Text28, c.Text28); },
        [&] { setText(Text31, c.Text31); }, [&] { setText(Text32, c.Text32); }, [&] { setText(Text33, c.Text33); },
        [&] { setText(Text34, c.Text34); }, [&] { setText(Text35, c.Text35); }, [&] { setText(Text36, c.Text36); },
        [&] { Text12->setPlainText(QString::fromStdString(c.Text12)); },
        [&] {
            if (fileNamePanel_)
                fileNamePanel_(c.statusPanel1);
        },
        // Installation panel
        [&] { setListIndex(Combo5, c.Combo5); }, [&] { setListIndex(Combo6, c.Combo6); },
        [&] { setListIndex(Combo7, c.Combo7); }, [&] { setListIndex(Combo12, c.Combo12); },
        [&] { setListIndex(Combo13, c.Combo13); }, [&] { setCheckValue(Check3, c.Check3); },
        [&] { Label62->setProperty("Tag", QString::fromStdString(c.Label62Tag)); },
        [&] { opt(Option14, c.Option14); }, [&] { opt(Option11, c.Option11); }, [&] { opt(Option12, c.Option12); },
        [&] { opt(Option7, c.Option7); }, [&] { opt(Option8, c.Option8); }, [&] { opt(Option9, c.Option9); },
        [&] { opt(Option10, c.Option10); }, [&] { setOptionValue(Option13, c.Option13); },
    };
    for (const auto& s : steps)
        if (!g.step(s))
            return;
}

}  // namespace morvane

// ---------------------------------------------------------------------------
// The writing's hook and the drivers' view of the window

namespace morvane {

namespace {

template <class W, class V>
struct Binding {
    const char* name;
    V InputControls::*field;
    W* MainInputPages::*widget;
};

#define MORVANE_BIND(n) {#n, &InputControls::n, &MainInputPages::n}
const Binding<QLineEdit, std::string> kTexts[] = {
    MORVANE_BIND(Text1),  MORVANE_BIND(Text2),  MORVANE_BIND(Text7),  MORVANE_BIND(Text29), MORVANE_BIND(Text13),
    MORVANE_BIND(Text3),  MORVANE_BIND(Text4),  MORVANE_BIND(Text5),  MORVANE_BIND(Text6),  MORVANE_BIND(Text30),
    MORVANE_BIND(Text14), MORVANE_BIND(Text10), MORVANE_BIND(Text11), MORVANE_BIND(Text15), MORVANE_BIND(Text8),
    MORVANE_BIND(Text22), MORVANE_BIND(Text9),  MORVANE_BIND(Text16), MORVANE_BIND(Text17), MORVANE_BIND(Text18),
    MORVANE_BIND(Text19), MORVANE_BIND(Text20), MORVANE_BIND(Text21), MORVANE_BIND(Text37), MORVANE_BIND(Text23),
    MORVANE_BIND(Text24), MORVANE_BIND(Text25), MORVANE_BIND(Text26), MORVANE_BIND(Text27), MORVANE_BIND(Text28),
    MORVANE_BIND(Text31), MORVANE_BIND(Text32), MORVANE_BIND(Text33), MORVANE_BIND(Text34), MORVANE_BIND(Text35),
    MORVANE_BIND(Text36), MORVANE_BIND(txtTypeInfo), MORVANE_BIND(txtCodeDisplay)};
const Binding<QComboBox, std::int16_t> kLists[] = {
    MORVANE_BIND(Combo1),  MORVANE_BIND(Combo2),  MORVANE_BIND(Combo3),  MORVANE_BIND(Combo4),  MORVANE_BIND(Combo5),
    MORVANE_BIND(Combo6),  MORVANE_BIND(Combo7),  MORVANE_BIND(Combo8),  MORVANE_BIND(Combo9),  MORVANE_BIND(Combo10),
    MORVANE_BIND(Combo11), MORVANE_BIND(Combo12), MORVANE_BIND(Combo13)};
const Binding<QCheckBox, std::int16_t> kChecks[] = {MORVANE_BIND(Check1), MORVANE_BIND(Check2), MORVANE_BIND(Check3),
                                                    MORVANE_BIND(Check4)};
const Binding<QRadioButton, bool> kOptions[] = {
    MORVANE_BIND(Option1),  MORVANE_BIND(Option2),  MORVANE_BIND(Option3),  MORVANE_BIND(Option4),
    MORVANE_BIND(Option5),  MORVANE_BIND(Option6),  MORVANE_BIND(Option7),  MORVANE_BIND(Option8),
    MORVANE_BIND(Option9),  MORVANE_BIND(Option10), MORVANE_BIND(Option11), MORVANE_BIND(Option12),
    MORVANE_BIND(Option13), MORVANE_BIND(Option14), MORVANE_BIND(Option15), MORVANE_BIND(Option16),
    MORVANE_BIND(Option17), MORVANE_BIND(Option18)};
#undef MORVANE_BIND

// "cmbConfField(3)" -> {"cmbConfField", 3}.
std::optional<std::pair<std::string_view, int>> configRow(std::string_view control)
{
    for (std::string_view name : {"cmbConfField", "txtValueEntry", "lblEntryInfo"}) {
        if (control.size() > name.size() + 2 && control.substr(0, name.size()) == name &&
            control[name.size()] == '(' && control.back() == ')') {
            int i = 0;
            const std::string_view digits = control.substr(name.size() + 1, control.size() - name.size() - 2);
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), i);
            if (ec == std::errc() && end == digits.data() + digits.size())
                return std::pair{name, i};
        }
    }
    return std::nullopt;
}

template <class T, std::size_t N>
const T* named(const T (&table)[N], std::string_view name)
{
    for (const T& b : table)
        if (name == b.name)
            return &b;
    return nullptr;
}

}  // namespace

void MainInputPages::applyControl(std::string_view control, InputControls& c)
{
    // Lists, check boxes and options may run their click handlers.
    bool handlers = true;
    if (const auto* b = named(kTexts, control)) {
        setText(this->*(b->widget), c.*(b->field));
        handlers = false;
    } else if (const auto* l = named(kLists, control)) {
        QComboBox* list = this->*(l->widget);
        const int before = list->currentIndex();
        setListIndex(list, c.*(l->field));
        // An opened file loads its model again even when the list shows it
        // already, so the saved rows meet a freshly built configuration.
        if (list == Combo2 && list->currentIndex() == before)
            Combo2_Click();
    } else if (const auto* k = named(kChecks, control)) {
        setCheckValue(this->*(k->widget), c.*(k->field));
    } else if (const auto* o = named(kOptions, control)) {
        setOptionValue(this->*(o->widget), c.*(o->field));
    } else if (control == "Text12") {
        Text12->setPlainText(QString::fromStdString(c.Text12));
        handlers = false;
    } else if (control == "Check4Enabled") {
        Check4->setEnabled(c.Check4Enabled);
        handlers = false;
    } else if (control == "Label62Tag") {
        Label62->setProperty("Tag", QString::fromStdString(c.Label62Tag));
        handlers = false;
    } else if (control == "statusPanel1") {
        if (fileNamePanel_)
            fileNamePanel_(c.statusPanel1);
        handlers = false;
    } else if (control == "cmbConfField_Click(0)") {
        configPage_->rebuildAfterRestore();
    } else if (const auto row = configRow(control)) {
        // The configuration rows: cmbConfField(i), txtValueEntry(i),
        // lblEntryInfo(i), set while the configurator is muted.
        const auto& [name, i] = *row;
        const ConfigRowControls& r = c.confRows.at(static_cast<std::size_t>(i));
        if (name == "cmbConfField") {
            configPage_->restoreListIndex(i, r.cmbConfField);
        } else if (name == "txtValueEntry") {
            QLineEdit* entry = configPage_->txtValueEntry(i);
            setText(entry, r.txtValueEntry);
            entry->setVisible(r.txtValueEntryVisible);
        } else {
            QLabel* label = configPage_->lblEntryInfo(i);
            label->setText(QString::fromStdString(r.lblEntryInfo));
            label->setVisible(r.lblEntryInfoVisible);
        }
    } else {
        handlers = false;
    }
    if (handlers)
        toControls(c);
}

void MainInputPages::WriteOberflaeche()
{
    // The writing registers with the tracer itself; the hook's changes are its
    // statements.
    InputControls c;
    toControls(c);
    morvane::WriteOberflaeche(state_, c, [&](std::string_view name) { applyControl(name, c); });
}

std::string MainInputPages::typeInfoText() const { return txtTypeInfo->text().toStdString(); }

std::string MainInputPages::codeDisplayText() const { return txtCodeDisplay->text().toStdString(); }

void MainInputPages::rebuildTypeCode()
{
    if (confFieldClick_)
        confFieldClick_(0);
}

void MainInputPages::ReadOberflaeche(ReadingFor purpose)
{
    InputControls c;
    toControls(c);
    morvane::ReadOberflaeche(c, state_, purpose);
}

void MainInputPages::setText8(const std::string& text) { morvane::setText(Text8, text); }

void MainInputPages::setText10(const std::string& text) { morvane::setText(Text10, text); }

void MainInputPages::setText18(const std::string& text) { morvane::setText(Text18, text); }

void MainInputPages::selectOption5() { setOptionValue(Option5, true); }

}  // namespace morvane
