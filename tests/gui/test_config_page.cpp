// The "Config Selection" page on the real main window, with the shipped product
// databases copied into the test's program folder: a model chosen in the
// element-type list builds its rows in the current language, choices and typed
// values build the code, the drawing of a complete choice shows and opens, the
// copy button, the scroll bar, the type key of Calc! with its opposite support,
// and the configuration's way through Save, New and Open.
#include "CalcRig.h"
#include "ModalDriver.h"
#include "ShellRig.h"
#include "app/CalculationFile.h"
#include "common/DocumentOpen.h"
#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "configurator/ValueEntry.h"
#include "common/qt/CodeEvents.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/Twips.h"
#include "reports/results_window/qt/frmResult.h"

#include <QAction>
#include <QJsonArray>
#include <QStatusBar>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace morvane;
using namespace morvane::testing;

namespace {

// The main window with the shipped databases, the recording fakes and scripted
// file dialogs.
struct ConfigRig : CalcRig {
    explicit ConfigRig(std::int32_t offset = 0) : CalcRig(offset)
    {
        for (const char* db : {"morvdata5.sqlite", "morvdata5_alt.sqlite"})
            QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/") + QLatin1String(db), folder.filePath(QLatin1String(db)));
        std::filesystem::create_directories(fakes.services.programFolder / "calculations");
        window->setFileDialogs(dialogs);
        // As the program's start sets them.
        state.config.gGrenzwertPruefung = 1;
        state.config.gGrenzwertModus = 1;
    }
    ConfigSelectPage& page() const { return *pages().configPage(); }
    std::filesystem::path programFolder() const { return fakes.services.programFolder; }

    // The user picks an entry of a list (also the entry it shows already).
    static void pick(QComboBox* list, int k)
    {
        list->setCurrentIndex(k);
        emit list->activated(k);
    }
    void chooseModel(int typ) { pick(pages().Combo2, typ); }
    void choose(int row, int k) { pick(page().cmbConfField(row), k); }
    void type(int row, const char* text) { page().txtValueEntry(row)->setText(QString::fromUtf8(text)); }

    int visibleRows() const
    {
        int n = 0;
        for (int i = 0; i < page().loadedRows(); ++i)
            n += page().cmbConfField(i)->isHidden() ? 0 : 1;
        return n;
    }
    QString code() const { return page().txtCodeDisplay->text(); }
    QColor codeColour() const { return page().txtCodeDisplay->palette().color(QPalette::Base); }
    void action(const char* name) const { window->findChild<QAction*>(QString::fromLatin1(name))->trigger(); }
    std::string calc(const char* name) const { return (programFolder() / "calculations" / name).string(); }
    bool noErrorDialog() const { return tracer.responder.reports.empty(); }

    ScriptedFileDialogs dialogs;
};

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

// A standard pipe DN65 PN10 from the pipe table (70.3 mm, wall 2.9 mm).
void standardPipe(MainInputPages& p)
{
    p.Option6->click();
    setListIndex(p.Combo3, 7);
    setListIndex(p.Combo4, 1);
}

// A choice in every row of the RQ25 (shipped demonstration data), with typed
// values in the three value rows, and the code it gives with the standard pipe:
// material 1.4571, nominal size from the pipe data (D + inner diameter), wall
// from the pipe data (S + wall), PN40, weld-on stud (-FS), 3-way manifold (V3),
// connection on top (OHO), length 1.5 m (L + mm), design temperature -20 °C
// (T-20C), nozzle 50 mm above the 100 mm part (H150), opposite support (GE1).
const int kRq25Choices[] = {1, 23, 3, 2, 4, 2, 1, 2, 2, 2, 2};
const char* kRq25Code = "14571 D70.3 S2.9 PN40 -FS V3 OHO L1500 T-20C H150 GE1";
const char* kRq25Drawing = "RQ25D3_HO";

void configureRq25(ConfigRig& rig)
{
    rig.chooseModel(3);
    for (int row = 0; row < 11; ++row)
        rig.choose(row, kRq25Choices[row]);
    rig.type(7, "1.5");
    rig.type(8, "-20");
    rig.type(9, "50");
}

// The built drawing pair of the name, copied into the program folder.
void copyDrawing(const std::filesystem::path& folder, const std::string& name)
{
    const std::filesystem::path built = std::filesystem::path(MORVANE_PROGRAM_DIR) / "Drawings";
    for (const char* kind : {"PDF", "JPG"}) {
        std::filesystem::create_directories(folder / "Drawings" / kind);
        const std::string file = name + (kind[0] == 'P' ? ".pdf" : ".jpg");
        std::filesystem::copy_file(built / kind / file, folder / "Drawings" / kind / file);
    }
}

// What the configurator's test driver gives for a model, its selections and
// typed values with the pipe in the state, on the built databases whatever
// $MORVANE_HOME holds: the output's JSON text.
QString driverOutput(const QString& input)
{
    QProcess driver;
    driver.start(QStringLiteral(CONFIG_DRIVER),
                 {QStringLiteral("--data-root"), QStringLiteral(MORVANE_PROGRAM_DIR), QStringLiteral("-")});
    driver.write(input.toUtf8());
    driver.closeWriteChannel();
    driver.waitForFinished(30000);
    return QString::fromUtf8(driver.readAllStandardOutput());
}

std::vector<std::string> fileLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

class TestConfigPage : public QObject {
    Q_OBJECT

private slots:
    void pageGeometry();
    void modelLoadInBothLanguages_data();
    void modelLoadInBothLanguages();
    void choosingTheShownModelAgainResetsEveryRow();
    void otherElementTypesHideTheFrameAndKeepTheCode();
    void codeOfAFullChoice();
    void drawingsFollowTheirFiles();
    void valuesAsAnEngineerTypesThem_data();
    void valuesAsAnEngineerTypesThem();
    void copyButtonPutsTheKeyOnTheClipboard();
    void incompleteCodeIsCopiedWithAWord();
    void drawingWithoutAViewerIsAMessage();
    void scrollBar();
    void calcTakesTheKeyOfTheModelsOnly();
    void typedPipeReachesTheCodeOnTheFirstCalc();
    void saveNewOpenRestoresTheConfiguration();
    void savedIndexBeyondItsListStaysOnTheCaption();
    void orificeFileHoldsNoRows();
    void missingModelTable();
    void rowsTheWindowCannotTakeAreNotSavedAway();
    void pipeTableAndNewBeforeAnyModel();
    void languageSwitchKeepsTheRowsInTheNewLanguage();
    void pageShots_data();
    void pageShots();
};

void TestConfigPage::pageGeometry()
{
    ConfigRig rig;
    ConfigSelectPage& page = rig.page();
    QCOMPARE(page.fraConfigSelect->size(), twipsRect(0, 0, 8295, 5055).size());
    QCOMPARE(page.scrVertScroll->parentWidget(), page.fraConfigSelect);
    QCOMPARE(page.scrVertScroll->geometry(), twipsRect(0, 0, 255, 5055));
    for (QWidget* w : std::initializer_list<QWidget*>{page.imgDrawing, page.lblDrawings, page.cmdJPGShow, page.cmdPDFShow})
        QCOMPARE(w->parentWidget(), page.fraConfigSelect);
    QCOMPARE(page.imgDrawing->geometry(), twipsRect(6480, 0, 1815, 1815));
    QCOMPARE(page.txtTypeInfo->text(), QStringLiteral("NONE\r\n"));
    QCOMPARE(page.txtTypeDesc->toPlainText(), QString::fromStdString(resText(1832, 0)));
    QCOMPARE(page.loadedRows(), 1);
    QVERIFY(page.cmbConfField(0)->isHidden());
    QVERIFY(page.fraConfigSelect->isHidden());
    QVERIFY(!page.scrVertScroll->isEnabled());
}

void TestConfigPage::modelLoadInBothLanguages_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("caption0");
    QTest::addColumn<QString>("caption10");
    QTest::addColumn<QString>("option1");
    QTest::addColumn<QString>("description");
    QTest::newRow("German") << 0 << "Werkstoff" << "Gegenlager" << "1.4571 (316Ti)"
                            << "Demonstrationsdaten: Staudrucksonde RQ25 zum Einschweißen in eine bestehende "
                               "Rohrleitung, DN65 bis DN2000.";
    QTest::newRow("English") << 10000 << "Material" << "Opposite support" << "1.4571 (316Ti)"
                             << "Demonstration data: averaging probe RQ25 for welding into an existing pipe, DN65 "
                                "to DN2000.";
}

