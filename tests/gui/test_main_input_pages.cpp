// The main window's input pages: the controls and their design states, the
// defaults of ResetOberflaeche with the events it causes, the option, check-box
// and list handlers, the standard pipe table lookup, the texts in both
// languages, the copy of the widgets into the plain input record and back, and
// every control of the window's table through the reading and the writing.
#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "common/qt/CodeEvents.h"
#include "common/qt/Greying.h"
#include "common/qt/LoadResstrings.h"
#include "app/qt/frmMain.h"
#include "mainwindow/qt/MainControls.h"
#include "mainwindow/qt/MainInputPages.h"
#include "support/Fakes.h"
#include "support/ShellFakes.h"
#include "tracing/Guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <memory>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

using namespace morvane;
using namespace morvane::testing;

namespace {

QColor windowColour() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }
QColor faceColour() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

// The five pages in a bare tab control, as the main window's frame holds them.
struct PagesRig {
    explicit PagesRig(std::int32_t offset = 0)
    {
        state.ui.gSprachOffset = offset;
        tabs = new QTabWidget(&host);
        for (int i = 0; i < 5; ++i)
            tabs->addTab(new QWidget, QString::number(i));
        pages = std::make_unique<MainInputPages>(tabs, &host, state, messages);
        pages->setClock(&clock);
        pages->setFileNamePanel([this](const std::string& t) { fileNamePanel.push_back(t); });
        pages->setConfFieldClick([this](int index) { confFieldClicks.push_back(index); });
    }
    // The window's build outside the load: texts, lists, defaults.
    void load()
    {
        LoadResstrings(&host, state.ui.gSprachOffset);
        Guard g("frmMain", "Form_Load", "Private Sub Form_Load()");
        QVERIFY(pages->setConfiguratorTexts(g));
        QVERIFY(pages->fillLists(g));
        pages->ResetOberflaeche();
    }
    template <class T>
    T* find(const char* name) const
    {
        return host.findChild<T*>(QString::fromLatin1(name));
    }

    TestTracer tracer;
    ProgramState state;
    RecordingMessageBox messages;
    FixedClock clock{9, 5, 42};
    QWidget host;
    QTabWidget* tabs = nullptr;
    std::unique_ptr<MainInputPages> pages;
    std::vector<std::string> fileNamePanel;
    std::vector<int> confFieldClicks;
};

bool greyed(const QWidget* w) { return !w->isEnabled() && w->palette().color(QPalette::Base) == faceColour(); }
bool open(const QWidget* w) { return w->isEnabled() && w->palette().color(QPalette::Base) == windowColour(); }

}  // namespace

class TestMainInputPages : public QObject {
    Q_OBJECT

private slots:
    void controlsExistOnTheirPages();
    void designStates();
    void resetDefaults();
    void resetKeepsRemarksAndUntouchedOptions();
    void resetWithTableEntryLooksUpDN10();
    void modelHandlers_data();
    void modelHandlers();
    void modelCaptionsOnlyFromOption2AndOption4();
    void pipeEntryHandlers();
    void orientationHandlersKeepTheSelection();
    void checkBoxHandlers_data();
    void checkBoxHandlers();
    void flowUnitLabels_data();
    void flowUnitLabels();
    void elementTypeRelabelling_data();
    void elementTypeRelabelling();
    void elementTypeMutedWhileEventsOff();
    void pipeTableLookup_data();
    void pipeTableLookup();
    void pipeTableLookupWithFreeEntryDoesNothing();
    void textsShowNoRawIds_data();
    void textsShowNoRawIds();
    void controlsRoundTrip();
    void everyControlReachesItsStateFieldAndBack_data();
    void everyControlReachesItsStateFieldAndBack();
    void writeAndReadThroughTheInputModel();
    void driverViewOfTheWindow();
    void mainWindowStartUpAndFileNew();
    void pageShots();
};

void TestMainInputPages::controlsExistOnTheirPages()
{
    PagesRig rig;
    struct Where {
        const char* name;
        int page;  // -1: the installation panel
    };
    const Where controls[] = {
        {"Option1", 0}, {"Combo1", 0}, {"Text1", 0}, {"Text14", 0}, {"Option3", 0}, {"Label51", 0},
        {"Combo2", 1}, {"Label29", 1}, {"Frame3", 1}, {"Text10", 1}, {"Text15", 1}, {"Option16", 1},
        {"Frame2", 1}, {"Option6", 1}, {"Combo3", 1}, {"Combo4", 1}, {"Text22", 1},
        {"Text16", 2}, {"Combo9", 2}, {"Check1", 2}, {"Label43", 2}, {"Check4", 2}, {"Text37", 2},
        {"Option18", 2}, {"Command3", 2},
        {"Text23", 3}, {"Text36", 3}, {"Frame1", 3}, {"Text12", 3},
        {"txtTypeInfo", 4}, {"txtCodeDisplay", 4}, {"fraConfigSelect", 4}, {"cmdPDFShow", 4},
        {"Combo13", -1}, {"Label62", -1}, {"Option13", -1},
    };
    for (const Where& c : controls) {
        QWidget* page = c.page < 0 ? rig.find<QWidget>("Frame4") : rig.tabs->widget(c.page);
        QVERIFY2(page->findChild<QWidget*>(QString::fromLatin1(c.name)), c.name);
    }
    // The option groups follow the containers.
    QCOMPARE(rig.pages->Option5->parentWidget(), rig.pages->Option6->parentWidget());
    QCOMPARE(rig.pages->Option15->parentWidget(), rig.pages->Frame3);
    QVERIFY(rig.pages->Option7->parentWidget() != rig.pages->Option13->parentWidget());
    QVERIFY(rig.pages->Option11->parentWidget() != rig.pages->Option7->parentWidget());
}

void TestMainInputPages::designStates()
{
    PagesRig rig;
    MainInputPages& p = *rig.pages;
    for (QLineEdit* b : {p.Text1, p.Text2, p.Text7, p.Text29, p.Text13, p.Text3, p.Text4, p.Text5, p.Text6,
                         p.Text30, p.Text19, p.Text20, p.Text21, p.Text37, p.Text22})
        QVERIFY2(greyed(b), qPrintable(b->objectName()));
    // Text14 is grey but not disabled at design.
    QVERIFY(p.Text14->isEnabled());
    QCOMPARE(p.Text14->palette().color(QPalette::Base), faceColour());
    QVERIFY(p.Option1->isChecked());
    QVERIFY(p.Option15->isChecked());
    QVERIFY(p.Option5->isChecked());
    QVERIFY(p.Option17->isChecked() && !p.Option17->isEnabled() && !p.Option18->isEnabled());
    QVERIFY(!p.Check4->isEnabled() && !p.Command3->isEnabled());
    QVERIFY(!p.Combo3->isEnabled() && !p.Combo4->isEnabled());
    QCOMPARE(p.Text15->text(), QStringLiteral("1,000"));
    for (QWidget* w : std::initializer_list<QWidget*>{p.Text10, p.Text11, p.Label23, p.Label24, p.Label26, p.Label27})
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
    QVERIFY(p.Frame4->isHidden());
    QVERIFY(p.Option14->isChecked() && p.Option7->isChecked() && p.Option13->isChecked());
    QVERIFY(!p.Option7->isEnabled() && !p.Option13->isEnabled());
    QCOMPARE(p.Label62->property("Tag").toString(), QStringLiteral("1581"));
    QCOMPARE(p.Combo1->currentIndex(), -1);
    QCOMPARE(p.Command1()->text(), QStringLiteral("Calc!"));
}

