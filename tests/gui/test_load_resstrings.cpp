// The resource text loader on a small window built here, with the program's own
// string table: which ids are replaced, which designs stay, and that nothing is
// ever reported.
#include "common/qt/LoadResstrings.h"
#include "support/Fakes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using morvane::LoadResstrings;
using morvane::testing::TestTracer;

namespace {

constexpr std::int32_t German = 0;
constexpr std::int32_t English = 10000;

QLabel* label(QWidget* parent, const char* tag, const char* design = "design")
{
    auto* l = new QLabel(QString::fromUtf8(design), parent);
    l->setProperty("Tag", QString::fromUtf8(tag));
    return l;
}

}  // namespace

class TestLoadResstrings : public QObject {
    Q_OBJECT

private slots:
    void labelTagGivesItsCaption_data();
    void labelTagGivesItsCaption();
    void windowCaptionFromTagOnly();
    void menuCaptionsThatAreIdsOnly();
    void comboTooltip_data();
    void comboTooltip();
    void otherControlsUseTheShortIntegerRule_data();
    void otherControlsUseTheShortIntegerRule();
    void controlsWithoutCaptionKeepTheirText();
    void realNumberIdIsRounded_data();
    void realNumberIdIsRounded();
    void missingStringIsSkippedSilently();
    void secondCallRenewsTagTextsOnly();
    void tabsToolbarAndColumnHeaders();
    void windowFontGoesToLabelsTabsAndListsOnly();
    void controlsOnPagesAreReachedOtherWindowsAreNot();
    void typeNames();
};

void TestLoadResstrings::labelTagGivesItsCaption_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1037 German") << "1037" << German << QString::fromUtf8("Name");
    QTest::newRow("1037 English") << "1037" << English << QString::fromUtf8("Name");
    QTest::newRow("1038 German") << "1038" << German << QString::fromUtf8("Abteilung");
    QTest::newRow("1038 English: the offset picks the language") << "1038" << English
                                                                 << QString::fromUtf8("Department");
    QTest::newRow("blanks around the id") << " 1038 " << German << QString::fromUtf8("Abteilung");
    QTest::newRow("empty Tag keeps the design") << "" << German << QString::fromUtf8("design");
    QTest::newRow("text Tag keeps the design") << "Name" << English << QString::fromUtf8("design");
}

void TestLoadResstrings::labelTagGivesItsCaption()
{
    QFETCH(QString, tag);
    QFETCH(int, offset);
    QFETCH(QString, caption);
    TestTracer t;
    QWidget frm;
    QLabel* l = label(&frm, tag.toUtf8().constData());
    LoadResstrings(&frm, offset);
    QCOMPARE(l->text(), caption);
}

void TestLoadResstrings::windowCaptionFromTagOnly()
{
    TestTracer t;
    QWidget tagged;
    tagged.setWindowTitle("Form1");
    tagged.setProperty("Tag", "1022");
    LoadResstrings(&tagged, German);
    QCOMPARE(tagged.windowTitle(), QString::fromUtf8("Einstellungen"));
    LoadResstrings(&tagged, English);
    QCOMPARE(tagged.windowTitle(), QString::fromUtf8("Settings"));

    QWidget untagged;
    untagged.setWindowTitle("Form1");
    LoadResstrings(&untagged, English);
    QCOMPARE(untagged.windowTitle(), QString::fromUtf8("Form1"));
}

void TestLoadResstrings::menuCaptionsThatAreIdsOnly()
{
    TestTracer t;
    QMainWindow frm;
    QMenu* file = frm.menuBar()->addMenu("1000");
    QAction* neu = file->addAction("1001");
    QAction* dash = file->addAction("-");
    QAction* separator = file->addSeparator();
    QAction* plain = file->addAction("Plain text");
    QMenu* sub = file->addMenu("1800");
    QAction* german = sub->addAction("1801");
    LoadResstrings(&frm, English);
    QCOMPARE(file->title(), QString::fromUtf8("&File"));
    QCOMPARE(neu->text(), QString::fromUtf8("&New"));
    QCOMPARE(dash->text(), QString::fromUtf8("-"));
    QCOMPARE(separator->text(), QString());
    QCOMPARE(plain->text(), QString::fromUtf8("Plain text"));
    QCOMPARE(sub->title(), QString::fromUtf8("Language"));
    QCOMPARE(german->text(), QString::fromUtf8("Deutsch"));
}