void TestConfigPage::modelLoadInBothLanguages()
{
    QFETCH(int, offset);
    ConfigRig rig(offset);
    rig.chooseModel(3);
    ConfigSelectPage& page = rig.page();
    QVERIFY(rig.noErrorDialog());
    QVERIFY(rig.fakes.messages.shown.empty());
    QVERIFY(!page.fraConfigSelect->isHidden());
    QCOMPARE(rig.state.config.gSondentyp, std::string("RQ25"));
    QCOMPARE(rig.visibleRows(), 11);
    QTEST(page.cmbConfField(0)->itemText(0), "caption0");
    QTEST(page.cmbConfField(0)->toolTip(), "caption0");
    QTEST(page.cmbConfField(10)->itemText(0), "caption10");
    QTEST(page.cmbConfField(0)->itemText(1), "option1");
    QCOMPARE(page.cmbConfField(10)->count(), 3);  // caption, GE0, GE1
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(page.cmbConfField(i)->currentIndex(), 0);
        QVERIFY(page.txtValueEntry(i)->isHidden());
        QVERIFY(page.lblEntryInfo(i)->isHidden());
    }
    QCOMPARE(page.txtTypeInfo->text(), QStringLiteral("RQ25-"));
    QTEST(page.txtTypeDesc->toPlainText(), "description");
    QCOMPARE(rig.code(), QString());
    QCOMPARE(rig.codeColour(), kRed);

    // The same choices give the same code in either language.
    standardPipe(rig.pages());
    configureRq25(rig);
    QCOMPARE(rig.code(), QString::fromLatin1(kRq25Code));
    QCOMPARE(rig.page().lblEntryInfo(7)->text(), QString::fromStdString(resText(1920, offset)));
}

void TestConfigPage::choosingTheShownModelAgainResetsEveryRow()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    QCOMPARE(rig.codeColour(), kGreen);
    rig.chooseModel(3);
    QCOMPARE(rig.visibleRows(), 11);
    for (int i = 0; i < 11; ++i) {
        QCOMPARE(rig.page().cmbConfField(i)->currentIndex(), 0);
        QVERIFY(rig.page().txtValueEntry(i)->isHidden());
        QVERIFY(rig.page().txtValueEntry(i)->text().isEmpty());
    }
    QCOMPARE(rig.code(), QString());
    QCOMPARE(rig.codeColour(), kRed);

    // A model with fewer fields leaves the other rows hidden and empty; the
    // rows are kept.
    rig.chooseModel(1);
    QCOMPARE(rig.visibleRows(), 6);
    QCOMPARE(rig.page().loadedRows(), 11);
    QCOMPARE(rig.page().cmbConfField(10)->count(), 0);
    QVERIFY(rig.noErrorDialog());
}