void TestMainInputPages::resetDefaults()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    const std::pair<QLineEdit*, const char*> texts[] = {
        {p.Text1, ""}, {p.Text2, "1"}, {p.Text29, "1,4"}, {p.Text30, "1,4"}, {p.Text15, "1,0000"},
        {p.Text8, ""}, {p.Text9, ""}, {p.Text16, ""}, {p.Text37, ""}, {p.Text23, ""}, {p.Text35, ""}};
    for (const auto& [b, t] : texts)
        QCOMPARE(b->text(), QString::fromLatin1(t));
    for (QComboBox* l : {p.Combo1, p.Combo2, p.Combo3, p.Combo4, p.Combo5, p.Combo6, p.Combo7, p.Combo8, p.Combo9,
                         p.Combo10, p.Combo11, p.Combo12, p.Combo13})
        QCOMPARE(l->currentIndex(), 0);
    QCOMPARE(p.Combo2->count(), 16);
    QCOMPARE(p.Combo2->itemText(15), QString::fromStdString(resText(1583, 0)));
    QVERIFY(p.Check4->isEnabled());
    QCOMPARE(checkValue(p.Check4), 0);
    QVERIFY(p.txtCodeDisplay->text().isEmpty());
    QCOMPARE(p.txtCodeDisplay->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(p.Label62->property("Tag").toString(), QStringLiteral("1581"));
    QCOMPARE(rig.fileNamePanel, std::vector<std::string>{""});
    // The date to the minute, as a German date setting shows it.
    const std::time_t t = std::chrono::system_clock::to_time_t(rig.clock.at);
    char expected[32];
    std::strftime(expected, sizeof expected, "%d.%m.%Y %H:%M", std::localtime(&t));
    QCOMPARE(p.Text36->text(), QString::fromLatin1(expected));
    // The flow unit handler ran: the range labels show the first unit.
    QCOMPARE(p.Label41->text(), QStringLiteral("Bitte klären"));
    // The element-type handler ran (events are on outside the load).
    QCOMPARE(p.Label29->text(), QString::fromStdString(resText(1530, 0)));
    QVERIFY(rig.messages.shown.empty());
}

void TestMainInputPages::resetKeepsRemarksAndUntouchedOptions()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    p.Text12->setPlainText(QStringLiteral("Bemerkung"));
    p.Text18->setText(QStringLiteral("500"));
    setOptionValue(p.Option16, true);
    setCheckValue(p.Check4, 1);
    setOptionValue(p.Option18, true);
    setOptionValue(p.Option3, true);
    setCheckValue(p.Check1, 1);
    p.ResetOberflaeche();
    QCOMPARE(p.Text12->toPlainText(), QStringLiteral("Bemerkung"));
    QVERIFY(p.Text18->text().isEmpty());
    QVERIFY(p.Option16->isChecked() && p.Option18->isChecked());
    // The cleared check boxes and the stored-data model greyed their inputs again.
    QVERIFY(p.Option1->isChecked() && !p.Option3->isChecked());
    QVERIFY(greyed(p.Text3) && open(p.Combo1));
    QVERIFY(greyed(p.Text19) && greyed(p.Text37) && !p.Command3->isEnabled());
}

void TestMainInputPages::resetWithTableEntryLooksUpDN10()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    setOptionValue(p.Option6, true);
    setListIndex(p.Combo3, 9);   // DN100
    setListIndex(p.Combo4, 7);   // PN 160
    QCOMPARE(p.Text8->text(), QStringLiteral(" 98.3"));
    p.ResetOberflaeche();
    // The lists go back while Option6 is still selected: DN10 PN 6 is looked up.
    QCOMPARE(p.Text8->text(), QStringLiteral(" 13.6"));
    QCOMPARE(p.Text9->text(), QStringLiteral(" 1.8"));
    QCOMPARE(rig.state.calc.gInnendurchmesser, 13.6);
    QCOMPARE(rig.state.calc.gWandstaerke, 1.8);
    QVERIFY(p.Option5->isChecked() && open(p.Text8));
}

void TestMainInputPages::modelHandlers_data()
{
    // Per model: Combo1 then the boxes Text1, Text2, Text7, Text29, Text13, Text3,
    // Text4, Text5, Text6, Text30, Text14 ('o' open, 'g' greyed), and their labels
    // Label1, Label2, Label3, Label50, Label30, Label4, Label5, Label6, Label7,
    // Label53, Label31 ('1' on, '0' off).
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("labels");
    QTest::newRow("Option1: stored tables, only the medium list") << 1 << "oggggggggggg" << "00000000000";
    QTest::newRow("Option2: ideal gas group") << 2 << "gooooogggggg" << "11111000000";
    QTest::newRow("Option3: Redlich-Kwong group") << 3 << "gggggg" "oooooo" << "00000111111";
    QTest::newRow("Option4: liquid, no compressibility or exponent") << 4 << "gogogogggggg" << "11111000000";
}

void TestMainInputPages::modelHandlers()
{
    QFETCH(int, model);
    QFETCH(QString, boxes);
    QFETCH(QString, labels);
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    // Start from another model, so the one under test becomes selected.
    setOptionValue(model == 2 ? p.Option3 : p.Option2, true);
    QRadioButton* options[] = {p.Option1, p.Option2, p.Option3, p.Option4};
    setOptionValue(options[model - 1], true);
    QWidget* const inputs[] = {p.Combo1, p.Text1, p.Text2, p.Text7, p.Text29, p.Text13,
                               p.Text3, p.Text4, p.Text5, p.Text6, p.Text30, p.Text14};
    QLabel* const captions[] = {p.Label1, p.Label2, p.Label3, p.Label50, p.Label30, p.Label4,
                                p.Label5, p.Label6, p.Label7, p.Label53, p.Label31};
    for (int i = 0; i < 12; ++i)
        QVERIFY2(boxes[i] == u'o' ? open(inputs[i]) : greyed(inputs[i]), qPrintable(inputs[i]->objectName()));
    for (int i = 0; i < 11; ++i)
        QVERIFY2(captions[i]->isEnabled() == (labels[i] == u'1'), qPrintable(captions[i]->objectName()));
}

void TestMainInputPages::modelCaptionsOnlyFromOption2AndOption4()
{
    for (const std::int32_t offset : {0, 10000}) {
        PagesRig rig(offset);
        rig.load();
        MainInputPages& p = *rig.pages;
        setOptionValue(p.Option4, true);
        QCOMPARE(p.Label1->text(), QString::fromStdString(resText(1326, offset)));
        QCOMPARE(p.Label8->text(), QStringLiteral("kg/m³"));
        setOptionValue(p.Option1, true);
        setOptionValue(p.Option3, true);
        // Neither sets the captions: the liquid's stay.
        QCOMPARE(p.Label1->text(), QString::fromStdString(resText(1326, offset)));
        QCOMPARE(p.Label8->text(), QStringLiteral("kg/m³"));
        setOptionValue(p.Option2, true);
        QCOMPARE(p.Label1->text(), QString::fromStdString(resText(1051, offset)));
        QCOMPARE(p.Label8->text(), QStringLiteral("kg/Nm³"));
    }
    QCOMPARE(QString::fromStdString(resText(1326, 10000)), QStringLiteral("Density @ process conditions"));

    // Option4's handler applies the window's texts again before it tests its
    // value, so a run that changes nothing else still restores them.
    PagesRig rig;
    rig.load();
    rig.pages->Label33->setText(QStringLiteral("overwritten"));
    rig.pages->Option4_Click();
    QCOMPARE(rig.pages->Label33->text(), QString::fromStdString(resText(1173, 0)));
    QVERIFY(rig.pages->Option1->isChecked() && greyed(rig.pages->Text1));
}

