#include "mainwindow/qt/MainInputPages.h"
#include "mainwindow/qt/MainInputShared.h"

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

}  // namespace morvane