void TestConfigPage::otherElementTypesHideTheFrameAndKeepTheCode()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    setListIndex(rig.pages().Combo2, 9);
    QVERIFY(rig.page().fraConfigSelect->isHidden());
    QCOMPARE(rig.code(), QString::fromLatin1(kRq25Code));
    QCOMPARE(rig.page().txtTypeInfo->text(), QStringLiteral("RQ25-"));
    QCOMPARE(rig.state.config.gSondentyp, std::string("RQ25"));
}

void TestConfigPage::codeOfAFullChoice()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    rig.chooseModel(3);
    ConfigSelectPage& page = rig.page();
    for (int row = 0; row < 11; ++row) {
        rig.choose(row, kRq25Choices[row]);
        // Value boxes and their labels appear on value options only.
        const bool value = row >= 7 && row <= 9;
        QCOMPARE(!page.txtValueEntry(row)->isHidden(), value);
        QCOMPARE(!page.lblEntryInfo(row)->isHidden(), value);
        // Red up to the last row, and still red then: the empty length box
        // counts as 0 m, below its limit.
        QCOMPARE(rig.codeColour(), kRed);
    }
    QCOMPARE(page.lblEntryInfo(8)->text(), QString::fromStdString(resText(1370, 0)));
    rig.type(7, "1.5");
    rig.type(8, "-20");
    rig.type(9, "50");
    QCOMPARE(rig.code(), QString::fromLatin1(kRq25Code));
    QCOMPARE(rig.codeColour(), kGreen);
    // The configurator's test driver gives the same code for the same choices.
    const QString out = driverOutput(QStringLiteral(
        R"({"gSprachKuerzel": "DE", "model": "RQ25", "selections": [1, 23, 3, 2, 4, 2, 1, 2, 2, 2, 2],
            "values": ["", "", "", "", "", "", "", "1.5", "-20", "50", ""],
            "gInnendurchmesser": 70.3, "gWandstaerke": 2.9, "decimalSeparator": "."})"));
    const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
    QCOMPARE(json.value(QStringLiteral("code")).toString(), rig.code());
    QCOMPARE(json.value(QStringLiteral("complete")).toBool(), true);
    QCOMPARE(json.value(QStringLiteral("drawingName")).toString(), QString::fromLatin1(kRq25Drawing));
    // Back on a listed option: the box goes, its text stays out of the code.
    rig.choose(7, 1);
    QVERIFY(page.txtValueEntry(7)->isHidden());
    QVERIFY(rig.code().contains(QStringLiteral(" LS ")));
    QVERIFY(rig.noErrorDialog());
}

void TestConfigPage::drawingsFollowTheirFiles()
{
    ConfigRig rig;
    copyDrawing(rig.programFolder(), kRq25Drawing);
    standardPipe(rig.pages());
    rig.chooseModel(3);
    ConfigSelectPage& page = rig.page();
    QVERIFY(page.cmdPDFShow->isHidden());
    QVERIFY(page.cmdJPGShow->isHidden());
    QVERIFY(page.lblDrawings->isHidden());
    configureRq25(rig);
    QVERIFY(!page.cmdPDFShow->isHidden());
    QVERIFY(!page.cmdJPGShow->isHidden());
    QVERIFY(!page.lblDrawings->isHidden());
    QVERIFY(!page.imgDrawing->pixmap().isNull());

    const std::string pdf = (rig.programFolder() / "Drawings" / "PDF" / "RQ25D3_HO.pdf").string();
    page.cmdPDFShow->click();
    QCOMPARE(rig.fakes.shell.opened, std::vector<std::string>{pdf});

    // A file gone since the lookup: the message, no shell.
    std::filesystem::remove(pdf);
    page.cmdPDFShow->click();
    QCOMPARE(rig.fakes.shell.opened.size(), std::size_t(1));
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
    QCOMPARE(rig.fakes.messages.shown[0].text, "Did not find file: " + pdf + "!");

    // A JPG that does not decode: an empty picture, the buttons as the files
    // stand.
    const auto jpg = rig.programFolder() / "Drawings" / "JPG" / "RQ25D3_HO.jpg";
    std::ofstream(jpg, std::ios::trunc) << "no picture";
    rig.choose(0, 2);
    QVERIFY(page.imgDrawing->pixmap().isNull());
    QVERIFY(!page.cmdJPGShow->isHidden());
    QVERIFY(page.cmdPDFShow->isHidden());

    // A mounting position outside the position table: no drawing.
    rig.chooseModel(5);
    const int porRow = 5;
    QCOMPARE(rig.page().cmbConfField(porRow)->itemText(0), QStringLiteral("Einbaulage"));
    rig.choose(porRow, 5);  // OSP
    QVERIFY(rig.state.config.gPdfDatei.find("_XX.pdf") != std::string::npos);
    QVERIFY(page.cmdJPGShow->isHidden());
    QVERIFY(page.imgDrawing->pixmap().isNull());
    QVERIFY(rig.noErrorDialog());
}

namespace {

// The choices of the models other than the RQ25 that give a complete code once
// their value row is typed.
const QList<int> kRq50Choices = {1, 1, 1, 1, 1, 1, 1};  // pipe diameter typed (DV) in row 1
const QList<int> kRq10Choices = {2, 1, 1, 1, 1, 4, 2, 1};  // position typed (PV) in row 7

void airRun(MainInputPages& p);  // below: air at 20 °C and 500 kPa, 1000 kg/h

QList<int> rq25Choices() { return QList<int>(std::begin(kRq25Choices), std::end(kRq25Choices)); }

std::string germanLimits(const char* key, const char* limits)
{
    return std::string("Wert ist au\xC3\x9F" "erhalb Grenzwerte!\rGrenzwerte f\xC3\xBCr Parameter:  ") + key + " = " +
           limits;
}

std::string germanWhole(const char* key, const char* limits)
{
    return resText(1980, 0) + "\rGrenzwerte f\xC3\xBCr Parameter:  " + key + " = " + limits;
}

}  // namespace