void TestMainInputPages::pipeEntryHandlers()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    p.Text8->setText(QStringLiteral("100"));
    setOptionValue(p.Option6, true);
    // Greyed with the typed text; no lookup until a list changes.
    QVERIFY(greyed(p.Text8) && greyed(p.Text9));
    QCOMPARE(p.Text8->text(), QStringLiteral("100"));
    QVERIFY(p.Combo3->isEnabled() && p.Combo4->isEnabled() && p.Label21->isEnabled());
    QVERIFY(!p.Check2->isEnabled() && !p.Text22->isEnabled() && !p.Label19->isEnabled());
    QVERIFY(rig.confFieldClicks.empty());
    setOptionValue(p.Option5, true);
    // Text22 and Check2 are enabled whatever Check2 holds; Text22 keeps its grey.
    QCOMPARE(checkValue(p.Check2), 0);
    QVERIFY(p.Text22->isEnabled() && p.Check2->isEnabled() && p.Label58->isEnabled());
    QCOMPARE(p.Text22->palette().color(QPalette::Base), faceColour());
    QVERIFY(open(p.Text8) && open(p.Text9) && !p.Combo3->isEnabled() && !p.Label22->isEnabled());
}

void TestMainInputPages::orientationHandlersKeepTheSelection()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    const auto positions = {p.Option7, p.Option8, p.Option9, p.Option10};
    setOptionValue(p.Option11, true);
    for (QRadioButton* o : positions)
        QVERIFY(o->isEnabled());
    QVERIFY(!p.Option13->isEnabled());
    setOptionValue(p.Option12, true);
    for (QRadioButton* o : positions)
        QVERIFY(!o->isEnabled());
    QVERIFY(p.Option13->isEnabled());
    // A switched-off position button keeps its value.
    QVERIFY(p.Option7->isChecked() && p.Option13->isChecked());
    setOptionValue(p.Option14, true);
    QVERIFY(!p.Option13->isEnabled() && !p.Option7->isEnabled());
}

void TestMainInputPages::checkBoxHandlers_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("inputs");   // text boxes: open / greyed
    QTest::addColumn<QStringList>("switched"); // labels, options, buttons: enabled only
    QTest::newRow("Check1: the operating range")
        << "Check1" << QStringList{"Text19", "Text20", "Text21"}
        << QStringList{"Label36", "Label37", "Label38", "Label41", "Label42", "Label43"};
    QTest::newRow("Check2: the duct's second side") << "Check2" << QStringList{"Text22"} << QStringList{"Label58"};
    QTest::newRow("Check4: known dp and the solver")
        << "Check4" << QStringList{"Text37"} << QStringList{"Label63", "Option17", "Option18", "Command3"};
}

void TestMainInputPages::checkBoxHandlers()
{
    QFETCH(QString, box);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, switched);
    PagesRig rig;
    rig.load();
    auto* check = rig.host.findChild<QCheckBox*>(box);
    for (QWidget* w : rig.host.findChildren<QLineEdit*>())
        if (inputs.contains(w->objectName()))
            static_cast<QLineEdit*>(w)->setText(QStringLiteral("12,5"));
    // Value 2 (greyed, set only by code) is neither 0 nor 1: the handler leaves
    // the dependent controls as the last 0 or 1 set them, switched on or off.
    bool on = false;
    for (const int value : {1, 0, 1, 2, 0, 2}) {
        setCheckValue(check, value);
        if (value != 2)
            on = value == 1;
        for (const QString& n : inputs) {
            auto* w = rig.host.findChild<QWidget*>(n);
            QVERIFY2(on ? open(w) : greyed(w), qPrintable(n + QStringLiteral(" after %1").arg(value)));
            // A typed value stays in its box.
            QCOMPARE(static_cast<QLineEdit*>(w)->text(), QStringLiteral("12,5"));
        }
        for (const QString& n : switched)
            QVERIFY2(rig.host.findChild<QWidget*>(n)->isEnabled() == on,
                     qPrintable(n + QStringLiteral(" after %1").arg(value)));
    }
    // The solver options keep their choice.
    QVERIFY(rig.pages->Option17->isChecked());
}

void TestMainInputPages::flowUnitLabels_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("shown");
    QTest::newRow("kg/h") << 0 << 3 << "kg/h";
    QTest::newRow("first entry, German") << 0 << 0 << "Bitte klären";
    QTest::newRow("first entry, English") << 10000 << 0 << "Please clarify";
}

void TestMainInputPages::flowUnitLabels()
{
    QFETCH(int, offset);
    QFETCH(int, unit);
    QFETCH(QString, shown);
    PagesRig rig(offset);
    rig.load();
    setListIndex(rig.pages->Combo8, 5);
    setListIndex(rig.pages->Combo8, unit);
    for (QLabel* l : {rig.pages->Label41, rig.pages->Label42, rig.pages->Label43})
        QCOMPARE(l->text(), shown);
}

void TestMainInputPages::elementTypeRelabelling_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("caption10");  // 0: Text10 and its labels hidden
    QTest::addColumn<int>("unit10");
    QTest::addColumn<bool>("second");    // Text11 with caption 1490 and unit 1520
    QTest::addColumn<bool>("pipeFrame");
    QTest::addColumn<bool>("configFrame");
    QTest::newRow("0 nothing chosen") << 0 << 0 << 0 << false << true << false;
    QTest::newRow("1 RQ8: bore, its own pipe") << 1 << 1481 << 1511 << false << false << true;
    QTest::newRow("2 RQ10: a configured probe") << 2 << 0 << 0 << false << true << true;
    QTest::newRow("7 RQ50: a configured probe") << 7 << 0 << 0 << false << true << true;
    QTest::newRow("8 other make: K number and width") << 8 << 1480 << 1510 << true << true << false;
    QTest::newRow("9 orifice: bore") << 9 << 1481 << 1511 << false << true << false;
    QTest::newRow("15 venturi: bore") << 15 << 1481 << 1511 << false << true << false;
}