void TestLoadResstrings::comboTooltip_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("German") << German << QString::fromUtf8("Bitte wählen Sie ein Primärelement aus");
    QTest::newRow("English") << English << QString::fromUtf8("Please choose a primary element");
}

void TestLoadResstrings::comboTooltip()
{
    QFETCH(int, offset);
    QFETCH(QString, tooltip);
    TestTracer t;
    QWidget frm;
    auto* combo = new QComboBox(&frm);
    combo->addItem("entry");
    combo->setToolTip("1208");
    LoadResstrings(&frm, offset);
    QCOMPARE(combo->toolTip(), tooltip);
    QCOMPARE(combo->itemText(0), QString::fromUtf8("entry"));
}

void TestLoadResstrings::otherControlsUseTheShortIntegerRule_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltipAfter");
    QTest::newRow("Tag and tooltip ids") << German << "1028" << "1292" << QString::fromUtf8("Abbrechen")
                                         << QString::fromUtf8("Geben Sie hier den Druck in der Rohrleitung ein");
    QTest::newRow("English") << English << "1028" << "1292" << QString::fromUtf8("Cancel")
                             << QString::fromUtf8("Please enter process pressure");
    QTest::newRow("tooltip 0 is kept") << German << "" << "0" << "design" << "0";
    QTest::newRow("empty tooltip is kept") << German << "" << "" << "design" << "";
    QTest::newRow("Tag -5: not greater than 0") << German << "-5" << "" << "design" << "";
    QTest::newRow("Tag -8963 would name German 1037 at the English offset, but is not above 0")
        << English << "-8963" << "-8963" << "design" << "-8963";
    QTest::newRow("Tag 0.4 rounds to 0") << German << "0.4" << "" << "design" << "";
    QTest::newRow("Tag 1028.4 rounds to 1028") << German << "1028.4" << "" << QString::fromUtf8("Abbrechen") << "";
    QTest::newRow("Tag 70000 is outside 16 bits") << German << "70000" << "70000" << "design" << "70000";
    QTest::newRow("tooltip text is kept") << German << "" << "Press here" << "design" << "Press here";
}

void TestLoadResstrings::otherControlsUseTheShortIntegerRule()
{
    QFETCH(int, offset);
    QFETCH(QString, tag);
    QFETCH(QString, tooltip);
    QFETCH(QString, caption);
    QFETCH(QString, tooltipAfter);
    TestTracer t;
    QWidget frm;
    auto* button = new QPushButton("design", &frm);
    button->setProperty("Tag", tag);
    button->setToolTip(tooltip);
    LoadResstrings(&frm, offset);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), tooltipAfter);
    QVERIFY(t.responder.reports.empty());
}

void TestLoadResstrings::controlsWithoutCaptionKeepTheirText()
{
    TestTracer t;
    QWidget frm;
    auto* frame = new QGroupBox("Frame2", &frm);
    frame->setProperty("Tag", "1400");
    auto* check = new QCheckBox("Check2", frame);
    check->setProperty("Tag", "1179");
    auto* option = new QRadioButton("Option1", frame);
    option->setProperty("Tag", "1048");
    auto* box = new QLineEdit("typed", &frm);
    box->setProperty("Tag", "1037");
    box->setToolTip("1293");
    auto* line = new QFrame(&frm);
    line->setFrameShape(QFrame::HLine);
    line->setProperty("Tag", "1037");
    LoadResstrings(&frm, German);
    QCOMPARE(frame->title(), QString::fromUtf8("Rohrdaten"));
    QCOMPARE(check->text(), QString::fromUtf8("Kanal"));
    QCOMPARE(option->text(), QString::fromUtf8("gespeicherte Daten"));
    // A text box has no caption: its Tag changes nothing, its tooltip still does.
    QCOMPARE(box->text(), QString::fromUtf8("typed"));
    QCOMPARE(box->toolTip(), QString::fromUtf8("Geben Sie hier die Temperatur in der Rohrleitung ein"));
    QVERIFY(t.responder.reports.empty());
}