void TestConfigPage::valuesAsAnEngineerTypesThem_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("byCalc");  // left by a click on Calc!, else by Tab
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("segment");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("message");  // on leaving; empty for none

    const QString none;
    QTest::newRow("RQ25 temperature 25.5, Tab")
        << 3 << "RQ25" << rq25Choices() << 8 << "25.5" << false << "25.5" << " T25.5C " << false
        << QString::fromStdString(germanWhole("TMP", "-200 - 650"));
    QTest::newRow("RQ25 temperature 25,5, Calc!")
        << 3 << "RQ25" << rq25Choices() << 8 << "25,5" << true << "25.5" << " T25.5C " << false
        << QString::fromStdString(germanWhole("TMP", "-200 - 650"));
    QTest::newRow("RQ50 pipe diameter 1200 through prefixes below 1000")
        << 7 << "RQ50" << kRq50Choices << 1 << "1200" << false << "1200" << " D1200 " << true << none;
    QTest::newRow("RQ25 length 0,35 through 0") << 3 << "RQ25" << rq25Choices() << 7 << "0,35" << false << "0.35"
                                                << " L350 " << true << none;
    QTest::newRow("RQ25 length 150, Calc!") << 3 << "RQ25" << rq25Choices() << 7 << "150" << true << "150"
                                            << " L150000 " << false
                                            << QString::fromStdString(germanLimits("LENM", ".1 - 6"));
    QTest::newRow("RQ10 position 99997") << 2 << "RQ10" << kRq10Choices << 7 << "99997" << false << "99997"
                                         << " P99997 " << false
                                         << QString::fromStdString(germanLimits("POS", "1 - 9999"));
}

// Keys typed into the real page as an engineer types them: no message while
// typing, the box light red and the code red at once for a value the field
// does not take, one message when the box is left by Tab or by Calc!, and the
// same code, completeness and messages from the configurator's test driver.
void TestConfigPage::valuesAsAnEngineerTypesThem()
{
    QFETCH(int, type);
    QFETCH(QString, model);
    QFETCH(QList<int>, choices);
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(bool, byCalc);
    QFETCH(QString, text);
    QFETCH(QString, segment);
    QFETCH(bool, complete);
    QFETCH(QString, message);
    ConfigRig rig;
    QVERIFY(rig.exposed);
    standardPipe(rig.pages());
    airRun(rig.pages());
    rig.window->SSTab1()->setCurrentIndex(4);
    rig.chooseModel(type);
    for (int i = 0; i < choices.size(); ++i)
        rig.choose(i, choices[i]);
    // The RQ25's other value rows as the full choice has them.
    QJsonArray values;
    for (int i = 0; i < choices.size(); ++i) {
        const char* other = type != 3 ? "" : i == 7 ? "1.5" : i == 8 ? "-20" : i == 9 ? "50" : "";
        const QString value = i == row ? keys : QString::fromLatin1(other);
        values.append(value);
        if (i != row && *other != '\0')
            rig.type(i, other);
    }
    QLineEdit* box = rig.page().txtValueEntry(row);
    QVERIFY(!box->isHidden());
    box->setFocus(Qt::MouseFocusReason);
    QVERIFY(box->hasFocus());

    // Key by key: the colour and the code follow every key, and no message.
    const bool refusedAtEnd = !message.isEmpty();
    for (const QChar key : keys) {
        QTest::keyClick(box, key.toLatin1());
        const bool refused = box->palette().color(QPalette::Active, QPalette::Base) == QColor(255, 128, 128);
        if (refused)
            QCOMPARE(rig.codeColour(), kRed);
    }
    QVERIFY(rig.fakes.messages.shown.empty());
    QCOMPARE(box->text(), text);
    QVERIFY2((QLatin1Char(' ') + rig.code() + QLatin1Char(' ')).contains(segment), qPrintable(rig.code()));
    QCOMPARE(rig.codeColour(), complete ? kGreen : kRed);
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base),
             refusedAtEnd ? QColor(255, 128, 128) : QColor(255, 255, 255));
    const QString code = rig.code();

    if (byCalc) {
        rig.clickCalc();
        QTest::qWait(0);  // the end of the click is handled
        // Calc! ran with the code as it stands, after the message.
        QCOMPARE(QString::fromStdString(rig.state.config.gTypenschluessel), model + QLatin1Char('-') + code);
    } else {
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
    }
    std::vector<std::string> onLeaving;
    for (const auto& m : rig.fakes.messages.shown)
        onLeaving.push_back(m.text);
    if (message.isEmpty())
        QVERIFY(onLeaving.empty());
    else
        QCOMPARE(onLeaving, std::vector<std::string>{message.toStdString()});
    QCOMPARE(box->text(), text);
    QCOMPARE(rig.code(), code);
    QVERIFY(rig.noErrorDialog());

    // The test driver agrees: code, completeness, messages.
    QJsonArray selections;
    for (const int k : choices)
        selections.append(k);
    const QJsonObject input{{QStringLiteral("model"), model},
                            {QStringLiteral("gSprachKuerzel"), QStringLiteral("DE")},
                            {QStringLiteral("selections"), selections},
                            {QStringLiteral("values"), values},
                            {QStringLiteral("gInnendurchmesser"), 70.3},
                            {QStringLiteral("gWandstaerke"), 2.9}};
    const QJsonObject out =
        QJsonDocument::fromJson(driverOutput(QString::fromUtf8(QJsonDocument(input).toJson())).toUtf8()).object();
    QCOMPARE(out.value(QStringLiteral("code")).toString(), code);
    QCOMPARE(out.value(QStringLiteral("complete")).toBool(), complete);
    QStringList driverMessages;
    for (const auto m : out.value(QStringLiteral("messageBoxes")).toArray())
        driverMessages << m.toString();
    QCOMPARE(driverMessages, message.isEmpty() ? QStringList() : QStringList{message});
}