void TestMainInputPages::elementTypeRelabelling()
{
    QFETCH(int, type);
    QFETCH(int, caption10);
    QFETCH(int, unit10);
    QFETCH(bool, second);
    QFETCH(bool, pipeFrame);
    QFETCH(bool, configFrame);
    for (const std::int32_t offset : {0, 10000}) {
        PagesRig rig(offset);
        rig.load();
        MainInputPages& p = *rig.pages;
        rig.host.show();
        p.Text11->setText(QStringLiteral("33"));
        setListIndex(p.Combo2, type == 8 ? 9 : 8);
        p.Text11->setText(QStringLiteral("33"));
        setListIndex(p.Combo2, type);
        const bool first = caption10 != 0;
        QCOMPARE(p.Text10->isHidden() == false, first);
        QCOMPARE(p.Label23->isHidden() == false, first);
        QCOMPARE(p.Label26->isHidden() == false, first);
        if (first) {
            QCOMPARE(p.Label23->text(), QString::fromStdString(resText(caption10, offset)));
            QCOMPARE(p.Label26->text(), QString::fromStdString(resText(unit10, offset)));
        }
        QCOMPARE(p.Text11->isHidden() == false, second);
        QCOMPARE(p.Label24->isHidden() == false, second);
        QCOMPARE(p.Label27->isHidden() == false, second);
        if (second) {
            QCOMPARE(p.Label24->text(), QString::fromStdString(resText(1490, offset)));
            QCOMPARE(p.Label27->text(), QString::fromStdString(resText(1520, offset)));
            QVERIFY(p.Text11->text().isEmpty());
        }
        QCOMPARE(p.Frame2->isHidden() == false, pipeFrame);
        QCOMPARE(p.fraConfigSelect->isHidden() == false, configFrame);
        QCOMPARE(p.Label29->text(), QString::fromStdString(resText(1530 + type, offset)));
    }
}

void TestMainInputPages::elementTypeMutedWhileEventsOff()
{
    PagesRig rig;
    rig.load();
    rig.state.config.gConfEventsAus = True;
    setListIndex(rig.pages->Combo2, 8);
    QVERIFY(rig.pages->Text10->isHidden());
    QCOMPARE(rig.pages->Label29->text(), QString::fromStdString(resText(1530, 0)));
}

void TestMainInputPages::pipeTableLookup_data()
{
    QTest::addColumn<QList<int>>("steps");  // pairs: 3 sets Combo3, 4 sets Combo4, then the index
    QTest::addColumn<int>("classAfter");
    QTest::addColumn<QString>("text8");
    QTest::addColumn<QString>("text9");
    QTest::addColumn<QStringList>("messages");
    const QString availabel = QStringLiteral("keine Normmaße vorhanden, no standard values availabel");
    const QString available = QStringLiteral("keine Normmaße vorhanden, no standard values available");
    QTest::newRow("DN10 PN 100") << QList<int>{3, 0, 4, 6} << 6 << " 13.6" << " 1.8" << QStringList{};
    QTest::newRow("DN10 PN 160") << QList<int>{3, 0, 4, 7} << 7 << " 13.2" << " 2" << QStringList{};
    QTest::newRow("DN400 PN 40, size last") << QList<int>{4, 4, 3, 16} << 4 << " 384.4" << " 11" << QStringList{};
    QTest::newRow("DN400 PN 40, class last") << QList<int>{3, 16, 4, 4} << 4 << " 384.4" << " 11" << QStringList{};
    QTest::newRow("DN350 PN 160: lowered to PN 100")
        << QList<int>{3, 15, 4, 7} << 6 << " 323.6" << " 16" << QStringList{availabel};
    QTest::newRow("DN700 PN 40: lowered to PN 25")
        << QList<int>{3, 19, 4, 4} << 3 << " 686" << " 12.5" << QStringList{available};
    QTest::newRow("DN100 PN 160 to DN600 and back keeps PN 25")
        << QList<int>{3, 9, 4, 7, 3, 18, 3, 9} << 3 << " 107.1" << " 3.6" << QStringList{available};
}

void TestMainInputPages::pipeTableLookup()
{
    QFETCH(QList<int>, steps);
    QFETCH(int, classAfter);
    QFETCH(QString, text8);
    QFETCH(QString, text9);
    QFETCH(QStringList, messages);
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    setOptionValue(p.Option6, true);
    for (qsizetype i = 0; i + 1 < steps.size(); i += 2)
        setListIndex(steps[i] == 3 ? p.Combo3 : p.Combo4, steps[i + 1]);
    QCOMPARE(p.Combo4->currentIndex(), classAfter);
    QCOMPARE(p.Text8->text(), text8);
    QCOMPARE(p.Text9->text(), text9);
    QCOMPARE(rig.state.calc.gInnendurchmesser, text8.trimmed().toDouble());
    QCOMPARE(rig.state.calc.gWandstaerke, text9.trimmed().toDouble());
    QCOMPARE(rig.messages.shown.size(), static_cast<std::size_t>(messages.size()));
    for (qsizetype i = 0; i < messages.size(); ++i) {
        QCOMPARE(QString::fromStdString(rig.messages.shown[i].text), messages[i]);
        QCOMPARE(rig.messages.shown[i].caption, std::string(kProgramTitle));
        QVERIFY(rig.messages.shown[i].buttons == MessageButtons::Ok);
    }
    // Every lookup that found its values had the type code rebuilt with row 0.
    QVERIFY(!rig.confFieldClicks.empty());
    for (int index : rig.confFieldClicks)
        QCOMPARE(index, 0);
}

void TestMainInputPages::pipeTableLookupWithFreeEntryDoesNothing()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    rig.state.calc.gInnendurchmesser = 50;
    p.Text8->setText(QStringLiteral("50"));
    rig.confFieldClicks.clear();
    setListIndex(p.Combo3, 19);
    setListIndex(p.Combo4, 7);
    QCOMPARE(p.Text8->text(), QStringLiteral("50"));
    QCOMPARE(rig.state.calc.gInnendurchmesser, 50.0);
    QVERIFY(rig.messages.shown.empty());
    QVERIFY(rig.confFieldClicks.empty());
    QCOMPARE(p.Combo4->currentIndex(), 7);
}

void TestMainInputPages::textsShowNoRawIds_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("pressure");
    QTest::newRow("German") << 0 << "Druck (absolut)";
    QTest::newRow("English") << 10000 << "Pressure (abs)";
}

void TestMainInputPages::textsShowNoRawIds()
{
    QFETCH(int, offset);
    QFETCH(QString, pressure);
    PagesRig rig(offset);
    rig.load();
    const QRegularExpression rawId(QStringLiteral("^\\s*\\d{4,5}\\s*$"));
    for (QWidget* w : rig.host.findChildren<QWidget*>()) {
        QString caption;
        if (auto* l = qobject_cast<QLabel*>(w))
            caption = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            caption = b->text();
        else if (auto* f = qobject_cast<QGroupBox*>(w))
            caption = f->title();
        QVERIFY2(!rawId.match(caption).hasMatch(), qPrintable(w->objectName() + ": " + caption));
        QVERIFY2(!rawId.match(w->toolTip()).hasMatch(), qPrintable(w->objectName() + " tooltip: " + w->toolTip()));
        if (auto* l = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < l->count(); ++i)
                QVERIFY2(!l->itemText(i).isEmpty(), qPrintable(w->objectName()));
    }
    QCOMPARE(rig.pages->Label33->text(), pressure);
    QCOMPARE(rig.pages->Combo2->toolTip(), QString::fromStdString(resText(1208, offset)));
    QCOMPARE(rig.pages->txtTypeDesc->toPlainText(), QString::fromStdString(resText(1832, offset)));
    QCOMPARE(rig.pages->Combo3->itemText(22), QStringLiteral("DN1000 (40\")"));
    QCOMPARE(rig.pages->Combo4->itemText(7), QStringLiteral("PN 160"));
}