void TestLoadResstrings::realNumberIdIsRounded_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1037.4 rounds down") << "1037.4" << QString::fromUtf8("Name");
    QTest::newRow("1037.6 rounds up") << "1037.6" << QString::fromUtf8("Department");
    QTest::newRow("70000 is no 16-bit limit here, but has no string") << "70000" << "design";
    QTest::newRow("-5 asks for 9995, which has no string") << "-5" << "design";
    QTest::newRow("any number but 0 applies: 10000 - 8963 is German 1037") << "-8963" << QString::fromUtf8("Name");
    QTest::newRow("3e9 is outside 32 bits") << "3e9" << "design";
}

void TestLoadResstrings::realNumberIdIsRounded()
{
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    TestTracer t;
    QWidget frm;
    QLabel* l = label(&frm, tag.toUtf8().constData());
    LoadResstrings(&frm, English);
    QCOMPARE(l->text(), caption);
    QVERIFY(t.responder.reports.empty());
}

void TestLoadResstrings::missingStringIsSkippedSilently()
{
    TestTracer t;
    QWidget frm;
    QLabel* missing = label(&frm, "1007", "Label9");
    QLabel* next = label(&frm, "1037");
    LoadResstrings(&frm, German);
    QCOMPARE(missing->text(), QString::fromUtf8("Label9"));
    QCOMPARE(next->text(), QString::fromUtf8("Name"));  // the walk goes on after the failure
    QVERIFY(t.responder.reports.empty());
    QCOMPARE(t->errorNumber(), 0);
    // The entry is traced with the window passed as an object parameter.
    QVERIFY(t->colCallStack().size() >= 2);
    QVERIFY(QString::fromStdString(t->colCallStack()[0]).endsWith("[Module1] Sub LoadResstrings(frm As Form)"));
    QCOMPARE(QString::fromStdString(t->colCallStack()[1]), QString::fromUtf8("\tfrm:\t[TYPE]"));
}

void TestLoadResstrings::secondCallRenewsTagTextsOnly()
{
    TestTracer t;
    QMainWindow frm;
    frm.setProperty("Tag", "1022");
    QMenu* file = frm.menuBar()->addMenu("1000");
    auto* central = new QWidget(&frm);
    frm.setCentralWidget(central);
    QLabel* l = label(central, "1038");
    auto* combo = new QComboBox(central);
    combo->setToolTip("1208");
    auto* button = new QPushButton("design", central);
    button->setToolTip("1292");

    LoadResstrings(&frm, German);
    QCOMPARE(l->text(), QString::fromUtf8("Abteilung"));
    l->setText("set by code");
    frm.setWindowTitle("set by code");

    LoadResstrings(&frm, English);
    // From a Tag: set again, in the language of this call.
    QCOMPARE(l->text(), QString::fromUtf8("Department"));
    QCOMPARE(frm.windowTitle(), QString::fromUtf8("Settings"));
    // Their ids were replaced by their texts the first time.
    QCOMPARE(file->title(), QString::fromUtf8("&Datei"));
    QCOMPARE(combo->toolTip(), QString::fromUtf8("Bitte wählen Sie ein Primärelement aus"));
    QCOMPARE(button->toolTip(), QString::fromUtf8("Geben Sie hier den Druck in der Rohrleitung ein"));
}