void TestConfigPage::copyButtonPutsTheKeyOnTheClipboard()
{
    ConfigRig rig;
    rig.page().cmdCopyKey->click();
    QCOMPARE(rig.fakes.clipboard.content, std::string("NONE\r\n"));
    standardPipe(rig.pages());
    configureRq25(rig);
    rig.page().cmdCopyKey->click();
    QCOMPARE(rig.fakes.clipboard.content, std::string("RQ25-") + kRq25Code);
}

// The copy button leaves a value box first, copies a red code as it stands and
// says in the status bar that it is incomplete.
void TestConfigPage::incompleteCodeIsCopiedWithAWord()
{
    for (const int offset : {0, 10000}) {
        ConfigRig rig(offset);
        QVERIFY(rig.exposed);
        standardPipe(rig.pages());
        configureRq25(rig);
        rig.window->SSTab1()->setCurrentIndex(4);
        QStatusBar* bar = rig.window->statusBar();
        rig.page().cmdCopyKey->click();
        QCOMPARE(bar->currentMessage(), QString());

        QLineEdit* box = rig.page().txtValueEntry(7);  // length, 0.1 - 6 m
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("15"));
        QCOMPARE(rig.codeColour(), kRed);
        QVERIFY(rig.fakes.messages.shown.empty());
        QTest::mouseClick(rig.page().cmdCopyKey, Qt::LeftButton);
        QTest::qWait(0);
        QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
        QCOMPARE(rig.fakes.clipboard.content, "RQ25-" + rig.code().toStdString());
        QVERIFY(rig.fakes.clipboard.content.find("L15000") != std::string::npos);
        QCOMPARE(bar->currentMessage(), QString::fromStdString(resText(1981, offset)));
    }
}

// The drawing buttons hand the file to the desktop's opener; where no program
// takes it (the fake shell fails), a message names the file.
void TestConfigPage::drawingWithoutAViewerIsAMessage()
{
    for (const int offset : {0, 10000}) {
        ConfigRig rig(offset);
        copyDrawing(rig.programFolder(), kRq25Drawing);
        standardPipe(rig.pages());
        configureRq25(rig);
        rig.fakes.shell.succeed = false;
        const std::string pdf = (rig.programFolder() / "Drawings" / "PDF" / "RQ25D3_HO.pdf").string();
        const std::string jpg = (rig.programFolder() / "Drawings" / "JPG" / "RQ25D3_HO.jpg").string();
        rig.page().cmdPDFShow->click();
        rig.page().cmdJPGShow->click();
        QCOMPARE(rig.fakes.shell.opened, (std::vector<std::string>{pdf, jpg}));
        QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(2));
        QCOMPARE(rig.fakes.messages.shown[0].text, documentNotOpenedMessage(pdf, offset));
        QCOMPARE(rig.fakes.messages.shown[1].text, documentNotOpenedMessage(jpg, offset));
        QVERIFY(rig.fakes.messages.shown[0].text.find(pdf) != std::string::npos);
        QVERIFY(rig.noErrorDialog());
    }
}

void TestConfigPage::scrollBar()
{
    ConfigRig rig;
    rig.chooseModel(1);  // RQ8: 6 rows, all in view
    QScrollBar* bar = rig.page().scrVertScroll;
    QCOMPARE(bar->maximum(), 0);
    QVERIFY(!bar->isEnabled());
    QCOMPARE(rig.page().cmbConfField(0)->y(), 0);

    rig.chooseModel(3);  // RQ25: 11 rows
    QCOMPARE(bar->maximum(), (11 - 8) * 400);
    QVERIFY(bar->isEnabled());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(bar->value(), 400);
    QCOMPARE(rig.page().cmbConfField(0)->y(), twipsToPixels(-400));
    QCOMPARE(rig.page().cmbConfField(1)->y(), 0);
    QCOMPARE(rig.page().txtValueEntry(3)->y(), twipsToPixels(2 * 400));
    bar->setValue(800);
    QCOMPARE(rig.page().cmbConfField(2)->y(), 0);
    // A new model starts at the top.
    rig.chooseModel(3);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(rig.page().cmbConfField(2)->y(), twipsToPixels(800));
}

namespace {

// Air at 20 °C and 500 kPa, 1000 kg/h; the element's own inputs come after.
void airRun(MainInputPages& p)
{
    p.Option1->click();
    setListIndex(p.Combo1, 1);
    p.Text16->setText(QStringLiteral("500"));
    p.Text17->setText(QStringLiteral("20"));
    p.Text18->setText(QStringLiteral("1000"));
    setListIndex(p.Combo8, 3);
}

void orificeRun(MainInputPages& p)
{
    setListIndex(p.Combo2, 9);
    p.Option5->click();
    p.Text8->setText(QStringLiteral("200"));
    p.Text9->setText(QStringLiteral("5"));
    p.Text10->setText(QStringLiteral("100"));
}

}  // namespace