void TestMainInputPages::controlsRoundTrip()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    InputControls c;
    p.toControls(c);
    QVERIFY(c.Option1 && c.Option5 && c.Option15 && c.Option17 && c.Option14 && c.Option7 && c.Option13);
    QCOMPARE(c.Text29, std::string("1,4"));
    QCOMPARE(c.Combo8, std::int16_t{0});
    QVERIFY(c.Check4Enabled);
    QCOMPARE(c.Label62Tag, std::string("1581"));

    c.Option1 = false;
    c.Option3 = true;
    c.Text3 = "-82,6";
    c.Combo2 = 9;
    c.Text10 = " 52.1";
    c.Option16 = true;
    c.Option15 = false;
    c.Check2 = 1;
    c.Text22 = "400";
    c.Text16 = "12";
    c.Combo9 = 1;
    c.Combo8 = 3;
    c.Check1 = 1;
    c.Text19 = "900";
    c.Check4 = 1;
    c.Option18 = true;
    c.Option17 = false;
    c.Text12 = "erste Zeile\nzweite Zeile";
    c.Text33 = "FT-101";
    c.Combo13 = 5;
    c.Option12 = true;
    c.Option14 = false;
    c.Option13 = false;
    c.Label62Tag = "1582";
    c.statusPanel1 = "C:\\calc\\a.mv5";
    p.applyControls(c);

    InputControls back;
    p.toControls(back);
    QVERIFY(back.Option3 && !back.Option1);
    QCOMPARE(back.Text3, c.Text3);
    QCOMPARE(back.Combo2, c.Combo2);
    QCOMPARE(back.Text10, c.Text10);
    QVERIFY(back.Option16 && !back.Option15);
    QCOMPARE(back.Check2, c.Check2);
    QCOMPARE(back.Text22, c.Text22);
    QCOMPARE(back.Combo9, c.Combo9);
    QCOMPARE(back.Combo8, c.Combo8);
    QCOMPARE(back.Check1, c.Check1);
    QCOMPARE(back.Text19, c.Text19);
    QVERIFY(back.Option18 && !back.Option17);
    QCOMPARE(back.Text12, c.Text12);
    QCOMPARE(back.Text33, c.Text33);
    QCOMPARE(back.Combo13, c.Combo13);
    QVERIFY(back.Option12 && !back.Option14 && !back.Option13);
    QCOMPARE(back.Label62Tag, c.Label62Tag);
    QCOMPARE(rig.fileNamePanel.back(), c.statusPanel1);
    // The restored values ran their handlers.
    QVERIFY(open(p.Text3) && greyed(p.Text1) && open(p.Text22) && open(p.Text19) && p.Command3->isEnabled());
    QCOMPARE(p.Label41->text(), QStringLiteral("kg/h"));
    QVERIFY(!p.Text10->isHidden());
    QVERIFY(p.Option13->isEnabled());
}

// ---------------------------------------------------------------------------
// Every control of the window's table, into its state field and back