void TestLoadResstrings::tabsToolbarAndColumnHeaders()
{
    TestTracer t;
    QMainWindow frm;
    QToolBar* bar = frm.addToolBar("Toolbar1");
    QAction* neu = bar->addAction("Neu");
    neu->setToolTip("1010");
    QAction* keep = bar->addAction("Keep");
    keep->setToolTip("Stays");

    auto* tabs = new QTabWidget(&frm);
    frm.setCentralWidget(tabs);
    tabs->addTab(new QWidget, "Tab1");
    tabs->addTab(new QWidget, "Tab2");
    tabs->tabBar()->setTabData(0, QString("1038"));
    tabs->setTabToolTip(0, "1039");
    tabs->setTabToolTip(1, "hint");

    auto* tree = new QTreeWidget(tabs->widget(0));
    tree->setColumnCount(3);
    tree->setHeaderLabels({"Col1", "Col2", "Col3"});
    tree->headerItem()->setData(0, Qt::UserRole, QString("1040"));
    tree->headerItem()->setData(1, Qt::UserRole, QString("Name"));

    auto* table = new QTableWidget(1, 2, tabs->widget(1));
    table->setHorizontalHeaderItem(0, new QTableWidgetItem("H1"));
    table->horizontalHeaderItem(0)->setData(Qt::UserRole, QString("1041"));

    LoadResstrings(&frm, English);
    QCOMPARE(neu->toolTip(), QString::fromUtf8("New"));
    QCOMPARE(keep->toolTip(), QString::fromUtf8("Stays"));
    QCOMPARE(tabs->tabText(0), QString::fromUtf8("Department"));
    QCOMPARE(tabs->tabToolTip(0), QString::fromUtf8("Extension"));
    QCOMPARE(tabs->tabText(1), QString::fromUtf8("Tab2"));
    QCOMPARE(tabs->tabToolTip(1), QString::fromUtf8("hint"));
    QCOMPARE(tree->headerItem()->text(0), QString::fromUtf8("Company 1"));
    // A Tag without a number asks for the bare offset, which has no string.
    QCOMPARE(tree->headerItem()->text(1), QString::fromUtf8("Col2"));
    QCOMPARE(tree->headerItem()->text(2), QString::fromUtf8("Col3"));
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QString::fromUtf8("Company 2"));
    QVERIFY(t.responder.reports.empty());
}

void TestLoadResstrings::windowFontGoesToLabelsTabsAndListsOnly()
{
    TestTracer t;
    QWidget frm;
    QFont windowFont("Sans", 13);
    frm.setFont(windowFont);
    QFont own("Serif", 21, QFont::Bold);
    QLabel* l = label(&frm, "");
    l->setFont(own);
    auto* tabs = new QTabWidget(&frm);
    tabs->setFont(own);
    auto* tree = new QTreeWidget(&frm);
    tree->setFont(own);
    auto* button = new QPushButton("design", &frm);
    button->setFont(own);
    LoadResstrings(&frm, German);
    QCOMPARE(l->font(), frm.font());
    QCOMPARE(tabs->font(), frm.font());
    QCOMPARE(tree->font(), frm.font());
    QCOMPARE(button->font(), own);
}

void TestLoadResstrings::controlsOnPagesAreReachedOtherWindowsAreNot()
{
    TestTracer t;
    QWidget frm;
    auto* layout = new QVBoxLayout(&frm);
    auto* tabs = new QTabWidget;
    layout->addWidget(tabs);
    auto* page = new QWidget;
    tabs->addTab(page, "Page");
    auto* frame = new QGroupBox("Frame", page);
    QLabel* deep = label(frame, "1037");
    auto* dialog = new QDialog(&frm);
    QLabel* elsewhere = label(dialog, "1037");
    auto* files = new QFileDialog(&frm);
    files->setWindowTitle("Open");
    files->setProperty("Tag", "1002");
    LoadResstrings(&frm, German);
    QCOMPARE(deep->text(), QString::fromUtf8("Name"));
    QCOMPARE(elsewhere->text(), QString::fromUtf8("design"));
    QCOMPARE(files->windowTitle(), QString::fromUtf8("Open"));
}

void TestLoadResstrings::typeNames()
{
    QWidget frm;
    auto* hline = new QFrame(&frm);
    hline->setFrameShape(QFrame::HLine);
    QAction action("a");
    const std::pair<const QObject*, const char*> cases[] = {
        {new QLabel(&frm), "Label"},
        {&action, "Menu"},
        {new QMenu(&frm), "Menu"},
        {new QMenuBar(&frm), "Menu"},
        {new QTabWidget(&frm), "TabStrip"},
        {new QTabBar(&frm), "TabStrip"},
        {new QToolBar(&frm), "Toolbar"},
        {new QTreeWidget(&frm), "ListView"},
        {new QTableWidget(&frm), "ListView"},
        {new QComboBox(&frm), "ComboBox"},
        {new QFileDialog(&frm), "CommonDialog"},
        {hline, "Line"},
        {new QPushButton(&frm), ""},
        {new QGroupBox(&frm), ""},
        {new QLineEdit(&frm), ""},
        {new QFrame(&frm), ""},
    };
    for (const auto& [item, name] : cases)
        QCOMPARE(morvane::resstringTypeName(item), QString::fromLatin1(name));
}

QTEST_MAIN(TestLoadResstrings)
#include "test_load_resstrings.moc"