void TestConfigPage::calcTakesTheKeyOfTheModelsOnly()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    airRun(rig.pages());
    rig.clickCalc();
    const std::string key = std::string("RQ25-") + kRq25Code;
    QCOMPARE(rig.state.config.gTypenschluessel, key);
    QCOMPARE(rig.state.calc.gGegenlagerVorgesehen, std::int16_t(1));
    frmResult* results = rig.window->resultsWindow()->window();
    QVERIFY(results != nullptr);
    QCOMPARE(results->label("Label110")->text(), QString::fromStdString(key));
    // The recording printer's letters are 120 twips wide whatever the size: on
    // a landscape sheet the key has the room it has on paper.
    rig.printer.pageWidthTwips = 16838.0;
    rig.printer.pageHeightTwips = 11906.0;
    results->Command1_Click();
    bool printed = false;
    for (const auto& t : rig.printer.texts)
        printed = printed || (t.page == 1 && t.text == key);
    QVERIFY2(printed, "protocol page 1 prints the key");
    results->close();

    // An orifice after the probe: no key, no support, the maximum flows of a
    // fresh program.
    orificeRun(rig.pages());
    rig.clickCalc();
    QCOMPARE(rig.state.config.gTypenschluessel, std::string());
    QCOMPARE(rig.state.calc.gGegenlagerVorgesehen, std::int16_t(0));

    ConfigRig fresh;
    airRun(fresh.pages());
    orificeRun(fresh.pages());
    fresh.clickCalc();
    QVERIFY(fresh.state.calc.gQmaxEmpfohlen > 0.0);
    QCOMPARE(rig.state.calc.gQmaxEmpfohlen, fresh.state.calc.gQmaxEmpfohlen);
    QCOMPARE(rig.state.calc.gQmaxErlaubt, fresh.state.calc.gQmaxErlaubt);
    QVERIFY(rig.noErrorDialog());
}

void TestConfigPage::typedPipeReachesTheCodeOnTheFirstCalc()
{
    ConfigRig rig;
    airRun(rig.pages());
    rig.pages().Text8->setText(QStringLiteral("300"));
    rig.pages().Text9->setText(QStringLiteral("6"));
    rig.chooseModel(3);
    rig.choose(1, 23);  // nominal size from the pipe data
    rig.choose(2, 3);   // wall from the pipe data
    QVERIFY(!rig.code().contains(QStringLiteral("D300")));
    rig.clickCalc();
    QVERIFY2(rig.state.config.gTypenschluessel.find("D300 S6") != std::string::npos,
             rig.state.config.gTypenschluessel.c_str());
    QVERIFY(rig.code().contains(QStringLiteral("D300 S6")));
}

void TestConfigPage::saveNewOpenRestoresTheConfiguration()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    rig.type(7, "0.5");
    const QString code = rig.code();
    QVERIFY(code.contains(QStringLiteral("L500")));
    rig.dialogs.saveAnswer = rig.calc("rq25");
    rig.action("mnuFileSaveAs");
    const std::string file = rig.calc("rq25.mv5");
    QVERIFY(std::filesystem::exists(file));

    rig.action("mnuFileNew");
    QCOMPARE(rig.pages().Combo2->currentIndex(), 0);
    rig.dialogs.openAnswer = file;
    rig.action("mnuFileOpen");
    QCOMPARE(rig.pages().Combo2->currentIndex(), 3);
    for (int row = 0; row < 11; ++row)
        QCOMPARE(rig.page().cmbConfField(row)->currentIndex(), kRq25Choices[row]);
    QCOMPARE(rig.page().txtValueEntry(7)->text(), QStringLiteral(".5"));
    QCOMPARE(rig.page().txtValueEntry(8)->text(), QStringLiteral("-20"));
    QVERIFY(!rig.page().txtValueEntry(9)->isHidden());
    QCOMPARE(rig.code(), code);
    QCOMPARE(rig.codeColour(), kGreen);

    // The same model already on the page: it is loaded again, and the rows come
    // back from the file, not from what the user changed since.
    rig.choose(0, 3);
    rig.choose(7, 1);
    rig.action("mnuFileOpen");
    QCOMPARE(rig.page().cmbConfField(0)->currentIndex(), 1);
    QCOMPARE(rig.page().cmbConfField(7)->currentIndex(), 2);
    QVERIFY(!rig.page().txtValueEntry(7)->isHidden());
    QCOMPARE(rig.code(), code);
    QVERIFY(rig.noErrorDialog());
    QVERIFY(rig.fakes.messages.shown.empty());
}

void TestConfigPage::savedIndexBeyondItsListStaysOnTheCaption()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    rig.dialogs.saveAnswer = rig.calc("edited");
    rig.action("mnuFileSaveAs");
    const std::string file = rig.calc("edited.mv5");
    // Row 10 (opposite support, two options) saved with entry 7.
    std::vector<std::string> lines = fileLines(file);
    QCOMPARE(lines.size(), std::size_t(200 + 2 + 2 * 11));
    QCOMPARE(lines[202 + 2 * 10], std::string(" 2 "));
    lines[202 + 2 * 10] = " 7 ";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\r\n";
    }
    rig.action("mnuFileNew");
    rig.dialogs.openAnswer = file;
    rig.action("mnuFileOpen");
    QVERIFY(rig.noErrorDialog());
    QCOMPARE(rig.page().cmbConfField(10)->currentIndex(), 0);
    QCOMPARE(rig.page().cmbConfField(9)->currentIndex(), 2);
    QCOMPARE(rig.codeColour(), kRed);
}

void TestConfigPage::orificeFileHoldsNoRows()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    orificeRun(rig.pages());
    rig.dialogs.saveAnswer = rig.calc("orifice");
    rig.action("mnuFileSaveAs");
    const std::vector<std::string> lines = fileLines(rig.calc("orifice.mv5"));
    QCOMPARE(lines.size(), std::size_t(202));
    QCOMPARE(lines[200], std::string(" 9 "));
    QCOMPARE(lines[201], std::string(" 0 "));
    QVERIFY(rig.noErrorDialog());
}