namespace {

using StateField = std::variant<std::monostate, double*, std::string*, std::int16_t*>;

// How a control reaches its state field: the test's own account of the
// reading and the writing, kept apart from the program's.
enum class Via {
    Read,         // read as it stands (an option selected: -1, else 0)
    Mbar,         // typed in mbar, kept in kPa, shown again unscaled
    Pressure,     // in the unit of Combo9, kept in kPa
    Temperature,  // in the unit of Combo11, kept in °C
    Written,      // not read; the writing shows its field (set by the test)
    Tag,          // Label62's Tag: "1582" for a true field, "1581" for false
    Enabled,      // the writing enables it
    Neither,      // neither read into a field nor written (the type code boxes)
};

struct StateLink {
    const char* control;
    StateField (*field)(ProgramState&, const InputControls& put);
    Via via = Via::Read;
    // Whether the writing sets the control, by what was put in (always when
    // null); where it does not, the control shows what handlers leave there.
    bool (*written)(const InputControls& put) = nullptr;
    // The widget's object name where it is not the control's.
    const char* widget = nullptr;
};

#define CALC(f) [](ProgramState& s, const InputControls&) -> StateField { return &s.calc.f; }
#define DOC(f) [](ProgramState& s, const InputControls&) -> StateField { return &s.doc.f; }
constexpr auto kNoField = [](ProgramState&, const InputControls&) -> StateField { return {}; };
constexpr auto kTableEntry = [](const InputControls& put) { return put.Option6; };
// With table entry the writing's lookup puts the table's pipe into the boxes.
constexpr auto kFreeEntry = [](const InputControls& put) { return !put.Option6; };
constexpr auto kProbeOfOtherMake = [](const InputControls& put) { return put.Combo2 == 8; };

const StateLink kStateLinks[] = {
    {"Option1", CALC(gModellGespeicherteDaten)},
    {"Option2", CALC(gModellIdealesGas)},
    {"Option3", CALC(gModellRedlichKwong)},
    {"Option4", CALC(gModellFluessigkeit)},
    {"Combo1", CALC(gMediumNr)},
    {"Text1", CALC(gDichteEingabe)},
    {"Text2", CALC(gKompressibilitaetEingabe)},
    {"Text7", CALC(gViskositaetEingabe)},
    {"Text29", CALC(gIsentropenkoeffizientEingabe)},
    {"Text13", CALC(gMediumsbezeichnung)},
    {"Text3", CALC(gKritischeTemperatur)},
    {"Text4", CALC(gKritischerDruck)},
    {"Text5", CALC(gNormdichteRK)},
    {"Text6", CALC(gViskositaetRK)},
    {"Text30", CALC(gIsentropenkoeffizientRK)},
    {"Text14", CALC(gMediumsbezeichnungRK)},
    {"Combo2", CALC(gPrimaerelementtyp)},
    {"Option15", CALC(gEpsilonQ100)},
    {"Option16", CALC(gEpsilonQ67)},
    {"Option5", CALC(gRohrmassFrei)},
    {"Option6", CALC(gRohrmassNorm)},
    {"Combo3", CALC(gNennweite), Via::Read, kTableEntry},
    {"Combo4", CALC(gDruckstufe), Via::Read, kTableEntry},
    {"Check2", CALC(gRohrRechteckig)},
    // The bore, or the K number of another make's probe (type 8).
    {"Text10",
     [](ProgramState& s, const InputControls& put) -> StateField {
         return put.Combo2 == 8 ? &s.calc.gKZahlEingabe : &s.calc.gOeffnungsdurchmesser;
     }},
    {"Text11", CALC(gSondenbreite), Via::Read, kProbeOfOtherMake},
    {"Text15", CALC(gKorrekturFaktor)},
    {"Text8", CALC(gInnendurchmesser), Via::Read, kFreeEntry},
    {"Text22", CALC(gInnenmassB)},
    {"Text9", CALC(gWandstaerke), Via::Read, kFreeEntry},
    {"Text16", CALC(gDruck), Via::Pressure},
    {"Combo9", CALC(gDruckEinheit)},
    {"Text17", CALC(gTemperatur), Via::Temperature},
    {"Combo11", CALC(gTemperaturEinheit)},
    {"Text18", CALC(gDurchflussAuslegung)},
    {"Combo8", CALC(gDurchflussEinheit)},
    {"Check1", CALC(gMehrereBetriebspunkte)},
    {"Text19", CALC(gDurchflussMax)},
    {"Text20", CALC(gDurchflussNorm)},
    {"Text21", CALC(gDurchflussMin)},
    {"Combo10", CALC(gDpEinheit)},
    {"Check4", CALC(gDpBekannt)},
    {"Check4Enabled", kNoField, Via::Enabled, nullptr, "Check4"},
    {"Text37", CALC(gDifferenzdruckSoll), Via::Mbar},
    {"Option17", CALC(gAuslegungDurchmesser)},
    {"Option18", CALC(gAuslegungDurchfluss)},
    {"Text23", DOC(gKundeFirma1)},
    {"Text24", DOC(gKundeFirma2)},
    {"Text25", DOC(gKundeName)},
    {"Text26", DOC(gKundeStrasse)},
    {"Text27", DOC(gKundePLZOrt)},
    {"Text28", DOC(gKundeTelFax)},
    {"Text31", DOC(gKundenprojekt)},
    {"Text32", DOC(gAuftragsnummer)},
    {"Text33", DOC(gMessstellennummer)},
    {"Text34", DOC(gSeriennummer)},
    {"Text35", DOC(gZeugnisse)},
    {"Text36", DOC(gDatum)},
    {"Text12", DOC(gBemerkungen)},
    {"statusPanel1", DOC(gDateiname), Via::Written},
    {"txtTypeInfo", kNoField, Via::Neither},
    {"txtCodeDisplay", kNoField, Via::Neither},
    {"Combo5", CALC(gWerkstoffRohr), Via::Written},
    {"Combo6", CALC(gWerkstoffElement), Via::Written},
    {"Combo7", CALC(gDpAnschluss), Via::Written},
    {"Combo12", CALC(gPTSensoren), Via::Written},
    {"Combo13", CALC(gEinbauform), Via::Written},
    // The reading derives it from the type code.
    {"Check3", CALC(gGegenlagerVorgesehen), Via::Written},
    {"Label62Tag", CALC(gGegenlagerNotwendig), Via::Tag, nullptr, "Label62"},
    {"Option14", CALC(gEinbaulageUnbekannt), Via::Written},
    {"Option11", CALC(gEinbauHorizontal), Via::Written},
    {"Option12", CALC(gEinbauVertikal), Via::Written},
    {"Option7", CALC(gEinbaulageHorizontal1), Via::Written},
    {"Option8", CALC(gEinbaulageVonUnten), Via::Written},
    {"Option9", CALC(gEinbaulageVonOben), Via::Written},
    {"Option10", CALC(gEinbaulageHorizontal2), Via::Written},
    {"Option13", CALC(gEinbaulageVertikal), Via::Written},
};
#undef CALC
#undef DOC

const StateLink* stateLink(std::string_view control)
{
    for (const StateLink& l : kStateLinks)
        if (control == l.control)
            return &l;
    return nullptr;
}

// The option groups as the window forms them; Option13 sits alone.
const std::vector<std::vector<std::string_view>> kOptionGroups = {
    {"Option1", "Option2", "Option3", "Option4"}, {"Option5", "Option6"},   {"Option15", "Option16"},
    {"Option17", "Option18"},                     {"Option14", "Option11", "Option12"},
    {"Option7", "Option8", "Option9", "Option10"}, {"Option13"}};

// Pass p selects the p-th option of each group (the lone one every other
// pass), so that every option is selected in one pass and cleared in another.
bool selectedInPass(std::string_view option, int pass)
{
    for (const auto& group : kOptionGroups)
        for (std::size_t i = 0; i < group.size(); ++i)
            if (group[i] == option)
                return group.size() == 1 ? pass % 2 == 0 : static_cast<std::size_t>(pass) % group.size() == i;
    return false;
}

// The lists' indexes and the check boxes' values of the four passes: every two
// differ in three passes at least, and each leaves its default (0) in three.
// The element types are those without a configuration of the maker's (8 ..
// 15), the nominal sizes those with every pressure class (DN10 .. DN300).
const std::pair<std::string_view, std::array<std::int16_t, 4>> kPassValues[] = {
    {"Combo1", {1, 5, 9, 1}},  {"Combo2", {13, 8, 9, 9}}, {"Combo3", {13, 5, 3, 0}},  {"Combo4", {7, 2, 7, 4}},
    {"Combo5", {8, 0, 7, 9}},  {"Combo6", {4, 4, 6, 0}},  {"Combo7", {0, 8, 7, 1}},   {"Combo8", {7, 3, 4, 5}},
    {"Combo9", {2, 4, 4, 1}},  {"Combo10", {1, 4, 1, 2}}, {"Combo11", {2, 2, 2, 0}},  {"Combo12", {1, 1, 0, 4}},
    {"Combo13", {4, 6, 5, 1}}, {"Check1", {1, 2, 0, 1}},  {"Check2", {0, 1, 2, 0}},   {"Check3", {0, 2, 1, 1}},
    {"Check4", {2, 0, 1, 2}},
};

const std::array<std::int16_t, 4>* passValues(std::string_view control)
{
    for (const auto& [name, values] : kPassValues)
        if (name == control)
            return &values;
    return nullptr;
}

// A distinct value for every control of the table in pass p: box i holds the
// number i + 1 + (p + 1) / 8, the lists and check boxes those of kPassValues,
// the options those of selectedInPass.
InputControls distinctValues(int pass)
{
    InputControls put;
    int i = 0;
    for (const MainControl& m : mainControls()) {
        ++i;
        std::visit(
            [&](const auto& link) {
                auto& value = put.*link.member;
                using V = std::decay_t<decltype(value)>;
                if constexpr (std::is_same_v<V, std::string>) {
                    if (m.kind() == ControlKind::Tag)
                        value = pass % 2 == 0 ? "1582" : "1581";
                    else if (m.kind() == ControlKind::FileName)
                        value = "/calc/pass" + std::to_string(pass) + ".mv5";
                    else
                        value = " " + QString::number(i + 1 + (pass + 1) / 8.0, 'g', 15).toStdString();
                } else if constexpr (std::is_same_v<V, bool>) {
                    value = m.kind() == ControlKind::Enabled || selectedInPass(m.name, pass);
                } else if (const auto* values = passValues(m.name)) {
                    value = (*values)[static_cast<std::size_t>(pass)];
                }
            },
            m.link);
    }
    return put;
}

// A control's value as text, for comparing and naming.
std::string valueText(const MainControl& m, const InputControls& c)
{
    return std::visit(
        [&](const auto& link) -> std::string {
            const auto& value = c.*link.member;
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>)
                return value;
            else
                return std::to_string(value);
        },
        m.link);
}

// The number a box shows; NaN, equal to nothing, for a box without one.
double number(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    double v = std::numeric_limits<double>::quiet_NaN();
    if (first != std::string::npos)
        std::from_chars(text.data() + first, text.data() + text.size(), v);
    return v;
}

bool near(double a, double b) { return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(b)); }

// What a control put in becomes in its state field.
using Expected = std::variant<double, std::string, std::int16_t>;
Expected expectedField(const MainControl& m, const StateLink& link, const InputControls& put)
{
    switch (m.kind()) {
    case ControlKind::Option: return static_cast<std::int16_t>(valueText(m, put) == "1" ? -1 : 0);
    case ControlKind::Tag: return static_cast<std::int16_t>(put.Label62Tag == "1582" ? -1 : 0);
    case ControlKind::List:
    case ControlKind::Check: return static_cast<std::int16_t>(std::stoi(valueText(m, put)));
    default: break;
    }
    const std::string text = valueText(m, put);
    const double v = number(text);
    switch (link.via) {
    case Via::Mbar: return v / 10.0;
    case Via::Pressure: return v * std::array{1.0, 100.0, 0.001, 0.1, 6.89476}[static_cast<std::size_t>(put.Combo9)];
    case Via::Temperature:
        return std::array{v, v - 273.15, (v - 32.0) / 1.8}[static_cast<std::size_t>(put.Combo11)];
    default: return text;
    }
}