void TestConfigPage::missingModelTable()
{
    ConfigRig rig;
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(rig.folder.filePath(QStringLiteral("morvdata5.sqlite")).toUtf8().constData(), &db),
             SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, "DROP TABLE \"RQ32-CONFIG-DE\";", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);

    standardPipe(rig.pages());
    configureRq25(rig);
    rig.chooseModel(5);
    const auto& shown = rig.fakes.messages.shown;
    QCOMPARE(shown.size(), std::size_t(2));
    QVERIFY(shown[0].text.rfind("Problems connecting to DB morvdata5.sqlite", 0) == 0);
    QCOMPARE(shown[1].text, std::string("Could not connect to DB morvdata5.sqlite!"));
    QCOMPARE(rig.visibleRows(), 0);
    QCOMPARE(rig.page().txtTypeInfo->text(), QString());
    QCOMPARE(rig.page().txtTypeDesc->toPlainText(), QString::fromStdString(resText(1832, 0)));
    QCOMPARE(rig.code(), QString());
    QCOMPARE(rig.codeColour(), kRed);
    QVERIFY(rig.page().cmdPDFShow->isHidden());

    airRun(rig.pages());
    rig.pages().Option5->click();
    rig.pages().Text8->setText(QStringLiteral("300"));
    rig.clickCalc();
    QCOMPARE(rig.state.config.gTypenschluessel, std::string());
    QVERIFY(rig.noErrorDialog());
}

// A file whose configuration rows the window cannot take all (the model's
// table is gone from the database, or has fewer fields now, or the file's count
// is damaged): the window shows the rows the model has, a message names the
// file and says how many rows it has where the model has how many, and the
// file is not current, so that the next Save asks for a name instead of
// writing the file again without the rows it could not show. So is a file cut
// inside its configuration rows: it opens without any of them, and its
// message says that its configuration could not be read whole.
void TestConfigPage::rowsTheWindowCannotTakeAreNotSavedAway()
{
    struct Row {
        const char* damage;  // applied to the database; nullptr: none
        int extraRows;       // rows added to the file behind its own eleven
        int keptLines;       // the file cut after this many lines; 0: whole
        int fileRows;
        int modelRows;
        int rowsAsInFile;    // rows that show what the file holds
    } rows[] = {
        {"DROP TABLE \"RQ25-CONFIG-DE\"", 0, 0, 11, 0, 0},
        {"ALTER TABLE \"RQ25-CONFIG-DE\" DROP COLUMN GE", 0, 0, 11, 10, 10},
        {nullptr, 19, 0, 30, 11, 11},
        {nullptr, 0, 208, 11, 11, 0},
    };
    for (const Row& r : rows) {
        const char* shows = r.damage      ? r.damage
                            : r.keptLines ? "cut after line 208, inside the fourth row"
                                          : "a count of 30 with 19 rows more";
        ConfigRig rig;
        standardPipe(rig.pages());
        configureRq25(rig);
        rig.dialogs.saveAnswer = rig.calc("rq25");
        rig.action("mnuFileSaveAs");
        const std::string file = rig.calc("rq25.mv5");
        std::vector<std::string> lines = fileLines(file);
        QCOMPARE(lines.size(), std::size_t(200 + 2 + 2 * 11));
        if (r.extraRows > 0) {
            lines[201] = " " + std::to_string(11 + r.extraRows) + " ";
            for (int k = 0; k < r.extraRows; ++k)
                lines.insert(lines.end(), {" 1 ", " 0 "});
        }
        if (r.keptLines > 0)
            lines.resize(static_cast<std::size_t>(r.keptLines));
        if (r.extraRows > 0 || r.keptLines > 0) {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            for (const std::string& line : lines)
                out << line << "\r\n";
        }
        const std::vector<std::string> before = fileLines(file);
        if (r.damage) {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(rig.folder.filePath(QStringLiteral("morvdata5.sqlite")).toUtf8().constData(), &db),
                     SQLITE_OK);
            QCOMPARE(sqlite3_exec(db, r.damage, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(db);
        }

        rig.action("mnuFileNew");
        rig.fakes.messages.shown.clear();
        rig.dialogs.openAnswer = file;
        rig.action("mnuFileOpen");
        QVERIFY2(rig.noErrorDialog(), shows);
        // The blocks are loaded; the rows the model has are shown as the file
        // holds them, as far as it holds them.
        QVERIFY2(rig.pages().Combo2->currentIndex() == 3, shows);
        QVERIFY2(rig.visibleRows() == r.modelRows, shows);
        for (int row = 0; row < r.rowsAsInFile; ++row)
            QVERIFY2(rig.page().cmbConfField(row)->currentIndex() == kRq25Choices[row], shows);
        QVERIFY2(!rig.fakes.messages.shown.empty(), shows);
        const std::string said = rig.fakes.messages.shown.back().text;
        if (r.keptLines > 0) {
            QCOMPARE(rig.fakes.messages.shown.size(), std::size_t{1});
            QCOMPARE(said, configurationCutMessage(file, 0));
            QVERIFY2(said.find("nicht vollständig gelesen") != std::string::npos, said.c_str());
        } else {
            QCOMPARE(said, withValues(resText(1910, 0),
                                      {file, std::to_string(r.fileRows), std::to_string(r.modelRows)}));
            const std::string counts =
                "hat " + std::to_string(r.fileRows) + " Zeilen, das Modell hat " + std::to_string(r.modelRows);
            QVERIFY2(said.find(counts) != std::string::npos, said.c_str());
        }
        QVERIFY2(said.find("weggelassen") != std::string::npos, said.c_str());
        QVERIFY2(said.size() > file.size() && said.compare(said.size() - file.size(), file.size(), file) == 0,
                 said.c_str());
        QVERIFY2(rig.state.doc.gDateiname.empty(), shows);
        QVERIFY2(rig.window->findChild<QLabel*>(QStringLiteral("sbStatusBarPanel1"))->text().isEmpty(), shows);

        rig.dialogs.saveAnswer.reset();
        const std::size_t asked = rig.dialogs.asked.size();
        rig.action("mnuFileSave");
        QCOMPARE(rig.dialogs.asked.size(), asked + 1);
        QVERIFY2(fileLines(file) == before, shows);
    }

    // The undamaged database takes every row: the file stays current, without
    // a word.
    ConfigRig rig;
    standardPipe(rig.pages());
    configureRq25(rig);
    rig.dialogs.saveAnswer = rig.calc("rq25");
    rig.action("mnuFileSaveAs");
    rig.action("mnuFileNew");
    rig.fakes.messages.shown.clear();
    rig.dialogs.openAnswer = rig.calc("rq25.mv5");
    rig.action("mnuFileOpen");
    QCOMPARE(rig.state.doc.gDateiname, rig.calc("rq25.mv5"));
    QVERIFY(rig.fakes.messages.shown.empty());
}

void TestConfigPage::pipeTableAndNewBeforeAnyModel()
{
    ConfigRig rig;
    standardPipe(rig.pages());
    rig.action("mnuFileNew");
    QCOMPARE(rig.code(), QString());
    QCOMPARE(rig.codeColour(), kRed);
    QVERIFY(rig.noErrorDialog());
    QVERIFY(rig.fakes.messages.shown.empty());
}

// The rebuilt window of a language switch keeps the model and its
// configuration rows, now in the new language; an orifice chosen there saves
// without rows, and a model chosen there comes in the new language.
void TestConfigPage::languageSwitchKeepsTheRowsInTheNewLanguage()
{
    ShellRig rig;
    rig.writeLangSet("0\r\n");
    for (const char* db : {"morvdata5.sqlite", "morvdata5_alt.sqlite"})
        QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/") + QLatin1String(db), rig.folder.filePath(QLatin1String(db)));
    std::filesystem::create_directories(rig.fakes.services.programFolder / "calculations");
    rig.shell.Main();
    ConfigRig::pick(rig.main()->inputPages()->Combo2, 3);
    QCOMPARE(rig.state.config.gConfFeldAnzahl, std::int16_t(11));

    rig.action("mnuEnglish")->trigger();
    ShellRig::settle();
    QCOMPARE(rig.state.config.gConfFeldAnzahl, std::int16_t(11));
    MainInputPages& p = *rig.main()->inputPages();
    QCOMPARE(p.Combo2->currentIndex(), 3);
    QCOMPARE(p.configPage()->cmbConfField(0)->itemText(0), QStringLiteral("Material"));
    setListIndex(p.Combo2, 9);
    ScriptedFileDialogs dialogs;
    rig.main()->setFileDialogs(dialogs);
    const std::string file = (rig.fakes.services.programFolder / "calculations" / "orifice.mv5").string();
    dialogs.saveAnswer = file;
    rig.action("mnuFileSaveAs")->trigger();
    QVERIFY(rig.tracer.responder.reports.empty());
    const std::vector<std::string> lines = fileLines(file);
    QCOMPARE(lines.size(), std::size_t(202));
    QCOMPARE(lines[201], std::string(" 0 "));

    ConfigRig::pick(p.Combo2, 3);
    QCOMPARE(p.configPage()->cmbConfField(0)->itemText(0), QStringLiteral("Material"));
}

void TestConfigPage::pageShots_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("de") << 0;
    QTest::newRow("en") << 10000;
}