// "" when the field holds what is expected, else what it holds.
std::string fieldMismatch(const StateField& field, const Expected& expected)
{
    if (auto* d = std::get_if<double*>(&field)) {
        const double want = std::holds_alternative<std::string>(expected) ? number(std::get<std::string>(expected))
                                                                           : std::get<double>(expected);
        return near(**d, want) ? "" : QString::number(**d, 'g', 17).toStdString();
    }
    if (auto* s = std::get_if<std::string*>(&field))
        return **s == std::get<std::string>(expected) ? "" : "\"" + **s + "\"";
    if (auto* i = std::get_if<std::int16_t*>(&field))
        return **i == std::get<std::int16_t>(expected) ? "" : std::to_string(**i);
    return "";
}

void setField(const StateField& field, const Expected& value)
{
    if (auto* i = std::get_if<std::int16_t*>(&field))
        **i = std::get<std::int16_t>(value);
    else if (auto* s = std::get_if<std::string*>(&field))
        **s = std::get<std::string>(value);
}

// What a control's widget shows, found by its object name as the user meets
// it (never through the window's own table), as valueText writes it.
std::string widgetShows(const PagesRig& rig, const MainControl& m)
{
    const StateLink& link = *stateLink(m.name);
    const QString name = QString::fromLatin1(link.widget ? link.widget : m.name);
    QWidget* w = rig.host.findChild<QWidget*>(name);
    if (m.kind() == ControlKind::FileName)
        return rig.fileNamePanel.empty() ? "" : rig.fileNamePanel.back();
    if (!w)
        return "(no widget " + name.toStdString() + ")";
    switch (m.kind()) {
    case ControlKind::Box: return qobject_cast<QLineEdit*>(w)->text().toStdString();
    case ControlKind::Notes: return qobject_cast<QPlainTextEdit*>(w)->toPlainText().toStdString();
    case ControlKind::List: return std::to_string(qobject_cast<QComboBox*>(w)->currentIndex());
    case ControlKind::Check: return std::to_string(checkValue(qobject_cast<QCheckBox*>(w)));
    case ControlKind::Option: return qobject_cast<QRadioButton*>(w)->isChecked() ? "1" : "0";
    case ControlKind::Enabled: return w->isEnabled() ? "1" : "0";
    case ControlKind::Tag: return w->property("Tag").toString().toStdString();
    case ControlKind::FileName: break;
    }
    return "";
}

// The value put into a control's widget as the user's change would (the file
// name panel is the frame's: the pages have no widget for it).
void setWidget(PagesRig& rig, const MainControl& m, const std::string& value)
{
    const StateLink& link = *stateLink(m.name);
    QWidget* w = rig.host.findChild<QWidget*>(QString::fromLatin1(link.widget ? link.widget : m.name));
    if (!w)
        return;
    const QString text = QString::fromStdString(value);
    switch (m.kind()) {
    case ControlKind::Box: qobject_cast<QLineEdit*>(w)->setText(text); break;
    case ControlKind::Notes: qobject_cast<QPlainTextEdit*>(w)->setPlainText(text); break;
    case ControlKind::List: setListIndex(qobject_cast<QComboBox*>(w), std::stoi(value)); break;
    case ControlKind::Check: setCheckValue(qobject_cast<QCheckBox*>(w), std::stoi(value)); break;
    case ControlKind::Option: setOptionValue(qobject_cast<QRadioButton*>(w), value == "1"); break;
    case ControlKind::Enabled: w->setEnabled(value == "1"); break;
    case ControlKind::Tag: w->setProperty("Tag", text); break;
    case ControlKind::FileName: break;
    }
}

}  // namespace

void TestMainInputPages::everyControlReachesItsStateFieldAndBack_data()
{
    QTest::addColumn<int>("pass");
    for (int pass = 0; pass < 4; ++pass)
        QTest::addRow("pass %d", pass) << pass;
}

void TestMainInputPages::everyControlReachesItsStateFieldAndBack()
{
    QFETCH(int, pass);
    // Every control of the table has its account here, and every account its control.
    for (const MainControl& m : mainControls())
        QVERIFY2(stateLink(m.name), m.name);
    for (const StateLink& l : kStateLinks)
        QVERIFY2(mainControl(l.control), l.control);
    for (const MainControl& m : mainControls())
        QVERIFY2(passValues(m.name) || (m.kind() != ControlKind::List && m.kind() != ControlKind::Check), m.name);

    const InputControls put = distinctValues(pass);
    QStringList wrong;
    auto fault = [&](const char* control, const std::string& what) {
        wrong << QStringLiteral("%1: %2").arg(QLatin1String(control), QString::fromStdString(what));
    };
    auto isNumber = [&](const StateLink& link, ProgramState& s) {
        return std::holds_alternative<double*>(link.field(s, put));
    };

    // Typed into the widgets, in the load order.
    ProgramState state;
    PagesRig typed;
    typed.load();
    for (const MainControl& m : mainControls())
        setWidget(typed, m, valueText(m, put));
    InputControls got;
    typed.pages->toControls(got);
    for (const MainControl& m : mainControls())
        if (m.kind() != ControlKind::FileName && valueText(m, got) != valueText(m, put))
            fault(m.name, "typed \"" + valueText(m, put) + "\", the window gives \"" + valueText(m, got) + "\"");
    // Through the reading into the state.
    typed.pages->ReadOberflaeche(ReadingFor::Calculation);
    QVERIFY(typed.tracer.responder.reports.empty());
    for (const MainControl& m : mainControls()) {
        const StateLink& link = *stateLink(m.name);
        if (link.via == Via::Written || link.via == Via::Tag || link.via == Via::Enabled || link.via == Via::Neither)
            continue;
        const std::string holds = fieldMismatch(link.field(typed.state, put), expectedField(m, link, put));
        if (!holds.empty())
            fault(m.name, "typed \"" + valueText(m, put) + "\", the reading stores " + holds);
    }
    state = typed.state;

    // The same controls copied into another window, in the load order: the
    // file name panel is the frame's and stays as it is.
    {
        PagesRig copy;
        copy.load();
        InputControls copied;
        typed.pages->toControls(copied);
        copy.pages->applyControls(copied, false);
        QVERIFY(copy.tracer.responder.reports.empty());
        for (const MainControl& m : mainControls())
            if (m.kind() != ControlKind::FileName && widgetShows(copy, m) != valueText(m, put))
                fault(m.name, "the copy shows \"" + widgetShows(copy, m) + "\" for \"" + valueText(m, put) + "\"");
    }

    // The fields that the reading leaves take the values put in, for the writing.
    for (const MainControl& m : mainControls()) {
        const StateLink& link = *stateLink(m.name);
        if (link.via == Via::Written || link.via == Via::Tag)
            setField(link.field(state, put), expectedField(m, link, put));
    }
    // Through the writing into a fresh window.
    PagesRig rig;
    rig.load();
    rig.state = state;
    rig.pages->WriteOberflaeche();
    QVERIFY(rig.tracer.responder.reports.empty());
    for (const MainControl& m : mainControls()) {
        const StateLink& link = *stateLink(m.name);
        // What the writing leaves to the handlers is not compared.
        if (link.via == Via::Neither || (link.written && !link.written(put)))
            continue;
        std::string want = valueText(m, put);
        if (link.via == Via::Mbar)
            want = QString::number(number(want) / 10.0, 'g', 15).toStdString();
        const std::string shows = widgetShows(rig, m);
        const bool same = m.kind() == ControlKind::Box && isNumber(link, state) ? near(number(shows), number(want))
                                                                                : shows == want;
        if (!same)
            fault(m.name, "the writing shows \"" + shows + "\" for \"" + want + "\"");
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
}

void TestMainInputPages::writeAndReadThroughTheInputModel()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    CalculationState& s = rig.state.calc;
    s.gModellRedlichKwong = True;
    s.gKritischeTemperatur = -82.6;
    s.gMediumsbezeichnungRK = "Methan";
    s.gPrimaerelementtyp = 9;
    s.gOeffnungsdurchmesser = 52.1;
    s.gRohrmassNorm = True;
    s.gNennweite = 9;    // DN100
    s.gDruckstufe = 7;   // PN 160
    s.gMehrereBetriebspunkte = 1;
    s.gDurchflussEinheit = 3;
    rig.state.doc.gBemerkungen = "Notiz";
    rig.state.doc.gDateiname = "/home/engineer/a.mv5";
    p.WriteOberflaeche();
    QVERIFY(rig.tracer.responder.reports.empty());
    // The written values ran their handlers.
    QVERIFY(p.Option3->isChecked() && open(p.Text3) && greyed(p.Text1));
    QCOMPARE(p.Text14->text(), QStringLiteral("Methan"));
    QVERIFY(!p.Text10->isHidden());
    QVERIFY(p.Option6->isChecked() && greyed(p.Text8));
    QCOMPARE(p.Combo3->currentIndex(), 9);
    QCOMPARE(p.Combo4->currentIndex(), 7);
    QCOMPARE(p.Text8->text(), QStringLiteral(" 98.3"));
    QVERIFY(open(p.Text19));
    QCOMPARE(p.Label41->text(), QStringLiteral("kg/h"));
    QCOMPARE(p.Text12->toPlainText(), QStringLiteral("Notiz"));
    QCOMPARE(rig.fileNamePanel.back(), std::string("/home/engineer/a.mv5"));

    // Read back into a fresh state: the same inputs.
    s = CalculationState{};
    p.ReadOberflaeche(ReadingFor::Calculation);
    QCOMPARE(s.gModellRedlichKwong, True);
    QCOMPARE(s.gKritischeTemperatur, -82.6);
    QCOMPARE(s.gPrimaerelementtyp, Integer{9});
    QCOMPARE(s.gOeffnungsdurchmesser, 52.1);
    QCOMPARE(s.gNennweite, Integer{9});
    QCOMPARE(s.gInnendurchmesser, 98.3);
    QCOMPARE(s.gMehrereBetriebspunkte, Flag{1});
    QCOMPARE(s.gDurchflussEinheit, Integer{3});
}

void TestMainInputPages::driverViewOfTheWindow()
{
    PagesRig rig;
    rig.load();
    MainInputPages& p = *rig.pages;
    MainWindowInputs& inputs = p;
    p.txtTypeInfo->setText(QStringLiteral("RQ25-"));
    p.txtCodeDisplay->setText(QStringLiteral("A1GE1"));
    QCOMPARE(inputs.typeInfoText(), std::string("RQ25-"));
    QCOMPARE(inputs.codeDisplayText(), std::string("A1GE1"));
    setOptionValue(p.Option6, true);
    inputs.setText8(" 80.9");
    inputs.setText10(" 41.25");
    inputs.setText18(" 1250");
    QCOMPARE(p.Text8->text(), QStringLiteral(" 80.9"));
    QCOMPARE(p.Text10->text(), QStringLiteral(" 41.25"));
    QCOMPARE(p.Text18->text(), QStringLiteral(" 1250"));
    // A solver value of 15 digits in the narrow bore box shows its first
    // digits, not its tail.
    inputs.setText10(" 41.2512345678912");
    QCOMPARE(p.Text10->cursorPosition(), 0);
    QVERIFY(p.Text10->fontMetrics().horizontalAdvance(p.Text10->text()) > p.Text10->width());
    // Selecting Option5 runs its handler: the boxes open again.
    inputs.selectOption5();
    QVERIFY(p.Option5->isChecked() && open(p.Text8));

    int calculations = 0;
    int solverRuns = 0;
    p.setCalculate([&] { ++calculations; });
    p.setSolver([&] { ++solverRuns; });
    QTest::mouseClick(p.Command1(), Qt::LeftButton);
    QCOMPARE(calculations, 1);
    setCheckValue(p.Check4, 1);
    p.Command3->click();
    QCOMPARE(solverRuns, 1);
}

void TestMainInputPages::mainWindowStartUpAndFileNew()
{
    TestTracer tracer;
    FakeShellServices fakes;
    ProgramState state;
    struct NoSwitch : LanguageSwitch {
        void subgChangeLanguage() override {}
    } languageSwitch;
    auto* window = new frmMain(state, fakes.services, languageSwitch);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    MainInputPages* p = window->inputPages();
    QVERIFY(p);
    QCOMPARE(p->Option1->parentWidget(), window->SSTab1()->widget(0));
    QCOMPARE(p->Text15->text(), QStringLiteral("1,0000"));
    QCOMPARE(p->Combo2->currentIndex(), 0);
    QVERIFY(p->Check4->isEnabled());
    QCOMPARE(p->Combo2->itemText(1), QStringLiteral("RQ8"));
    // The configurator's handler is muted while the window loads.
    QVERIFY(p->Label29->text().isEmpty());
    QCOMPARE(state.config.gConfEventsAus, False);
    QVERIFY(window->findChild<QPushButton*>(QStringLiteral("Command1")));

    p->Text12->setPlainText(QStringLiteral("Notiz"));
    p->Text25->setText(QStringLiteral("Meier"));
    window->mnuFileNew_Click();
    QVERIFY(p->Text25->text().isEmpty());
    QCOMPARE(p->Text12->toPlainText(), QStringLiteral("Notiz"));
    QVERIFY(tracer.responder.reports.empty());
    delete window;
}

// Pictures of the five pages for a look at the layout, when asked for.
void TestMainInputPages::pageShots()
{
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("MORVANE_SCREENSHOT_DIR is not set");
    TestTracer tracer;
    FakeShellServices fakes;
    ProgramState state;
    struct NoSwitch : LanguageSwitch {
        void subgChangeLanguage() override {}
    } languageSwitch;
    auto* window = new frmMain(state, fakes.services, languageSwitch);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int i = 0; i < window->SSTab1()->count(); ++i) {
        window->SSTab1()->setCurrentIndex(i);
        QVERIFY(window->grab().save(folder + QStringLiteral("/main-page%1.png").arg(i)));
    }
    delete window;
}

QTEST_MAIN(TestMainInputPages)
#include "test_main_input_pages.moc"