// With MORVANE_SCREENSHOT_DIR set, the main window on the "Config Selection"
// page with an RQ25 configured, drawn offscreen into a PNG file there.
void TestConfigPage::pageShots()
{
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (folder.isEmpty())
        QSKIP("MORVANE_SCREENSHOT_DIR is not set");
    QDir().mkpath(folder);
    QFETCH(int, offset);
    ConfigRig rig(offset);
    copyDrawing(rig.programFolder(), kRq25Drawing);
    standardPipe(rig.pages());
    configureRq25(rig);
    rig.window->SSTab1()->setCurrentIndex(4);
    const QPixmap picture = rig.window->grab();
    const QString lang = QString::fromLatin1(QTest::currentDataTag());
    QVERIFY(picture.save(QDir(folder).filePath(QStringLiteral("config-page-") + lang + QStringLiteral(".png"))));
    // Scrolled to the end: the last row 2800 twips below the frame's top.
    rig.page().scrVertScroll->setValue(rig.page().scrVertScroll->maximum());
    QVERIFY(rig.window->grab().save(
        QDir(folder).filePath(QStringLiteral("config-page-scrolled-") + lang + QStringLiteral(".png"))));
    // A design temperature of 25.5 in whole degrees: the box light red, the
    // code red, and the status bar's word after the copy button.
    QLineEdit* tmp = rig.page().txtValueEntry(8);
    tmp->setFocus(Qt::MouseFocusReason);
    tmp->selectAll();
    QTest::keyClicks(tmp, QStringLiteral("25.5"));
    rig.page().cmdCopyKey->click();
    QVERIFY(rig.window->grab().save(
        QDir(folder).filePath(QStringLiteral("config-page-refused-") + lang + QStringLiteral(".png"))));
    // The messages of leaving that box and of a drawing no program opens, as
    // the program's message box shows them.
    QtMessageBox real(kProgramTitle);
    const std::pair<const char*, std::string> messages[] = {
        {"message-whole-numbers-", wholeNumberMessage("TMP", -200, 650, offset)},
        {"message-not-opened-", documentNotOpenedMessage(rig.state.config.gPdfDatei, offset)},
    };
    for (const auto& [name, text] : messages) {
        ModalDriver driver;
        driver.then([&, name = name](QWidget* box) {
            QVERIFY(box->grab().save(QDir(folder).filePath(QLatin1String(name) + lang + QStringLiteral(".png"))));
            qobject_cast<QDialog*>(box)->accept();
        });
        real.show({text, {}, MessageIcon::Exclamation, MessageButtons::Ok});
        QVERIFY(driver.allStepsRan());
    }
}

QTEST_MAIN(TestConfigPage)
#include "test_config_page.moc"
