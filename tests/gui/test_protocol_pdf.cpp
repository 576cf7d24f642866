// Protocol page 1 through the Qt printer into a real PDF file: the job starts,
// draws the logo and every text, and ends with a one-page (or, with page 2,
// two-page) document. Set MORVANE_PROTOCOL_PDF to a folder to keep the files
// for a look (pdftoppm -png -r 60 <file>.pdf <folder>/p1).
#include "gui/CalcRig.h"
#include "platform/qt/QtPrinter.h"
#include "reports/protocol/ProtocolPage1.h"
#include "reports/results_window/qt/ProtocolPages.h"
#include "reports/results_window/qt/frmResult.h"
#include "reports/uncertainty_report/UncertaintyChart.h"
#include "reports/uncertainty_report/UncertaintyReport.h"
#include "support/Fakes.h"
#include "support/PageGeometry.h"
#include "support/ReferenceCases.h"
#include "common/qt/CodeEvents.h"
#include "engine/FormatPatterns.h"
#include "mainwindow/qt/MainInputPages.h"
#include "tracing/ErrorProtocol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QFile>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <vector>

using namespace morvane;
using namespace morvane::testing;

namespace {

// The water orifice (support/ReferenceCases.h) with its flow range, a customer
// and remarks.
void fillReference(ProgramState& s)
{
    fillWaterOrifice(s);
    fillWaterOrificeRange(s);
    s.doc.gKundeFirma1 = "Stadtwerke Musterstadt";
    s.doc.gBemerkungen = "Prüfstand 3";
}

int pdfPages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page/") +
                            pdf.count("/Type /Page>") + pdf.count("/Type /Page "));
}

// The text of a PDF file as pdftotext lays it out; empty when the tool is
// missing (the callers skip then).
QString pdfText(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What the pages of a PDF file show out of place, as pdftotext -bbox finds
// the words (points from each page's top left): two words of a page on top of
// each other, or a word that ends past the printable width of a default
// printer's page. Empty when the tool is missing (`ran` then false).
QStringList layoutFaults(const QString& file, bool& ran)
{
    ran = false;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString boxes = QString::fromUtf8(p.readAllStandardOutput());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const double printableRight = printer.pageLayout().paintRect(QPageLayout::Point).right();
    struct Word {
        double x0, y0, x1, y1;
        QString text;
    };
    const QRegularExpression wordRe(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QStringList faults;
    const QStringList pages = boxes.split(QStringLiteral("<page "));
    for (qsizetype page = 1; page < pages.size(); ++page) {
        QList<Word> words;
        for (auto it = wordRe.globalMatch(pages[page]); it.hasNext();) {
            const auto m = it.next();
            words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
        }
        ran = ran || !words.isEmpty();
        const QString where = QStringLiteral("page %1: ").arg(page);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const Word& a = words[i];
            if (a.x1 > printableRight + 0.5)
                faults << where + a.text + " runs past the printable width";
            for (qsizetype j = i + 1; j < words.size(); ++j) {
                const Word& b = words[j];
                // Lines of the same column stand 1 point into each other's boxes.
                if (!(a.x1 <= b.x0 || b.x1 <= a.x0 || a.y1 <= b.y0 + 1 || b.y1 <= a.y0 + 1))
                    faults << where + a.text + " on " + b.text;
            }
        }
    }
    return faults;
}

// The pixel sizes ("350x130") of the pictures in a PDF file as pdfimages
// lists them; empty when the tool is missing.
QStringList pdfImageSizes(const QString& file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-list"), file});
    p.waitForFinished(30000);
    QStringList sizes;
    const QStringList rows = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    for (qsizetype i = 2; i < rows.size(); ++i) {
        const QStringList cells = rows[i].simplified().split(' ');
        if (cells.size() > 4)
            sizes << cells[3] + "x" + cells[4];
    }
    return sizes;
}

// Pictures drawn into a PDF file: its image objects.
int pdfImages(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return static_cast<int>(f.readAll().count("/Subtype /Image"));
}

// A probe with its flow limits, as page 2 charts them.
void fillProbe(ProgramState& state)
{
    fillReference(state);
    auto& c = state.calc;
    c.gPrimaerelementtyp = 3;
    c.gDurchflussEinheit = 6;
    c.gDurchflussAuslegung = 100;
    c.gQUnsicherheit1 = 40, c.gQUnsicherheit1_5 = 24, c.gQUnsicherheit2 = 20, c.gQUnsicherheit3 = 15;
    c.gQUnsicherheit5 = 10, c.gQUnsicherheit10 = 7;
    c.gQUnsicherheit1SR = 8, c.gQUnsicherheit1_5SR = 6, c.gQUnsicherheit2SR = 5, c.gQUnsicherheit3SR = 4;
    c.gQUnsicherheit5SR = 3, c.gQUnsicherheit10SR = 2.5;
    c.gQmaxEmpfohlen = 150, c.gQmaxErlaubt = 230.769;
    c.gQminEmpfohlen = 15.8114, c.gQminEmpfohlenSR = 15.8114, c.gQminMoeglich = 10, c.gQminMoeglichSR = 10;
}

// The printer dialog answering from a script.
struct ScriptedPrinterDialog : PrinterDialog {
    PrintTarget ShowPrinter(const std::string&) override { return answer; }
    PrintTarget answer;
};

// What is out of place on page 2 of the drawing: a text outside the printable
// area or, where it stands in a chart, outside that chart's frame; a line
// outside the printable area or across a text.
QStringList pageTwoFaults(const TeePrinter& tee)
{
    const auto W = static_cast<std::int16_t>(std::lround(tee.pageWidth));
    const auto H = static_cast<std::int16_t>(std::lround(tee.pageHeight));
    const ChartBox frames[] = {chartFrame(1, W, H), chartFrame(2, W, H)};
    QStringList faults;
    int texts = 0;
    for (const DrawnText& t : tee.texts) {
        if (t.page != 2)
            continue;
        ++texts;
        const QString name = QString::fromStdString(t.text);
        if (t.left <= 0 || t.top <= 0 || t.right >= W || t.bottom >= H)
            faults << name + " leaves the printable area";
        for (int chart = 0; chart < 2; ++chart) {
            const ChartBox& f = frames[chart];
            // Positions reach the printer in single precision: half a twip.
            const double e = 0.5;
            if (t.bottom > f.top && t.top < f.bottom &&
                (t.left < f.left - e || t.right > f.right + e || t.top < f.top - e || t.bottom > f.bottom + e))
                faults << QStringLiteral("%1 leaves the frame of chart %2").arg(name).arg(chart + 1);
        }
        for (const DrawnLine& l : tee.lines)
            if (l.page == 2 && lineCoversBox(l, t.left, t.top, t.right, t.bottom))
                faults << QStringLiteral("%1 crossed by the line %2,%3-%4,%5")
                              .arg(name)
                              .arg(l.x1, 0, 'f', 0)
                              .arg(l.y1, 0, 'f', 0)
                              .arg(l.x2, 0, 'f', 0)
                              .arg(l.y2, 0, 'f', 0);
    }
    for (const DrawnLine& l : tee.lines)
        if (l.page == 2 && (std::min(l.x1, l.x2) - l.width / 2 <= 0 || std::max(l.x1, l.x2) + l.width / 2 >= W ||
                            std::min(l.y1, l.y2) - l.width / 2 <= 0 || std::max(l.y1, l.y2) + l.width / 2 >= H))
            faults << QStringLiteral("a line leaves the printable area");
    if (texts == 0)
        faults << QStringLiteral("no page 2");
    return faults;
}

// Words that an English page must not show: German words, and the
// misspellings and German defaults that stood there.
QStringList germanOrMisspelt(const TeePrinter& tee)
{
    const char* words[] = {"Einheit", " und ", "Bitte", "Benutzerdaten", "Pleas ", "Custgomer", "nitrogene",
                           "oxygene", "hydrogene", "super heated", "uncertaincy", "abolute", "uncertainy",
                           "insentropic", "diameter ration", "Tel.-DW", "Unsicherheit", "Messung", "Auslegung"};
    QStringList found;
    for (const DrawnText& t : tee.texts)
        for (const char* w : words)
            if (t.text.find(w) != std::string::npos)
                found << QStringLiteral("page %1: %2").arg(t.page).arg(QString::fromStdString(t.text));
    return found;
}

// The page 1 a Calc! run prints through the results window's print button
// (German or English), as pdftotext lays it out with blanks run together;
// empty when the tool is missing.
QString printedPageOne(CalcRig& rig, bool english)
{
    frmResult* results = rig.window->resultsWindow()->window();
    if (results == nullptr)
        return QStringLiteral("<no results window>");
    results->Check1()->setChecked(false);
    QTest::mouseClick(english ? results->Command3() : results->Command1(), Qt::LeftButton);
    const QString file = rig.folder.filePath(english ? QStringLiteral("morvane 7 results.pdf")
                                                     : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
    return pdfText(file).simplified();
}

// With MORVANE_SCREENSHOT_DIR set, the window as a PNG file of that name there.
void shot(QWidget* w, const QString& name)
{
    const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        w->grab().save(folder + "/" + name);
}

// The product database in the rig's program folder, as the probes and the
// RQ8 read it.
bool withProductDatabase(CalcRig& rig)
{
    return QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/morvdata5.sqlite"),
                       rig.folder.filePath(QStringLiteral("morvdata5.sqlite")));
}

// An RQ25 in DN200 PN16, air from the list at 101.3 kPa and 20 °C, 10000 Nm³/h.
void enterAirProbe(CalcRig& rig)
{
    MainInputPages& p = rig.pages();
    p.Option1->click();
    setListIndex(p.Combo1, 1);  // air
    setListIndex(p.Combo2, 3);  // RQ25
    p.Option6->click();
    setListIndex(p.Combo3, 12);  // DN200
    setListIndex(p.Combo4, 2);   // PN16
    p.Text16->setText(QStringLiteral("101.3"));
    p.Text17->setText(QStringLiteral("20"));
    p.Text18->setText(QStringLiteral("10000"));
    setListIndex(p.Combo8, 1);  // Nm³/h
}

// An RQ25 in a typed pipe of D `pipe` mm (wall 3 mm), air from the list at
// 101.3 kPa and 20 °C, `flow` kg/s.
void enterAirProbeInTypedPipe(CalcRig& rig, const QString& pipe, const QString& flow)
{
    MainInputPages& p = rig.pages();
    p.Option1->click();
    setListIndex(p.Combo1, 1);  // air
    setListIndex(p.Combo2, 3);  // RQ25
    p.Option5->click();         // pipe dimensions typed
    p.Text8->setText(pipe);
    p.Text9->setText(QStringLiteral("3"));
    p.Text16->setText(QStringLiteral("101.3"));
    p.Text17->setText(QStringLiteral("20"));
    p.Text18->setText(flow);
    setListIndex(p.Combo8, 4);  // kg/s
}

// Air through the reference orifice, calculated: the gas case that leaves its
// standard density and compressibility in the state.
void calculateAirFirst(CalcRig& rig)
{
    enterAirOrifice(rig);
    rig.clickCalc();
}

}  // namespace

class TestProtocolPdf : public QObject {
    Q_OBJECT

private slots:
    void germanPageOneIsAOnePagePdf()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillReference(state);
        Page1Printing printing{printer, folder, logo, {}, {}};
        DruckeDeutsch(state, printing);
        QVERIFY(tracer.responder.reports.empty());
        const QString file = dir.filePath("morvane 7 Berechnungsprotokoll.pdf");
        QVERIFY(QFile::exists(file));
        QCOMPARE(pdfPages(file), 1);
        keep(file, "page1_de.pdf");
    }

    void englishWithPageTwoHasTwoPages()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillRq25GasProbe(state);
        state.doc.gDruckeSeite2 = 1;
        int page2 = 0;
        Page1Printing printing{printer, folder, logo, {}, [&](Page2Context& ctx) {
                                   ++page2;
                                   ctx.job.text(1000, 1000, "page 2");
                               }};
        DruckeEnglisch(state, printing);
        QVERIFY(tracer.responder.reports.empty());
        QCOMPARE(page2, 1);
        const QString file = dir.filePath("morvane 7 results.pdf");
        QCOMPARE(pdfPages(file), 2);
        keep(file, "page1_en.pdf");
    }

    // A probe with its flow limits through both real pages, as the results
    // window prints it.
    void probeWithUncertaintyReport()
    {
        morvane::testing::TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillReference(state);
        auto& c = state.calc;
        c.gPrimaerelementtyp = 3;
        c.gDurchflussEinheit = 6;
        c.gDurchflussAuslegung = 100;
        // The flow limits of a gas probe at 1 kPa with frequency ratio 3.
        c.gQUnsicherheit1 = 40, c.gQUnsicherheit1_5 = 24, c.gQUnsicherheit2 = 20, c.gQUnsicherheit3 = 15;
        c.gQUnsicherheit5 = 10, c.gQUnsicherheit10 = 7;
        c.gQUnsicherheit1SR = 8, c.gQUnsicherheit1_5SR = 6, c.gQUnsicherheit2SR = 5, c.gQUnsicherheit3SR = 4;
        c.gQUnsicherheit5SR = 3, c.gQUnsicherheit10SR = 2.5;
        c.gQmaxEmpfohlen = 150, c.gQmaxErlaubt = 230.769;
        c.gQminEmpfohlen = 15.8114, c.gQminEmpfohlenSR = 15.8114, c.gQminMoeglich = 10, c.gQminMoeglichSR = 10;
        state.doc.gDruckeSeite2 = 1;
        Page1Printing printing{printer, folder, logo,
                               [](Page2Context& p) {
                                   DruckeDeutsch_p2(p.job, p.state, p.programFolder, p.logo, p.decimalSeparator);
                               },
                               [](Page2Context& p) {
                                   DruckeEnglish_p2(p.job, p.state, p.programFolder, p.logo, p.decimalSeparator);
                               }};
        DruckeDeutsch(state, printing);
        QVERIFY(tracer.responder.reports.empty());
        QDir pdfs(dir.path());
        const QStringList files = pdfs.entryList({"*.pdf"});
        QCOMPARE(files.size(), 1);
        const QString file = pdfs.filePath(files.front());
        QCOMPARE(pdfPages(file), 2);
        keep(file, "probe_de.pdf");

        // A design flow far beyond the scale, in English: still two pages,
        // the axis labels on the page.
        QVERIFY(QFile::remove(file));
        c.gDurchflussEinheit = 1;  // Nm³/h
        c.gDurchflussAuslegung = 5000;
        c.gQmaxErlaubt = 2000;
        DruckeEnglisch(state, printing);
        QVERIFY(tracer.responder.reports.empty());
        const QString english = pdfs.filePath(pdfs.entryList({"*.pdf"}).front());
        QCOMPARE(pdfPages(english), 2);
        keep(english, "probe_beyond_en.pdf");
    }

    // Page 2 of the air case whose allowed maximum flow (the vibration
    // limit, A) is 2307.69 Nm³/h, for designs at 0.2, 1, 2 and 5 times it,
    // through Calc! and the print buttons of the results window, in both
    // languages from a German window: every text of a chart inside its frame,
    // everything inside the printable area, no line across a text (as the
    // drawing commands place them, measured in the real fonts), no two words
    // on top of each other (as the PDF file has them); and English pages
    // without German or misspelt words.
    void pageTwoChartsAtFractionsOfTheVibrationLimit()
    {
        QLocale::setDefault(QLocale::c());
        CalcRig rig;
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        TeePrinter tee(pdf);
        rig.window->setPrinter(tee);
        MainInputPages& p = rig.pages();
        enterAirProbe(rig);
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        const double limit = rig.state.calc.gQmaxErlaubt;
        QVERIFY2(std::fabs(limit - 2307.69) < 0.01, qPrintable(QString::number(limit, 'f', 4)));

        for (const double factor : {0.2, 1.0, 2.0, 5.0}) {
            p.Text18->setText(QString::number(factor * limit, 'f', 2));
            rig.clickCalc();
            QVERIFY(rig.tracer.responder.reports.empty());
            frmResult* results = rig.window->resultsWindow()->window();
            QVERIFY(results != nullptr);
            for (const bool english : {false, true}) {
                const QString tag = QStringLiteral("%1 A %2").arg(factor).arg(english ? "en" : "de");
                QTest::mouseClick(english ? results->Command3() : results->Command1(), Qt::LeftButton);
                QVERIFY(rig.tracer.responder.reports.empty());
                const QStringList faults = pageTwoFaults(tee);
                QVERIFY2(faults.isEmpty(), qPrintable(tag + ": " + faults.join("; ")));
                const QString file = rig.folder.filePath(
                    english ? QStringLiteral("morvane 7 results.pdf") : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
                QCOMPARE(pdfPages(file), 2);
                const QString kept = QStringLiteral("vibration_limit_x%1_%2.pdf").arg(factor).arg(english ? "en" : "de");
                keep(file, qPrintable(kept));
                bool ran = false;
                const QStringList overlaps = layoutFaults(file, ran);
                QVERIFY2(overlaps.isEmpty(), qPrintable(tag + ": " + overlaps.join("; ")));
                if (english) {
                    const QStringList words = germanOrMisspelt(tee);
                    QVERIFY2(words.isEmpty(), qPrintable(tag + ": " + words.join("; ")));
                }
            }
        }
    }

    // After an air case in the same run, water, both steams from the list
    // and the liquid model print "n.a." for standard density and
    // compressibility, as the results window shows them, on both pages: not
    // the air's 1.2930 and 1.0000 that the state still holds for them.
    void pageOneAfterAGasCasePrintsNoStaleMediumData_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<Enter>("enter");
        QTest::newRow("water") << Enter([](CalcRig& r) { enterOrifice(r); });
        QTest::newRow("superheated steam") << Enter([](CalcRig& r) {
            enterOrifice(r);
            setListIndex(r.pages().Combo1, 2);
            r.pages().Text17->setText("250");
            r.pages().Text18->setText("0.5");
        });
        QTest::newRow("saturated steam") << Enter([](CalcRig& r) {
            enterOrifice(r);
            setListIndex(r.pages().Combo1, 3);
            r.pages().Text17->setText("151");
            r.pages().Text18->setText("0.5");
        });
        QTest::newRow("liquid") << Enter([](CalcRig& r) {
            enterOrifice(r);
            r.pages().Option4->click();
            r.pages().Text13->setText("Oel");
            r.pages().Text1->setText("850");
            r.pages().Text7->setText("10");
        });
    }
    void pageOneAfterAGasCasePrintsNoStaleMediumData()
    {
        QFETCH(std::function<void(CalcRig&)>, enter);
        QLocale::setDefault(QLocale::c());
        CalcRig rig;
        QVERIFY(rig.exposed);
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        rig.window->setPrinter(pdf);
        calculateAirFirst(rig);
        QVERIFY(rig.state.calc.gNormdichte > 1.0 && rig.state.calc.gKompressibilitaet > 0.9);
        enter(rig);
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        QCOMPARE(results->label("Label8")->text(), QStringLiteral("n.a."));
        QCOMPARE(results->label("Label19")->text(), QStringLiteral("n.a."));
        const std::pair<const char*, const char*> rows[] = {{"Normdichte n.a. kg/Nm³", "Kompressibilitaet n.a. -"},
                                                            {"standard density n.a. kg/Nm³", "compressibility n.a. -"}};
        for (const bool english : {false, true}) {
            const QString page = printedPageOne(rig, english);
            if (page.isEmpty())
                QSKIP("pdftotext is not installed");
            if (QString::fromLatin1(QTest::currentDataTag()) == "water")
                keep(rig.folder.filePath(english ? "morvane 7 results.pdf" : "morvane 7 Berechnungsprotokoll.pdf"),
                     english ? "water_after_air_en.pdf" : "water_after_air_de.pdf");
            for (const char* row : {rows[english].first, rows[english].second})
                QVERIFY2(page.contains(QString::fromUtf8(row)), qPrintable(QString::fromUtf8(row) + " in: " + page));
        }
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // The RQ8 (type 1) after an RQ25 in DN200 in the same run: its hidden wall
    // box still holds the DN200's wall, but neither the results window nor
    // page 1 shows a wall thickness for the meter run.
    void meterRunAfterAProbeShowsNoWallThickness()
    {
        QLocale::setDefault(QLocale::c());
        CalcRig rig;
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        rig.window->setPrinter(pdf);
        MainInputPages& p = rig.pages();
        enterAirProbe(rig);
        rig.clickCalc();
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        const QString probeWall = results->label("Label47")->text();
        QVERIFY2(probeWall.toDouble() > 0.0, qPrintable(probeWall));
        QVERIFY(printedPageOne(rig, false).contains("Wandstaerke " + probeWall.left(probeWall.indexOf('.'))));

        enterOrifice(rig);
        setListIndex(p.Combo2, 1);  // RQ8
        p.Text10->setText(QStringLiteral("10"));
        p.Text18->setText(QStringLiteral("0.5"));
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        QCOMPARE(rig.state.calc.gPrimaerelementtyp, std::int16_t(1));
        QVERIFY(rig.state.calc.gWandstaerke > 0.0);  // what the hidden box held
        QCOMPARE(results->label("Label47")->text(), QStringLiteral("n.a."));
        shot(results, QStringLiteral("results_rq8_after_rq25.png"));
        const std::pair<bool, const char*> rows[] = {{false, "Wandstaerke n.a. mm"}, {true, "wall thickness n.a. mm"}};
        for (const auto& [english, row] : rows) {
            const QString page = printedPageOne(rig, english);
            if (page.isEmpty())
                QSKIP("pdftotext is not installed");
            QVERIFY2(page.contains(QString::fromLatin1(row)), qPrintable(page));
        }
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // The RQ8 with a 1 mm bore, water at 20 °C and 500 kPa, a known dp of
    // 1 mbar, Find Flow in kg/s: the solver announces the flow it writes into
    // the box with 4 significant digits, not as "0 kg/s"; after Calc! the
    // results window shows the flow and the velocity so, and page 1 prints
    // no non-zero value as 0, in both languages.
    void smallFlowIsNeverShownAsZero_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("de") << int(OffsetGerman) << QStringLiteral("kg/s: Wert übernommen (dp-element)");
        QTest::newRow("en") << int(OffsetEnglish) << QStringLiteral("kg/s: Value has been noted (dp-element).");
    }
    void smallFlowIsNeverShownAsZero()
    {
        QFETCH(int, offset);
        QFETCH(QString, accepted);
        QLocale::setDefault(QLocale::c());
        CalcRig rig(offset);
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        rig.window->setPrinter(pdf);
        enterOrifice(rig);
        MainInputPages& p = rig.pages();
        setListIndex(p.Combo2, 1);  // RQ8
        p.Text10->setText(QStringLiteral("1"));
        p.Text18->setText(QString());
        setCheckValue(p.Check4, 1);
        p.Option18->click();  // find the flow
        p.Text37->setText(QStringLiteral("1"));
        QTest::mouseClick(p.Command3, Qt::LeftButton);
        QVERIFY(rig.tracer.responder.reports.empty());
        QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
        const double flow = p.Text18->text().trimmed().toDouble();
        QVERIFY2(flow > 0.000243 && flow < 0.000244, qPrintable(p.Text18->text()));
        QCOMPARE(QString::fromStdString(rig.fakes.messages.shown[0].text), "0.0002432 " + accepted);

        setCheckValue(p.Check4, 0);
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        QCOMPARE(results->label("Label81")->text(), QStringLiteral("0.0002432"));
        shot(results, QStringLiteral("results_small_flow_%1.png").arg(QTest::currentDataTag()));
        const double v = rig.state.calc.gGeschwindigkeit[0];
        QVERIFY2(v > 0.0 && v < 0.005, qPrintable(QString::number(v)));
        QCOMPARE(results->label("Label104")->text(), QString::fromStdString(formatFixedNear(v, 2)));
        QVERIFY(results->label("Label104")->text().toDouble() > 0.0);
        // Page 1: every number of the process data is 0 only where the state's is.
        for (const bool english : {false, true}) {
            const QString page = printedPageOne(rig, english);
            if (page.isEmpty())
                QSKIP("pdftotext is not installed");
            for (const double shown : {rig.state.calc.gDurchflussAuslegung, v})
                QVERIFY2(page.contains(QString::fromStdString(formatFixedNear(shown, shown == v ? 4 : 5))),
                         qPrintable(page));
            QVERIFY2(!page.contains(QRegularExpression(QStringLiteral("(^| )0\\.0+ (kg/s|m/s)"))), qPrintable(page));
        }
    }

    // Values that the masks moved far off although they are not 0, through
    // Calc! and the print buttons: a liquid of 900 kg/m³ at 1000 kPa and
    // 20 °C, of 1756 cP through a classical venturi tube (D 12.94 mm, d
    // 6.47 mm) at 0.007 and at 0.0001 kg/s, of 1 cP through a flange-tapped
    // orifice (D 639 mm, d 127.8 mm) at 5 kg/s; air from the list through an
    // RQ25 in 207.3 mm at 0.004 kg/s, and water through the RQ8 (D 19 mm)
    // with a 1 mm bore at 0.0002432 kg/s. The engine's velocity is the flow
    // over ρ·π/4·D² with the state's ρ (0.05914, 0.0008449, 0.01732, 0.09844
    // and 0.0008591 m/s; the engine's π is 3.14159). The results window
    // (German with the decimal comma, English) and page 1 of both protocols
    // show the flow and the velocity within 1 % of the state's: in their
    // masks where these read so, else with 4 significant digits (the window's
    // "###0.00" showed 0.01, 0.06, 0.02 and 0.10 kg/s or m/s; page 1's
    // "###0.0000" 0.0008 and 0.0009 m/s, its "###0.00000" 0.00024 kg/s).
    void smallValuesReadWithinOnePercent_data()
    {
        using Enter = std::function<void(CalcRig&)>;
        QTest::addColumn<Enter>("enter");
        QTest::addColumn<double>("pipe");  // D, mm
        QTest::addColumn<QString>("windowFlow");
        QTest::addColumn<QString>("windowVelocity");
        QTest::addColumn<QString>("pageFlow");
        QTest::addColumn<QString>("pageVelocity");
        const auto liquid = [](CalcRig& r, const char* viscosity, int element, const char* pipe, const char* bore,
                               const char* flow) {
            enterOrifice(r);
            MainInputPages& p = r.pages();
            p.Option4->click();
            p.Text13->setText(QStringLiteral("Oel"));
            p.Text1->setText(QStringLiteral("900"));
            p.Text7->setText(QString::fromLatin1(viscosity));
            setListIndex(p.Combo2, element);
            p.Text8->setText(QString::fromLatin1(pipe));
            p.Text10->setText(QString::fromLatin1(bore));
            p.Text16->setText(QStringLiteral("1000"));
            p.Text18->setText(QString::fromLatin1(flow));
        };
        const struct {
            const char* tag;
            Enter enter;
            double pipe;
            const char *windowFlow, *windowVelocity, *pageFlow, *pageVelocity;
        } rows[] = {
            {"venturi tube, 0.007 kg/s", [=](CalcRig& r) { liquid(r, "1756", 13, "12.94", "6.47", "0.007"); }, 12.94,
             "0.007000", "0.05914", "0.00700", "0.0591"},
            {"venturi tube, 0.0001 kg/s", [=](CalcRig& r) { liquid(r, "1756", 13, "12.94", "6.47", "0.0001"); }, 12.94,
             "0.0001000", "0.0008449", "0.00010", "0.0008449"},
            {"orifice, 5 kg/s", [=](CalcRig& r) { liquid(r, "1", 9, "639", "127.8", "5"); }, 639.0, "5.00", "0.01732",
             "5.00000", "0.0173"},
            {"RQ25, 0.004 kg/s", [](CalcRig& r) { enterAirProbeInTypedPipe(r, "207.3", "0.004"); }, 207.3,
             "0.004000", "0.09844", "0.00400", "0.0984"},
            {"RQ8, 0.0002432 kg/s",
             [](CalcRig& r) {
                 enterOrifice(r);
                 setListIndex(r.pages().Combo2, 1);  // RQ8
                 r.pages().Text10->setText(QStringLiteral("1"));
                 r.pages().Text18->setText(QStringLiteral("0.0002432"));
             },
             19.0, "0.0002432", "0.0008591", "0.0002432", "0.0008591"},
        };
        for (const auto& r : rows)
            for (const char* language : {"de", "en"})
                QTest::addRow("%s %s", r.tag, language) << r.enter << r.pipe << QString::fromLatin1(r.windowFlow)
                                                        << QString::fromLatin1(r.windowVelocity)
                                                        << QString::fromLatin1(r.pageFlow)
                                                        << QString::fromLatin1(r.pageVelocity);
    }
    void smallValuesReadWithinOnePercent()
    {
        QFETCH(std::function<void(CalcRig&)>, enter);
        QFETCH(double, pipe);
        QFETCH(QString, windowFlow);
        QFETCH(QString, windowVelocity);
        QFETCH(QString, pageFlow);
        QFETCH(QString, pageVelocity);
        const bool german = QByteArray(QTest::currentDataTag()).endsWith(" de");
        QLocale::setDefault(german ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        // A text of the table with the user's decimal separator.
        const auto regional = [german](QString t) {
            return german ? t.replace(QLatin1Char('.'), QLatin1Char(',')) : t;
        };
        CalcRig rig(german ? OffsetGerman : OffsetEnglish);
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        rig.window->setPrinter(pdf);
        enter(rig);
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY2(results != nullptr, rig.state.ui.gFehlertext.c_str());
        const CalculationState& c = rig.state.calc;
        const double flow = c.gDurchflussAuslegung;
        const double velocity = c.gGeschwindigkeit[0];
        const double byHand = flow / (c.gBetriebsdichte * M_PI / 4.0 * std::pow(pipe / 1000.0, 2));
        QVERIFY2(std::fabs(velocity - byHand) <= 1e-5 * byHand,
                 qPrintable(QStringLiteral("%1 m/s, by hand %2").arg(velocity, 0, 'g', 12).arg(byHand, 0, 'g', 12)));
        // A text read back, whatever its separator, lies within 1 % of the value.
        const auto near = [](QString text, double value) {
            return std::fabs(text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble() - value) <= 0.01 * value;
        };
        QCOMPARE(results->label("Label81")->text(), regional(windowFlow));
        QCOMPARE(results->label("Label104")->text(), regional(windowVelocity));
        QVERIFY(near(results->label("Label81")->text(), flow));
        QVERIFY(near(results->label("Label104")->text(), velocity));
        shot(results, QStringLiteral("results_within_1pc_%1.png").arg(QTest::currentDataTag()).replace(' ', '_'));

        for (const bool english : {false, true}) {
            const QString page = printedPageOne(rig, english);
            if (page.isEmpty())
                QSKIP("pdftotext is not installed");
            const QString flowRow = (english ? "Flow " : "Durchfluss ") + regional(pageFlow) + " kg/s";
            const QString velocityRow =
                (english ? "fluid velocity " : "Mediumsgeschwindigkeit ") + regional(pageVelocity) + " m/s";
            QVERIFY2(page.contains(flowRow), qPrintable(flowRow + " in: " + page));
            QVERIFY2(page.contains(velocityRow), qPrintable(velocityRow + " in: " + page));
        }
        QVERIFY(near(regional(pageFlow), flow));
        QVERIFY(near(regional(pageVelocity), velocity));
    }

    // An RQ25 in a 2000 mm pipe at about 80 m/s of air (1.086e6 kg/h at
    // 101.325 kPa, 20 °C): its vibration ratio rounds to 0.00, so the allowed
    // and the recommended maximum flow are 0. Page 2 prints without a
    // run-time error in both languages, its charts say that the design leaves
    // no allowed flow range, and every text stays in its chart, clear of the
    // lines.
    void pageTwoOfADesignWithoutAllowedFlow()
    {
        QLocale::setDefault(QLocale::c());
        CalcRig rig;
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        TeePrinter tee(pdf);
        rig.window->setPrinter(tee);
        MainInputPages& p = rig.pages();
        p.Option1->click();
        setListIndex(p.Combo1, 1);  // air
        setListIndex(p.Combo2, 3);  // RQ25
        p.Option5->click();         // pipe dimensions typed
        p.Text8->setText(QStringLiteral("2000"));
        p.Text9->setText(QStringLiteral("10"));
        p.Text16->setText(QStringLiteral("101.325"));
        p.Text17->setText(QStringLiteral("20"));
        p.Text18->setText(QStringLiteral("1086000"));
        setListIndex(p.Combo8, 3);  // kg/h
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        QCOMPARE(rig.state.calc.gFrequenzverhaeltnis, 0.0);
        QCOMPARE(rig.state.calc.gQmaxErlaubt, 0.0);
        QVERIFY2(std::fabs(rig.state.calc.gGeschwindigkeit[0] - 80.0) < 1.0,
                 qPrintable(QString::number(rig.state.calc.gGeschwindigkeit[0])));
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        const std::pair<bool, const char*> pages[] = {
            {false, "Diese Auslegung lässt keinen zulässigen Durchflussbereich: der zulässige Maximaldurchfluss A ist 0."},
            {true, "This design leaves no allowed flow range: the allowed maximum flow A is 0."}};
        for (const auto& [english, note] : pages) {
            QTest::mouseClick(english ? results->Command3() : results->Command1(), Qt::LeftButton);
            QVERIFY(rig.tracer.responder.reports.empty());
            const QString file = rig.folder.filePath(english ? QStringLiteral("morvane 7 results.pdf")
                                                             : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
            QCOMPARE(pdfPages(file), 2);
            keep(file, english ? "no_allowed_flow_en.pdf" : "no_allowed_flow_de.pdf");
            const QStringList faults = pageTwoFaults(tee);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
            const auto notes = std::count_if(tee.texts.begin(), tee.texts.end(), [&](const DrawnText& t) {
                return t.page == 2 && t.text == note;
            });
            QCOMPARE(notes, 2);
            bool ran = false;
            const QStringList overlaps = layoutFaults(file, ran);
            QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join("; ")));
        }
    }

    // An RQ25 in a typed pipe of 82.5 mm (wall 3 mm), air from the list at
    // 101.3 kPa and 20 °C, 0.05 kg/s (about 7.8 m/s and 0.71 mbar), and the
    // same in 207.3 mm at 0.004 kg/s: flows of a few g/s, which two decimals
    // show as 0 or far off. Through Calc! and the print buttons, page 2 of
    // each language as pdftotext reads it from the PDF file: every legend
    // line's flow, and every other flow on the page (the design flow under
    // C, the label under the half-design tick), is within 1 % of the state's
    // flow it stands for, none reads 0. The thresholds are checked against
    // the gas fractions of the flow-limits step (one transmitter 0.4, 0.2,
    // 0.1; splitting range 0.4, 0.05, 0.03 of the design flow).
    void pageTwoShowsSmallFlowsAsTheyAre_data()
    {
        QTest::addColumn<QString>("pipe");
        QTest::addColumn<QString>("flow");
        QTest::newRow("82.5 mm, 0.05 kg/s") << QStringLiteral("82.5") << QStringLiteral("0.05");
        QTest::newRow("207.3 mm, 0.004 kg/s") << QStringLiteral("207.3") << QStringLiteral("0.004");
    }
    void pageTwoShowsSmallFlowsAsTheyAre()
    {
        QFETCH(QString, pipe);
        QFETCH(QString, flow);
        QLocale::setDefault(QLocale::c());
        CalcRig rig;
        QVERIFY(rig.exposed);
        QVERIFY(withProductDatabase(rig));
        QtPrinter pdf(rig.folder.path().toStdString(), QtPrinter::Destination::PdfFile);
        rig.window->setPrinter(pdf);
        enterAirProbeInTypedPipe(rig, pipe, flow);
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        const CalculationState& c = rig.state.calc;
        const double q = flow.toDouble();
        QCOMPARE(c.gDurchflussAuslegung, q);
        if (pipe == QStringLiteral("82.5")) {
            QVERIFY2(std::fabs(c.gGeschwindigkeit[0] - 7.8) < 0.05, qPrintable(QString::number(c.gGeschwindigkeit[0])));
            QVERIFY2(std::fabs(c.gDifferenzdruck[0] - 0.071) < 0.001, qPrintable(QString::number(c.gDifferenzdruck[0])));
        }
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr);
        QVERIFY(results->Check1()->isChecked());

        struct Row {
            const char* german;
            const char* english;
            double flow;
        };
        const Row legend[] = {
            {"A - Erlaubter maximaler Durchfluss", "A - max possible flow", c.gQmaxErlaubt},
            {"B - Empfohlener maximaler Durchfluss", "B - recommended max flow", c.gQmaxEmpfohlen},
            {"C - Auslegungspunkt", "C - design point", q},
            {"D - Empfohlener minimaler Durchfluss", "D - recommended min flow", c.gQminEmpfohlen},
            {"E - Möglicher minimaler Durchfluss", "E - possible min flow", c.gQminMoeglich},
            {"1% Unsicherheit ab", "1% uncertainty from", 0.4 * q},
            {"2% Unsicherheit ab", "2% uncertainty from", 0.2 * q},
            {"5% Unsicherheit ab", "5% uncertainty from", 0.1 * q},
            {"F - Empfohlener minimaler Durchfluss bei Splitting Range", "F - recommended min flow using splitting range",
             c.gQminEmpfohlenSR},
            {"G - Möglicher minimaler Durchfluss bei Splitting Range", "G - possible min flow", c.gQminMoeglichSR},
            {"1% Unsicherheit bei Splitting Range ab", "1% uncertainty from", 0.4 * q},
            {"2% Unsicherheit bei Splitting Range ab", "2% uncertainty from", 0.05 * q},
            {"5% Unsicherheit bei Splitting Range ab", "5% uncertainty from", 0.03 * q},
        };
        std::vector<double> flows{q / 2.0};  // and the half-design tick's label
        for (const Row& r : legend) {
            QVERIFY2(r.flow > 0.0, r.english);
            flows.push_back(r.flow);
        }
        const auto near = [](double shown, double flow) { return std::fabs(shown - flow) <= 0.01 * flow; };
        const QRegularExpression flowRe(QStringLiteral("(-?[0-9]*\\.?[0-9]+) kg/s"));

        for (const bool english : {false, true}) {
            const QString tag = english ? QStringLiteral("en: ") : QStringLiteral("de: ");
            QTest::mouseClick(english ? results->Command3() : results->Command1(), Qt::LeftButton);
            QVERIFY(rig.tracer.responder.reports.empty());
            const QString file = rig.folder.filePath(english ? QStringLiteral("morvane 7 results.pdf")
                                                             : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
            QCOMPARE(pdfPages(file), 2);
            keep(file, qPrintable(QStringLiteral("small_flow_%1_%2.pdf").arg(pipe, english ? "en" : "de")));
            const QStringList pages = pdfText(file).split('\f');
            if (pages.size() < 2)
                QSKIP("pdftotext is not installed");
            const QStringList lines = pages[1].split('\n');

            // The legends, line by line in the page's order (the English
            // threshold lines of the two charts read the same).
            qsizetype at = 0;
            for (const Row& r : legend) {
                const QString label = QString::fromUtf8(english ? r.english : r.german);
                while (at < lines.size() && !lines[at].trimmed().startsWith(label))
                    ++at;
                QVERIFY2(at < lines.size(), qPrintable(tag + label + " missing in\n" + pages[1]));
                const auto m = flowRe.match(lines[at]);
                QVERIFY2(m.hasMatch(), qPrintable(tag + lines[at]));
                const double shown = m.captured(1).toDouble();
                QVERIFY2(near(shown, r.flow),
                         qPrintable(tag + lines[at] + " for " + QString::number(r.flow, 'g', 12)));
                ++at;
            }
            // Every flow of the page, the charts' too.
            int seen = 0;
            for (auto it = flowRe.globalMatch(pages[1]); it.hasNext();) {
                const QString text = it.next().captured(1);
                const double shown = text.toDouble();
                QVERIFY2(std::any_of(flows.begin(), flows.end(), [&](double f) { return near(shown, f); }),
                         qPrintable(tag + text + " kg/s stands for no flow of the page"));
                ++seen;
            }
            // The 13 legend lines and the design flow under C in each chart.
            QVERIFY2(seen >= 15, qPrintable(tag + QString::number(seen) + "\n" + pages[1]));
        }
    }

    // Every element type's page 1 in both languages: no two words on top of
    // each other (a long type name ran into the type code's label) and none
    // past the page's right edge.
    void elementTypesPrintClearOfEachOther()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillReference(state);
        Page1Printing printing{printer, folder, logo, {}, {}};
        for (std::int16_t type = 1; type <= 15; ++type) {
            state.calc.gPrimaerelementtyp = type;
            state.calc.gGegenlagerVorgesehen = 0;
            for (const bool english : {false, true}) {
                const QString file =
                    dir.filePath(english ? QStringLiteral("morvane 7 results.pdf")
                                         : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
                QFile::remove(file);
                english ? DruckeEnglisch(state, printing) : DruckeDeutsch(state, printing);
                bool ran = false;
                const QStringList faults = layoutFaults(file, ran);
                if (!ran)
                    QSKIP("pdftotext is not installed");
                QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("type %1 %2: ").arg(type).arg(english ? "en" : "de") +
                                                      faults.join("; ")));
            }
        }
        QVERIFY(tracer.responder.reports.empty());
    }

    // Long texts of the user, the customer and the configuration on both
    // pages, in both languages: each stays on the page and clear of the next
    // column, in a smaller size where it needs one, whole while that size can
    // be read, else cut with "...".
    void longTextsStayOnThePageAndClearOfTheirNeighbours()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillProbe(state);
        state.doc.gDruckeSeite2 = 1;
        auto& u = state.settings;
        u.gCompanyFirma1 = "Messtechnik Nord GmbH & Co. KG Anlagenbau";
        u.gCompanyStrasse = "Industriestrasse 123, Gewerbegebiet Sued-West";
        u.gCompanyPLZOrt = "12345 Musterhausen an der Wupper ";
        u.gCompanyLand = "Deutschland";
        u.gUserAbteilung = "Vertrieb Durchflussmesstechnik Norddeutschland";
        auto& d = state.doc;
        d.gKundeFirma1 = "Stadtwerke Musterstadt Versorgungs- und Verkehrsgesellschaft mbH Netzbetrieb";
        d.gKundeName = "z. Hd. Frau Dipl.-Ing. Erika Mustermann-Schmidt, Abteilung Messtechnik und Automation";
        d.gAuftragsnummer = "AN-2026-000123-Rev.04 / Rahmenvertrag Messstellen Nord";
        d.gDateiname = "/home/erika.mustermann/Dokumente/Projekte/2026/Stadtwerke Musterstadt/"
                       "Fernwaermeleitung Nord/Berechnungen/Messstelle FT-101 Dampf.mv5";
        state.config.gTypenschluessel = "RQ25-14571 D1234.5 S12.5 PN40 -FS V3 OHO L1500 T-20C H150 GE1 "
                                        "ZUB-Sonderausfuehrung";
        Page1Printing printing{printer, folder, logo,
                               [](Page2Context& p) {
                                   DruckeDeutsch_p2(p.job, p.state, p.programFolder, p.logo, p.decimalSeparator);
                               },
                               [](Page2Context& p) {
                                   DruckeEnglish_p2(p.job, p.state, p.programFolder, p.logo, p.decimalSeparator);
                               }};
        for (const bool english : {false, true}) {
            const QString file = dir.filePath(english ? QStringLiteral("morvane 7 results.pdf")
                                                      : QStringLiteral("morvane 7 Berechnungsprotokoll.pdf"));
            english ? DruckeEnglisch(state, printing) : DruckeDeutsch(state, printing);
            keep(file, english ? "long_texts_en.pdf" : "long_texts_de.pdf");
            bool ran = false;
            const QStringList faults = layoutFaults(file, ran);
            if (!ran)
                QSKIP("pdftotext is not installed");
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
            // Whole where a smaller size holds them.
            const QString text = pdfText(file).simplified();
            for (const char* whole : {"Co. KG Anlagenbau", "Gewerbegebiet Sued-West", "Musterhausen an der Wupper Deutschland",
                                      "Durchflussmesstechnik Norddeutschland", "Verkehrsgesellschaft mbH Netzbetrieb",
                                      "Rahmenvertrag Messstellen Nord", "GE1 ZUB-Sonderausfuehrung"})
                QVERIFY2(text.contains(QString::fromUtf8(whole)), whole);
            // A path too long even so keeps its end, the file's name.
            QVERIFY(text.contains(QStringLiteral("Messstelle FT-101 Dampf.mv5")));
            QVERIFY(!text.contains(QStringLiteral("/home/erika.mustermann")));
        }
        QVERIFY(tracer.responder.reports.empty());
    }

    // The print button through a printer dialog that chose a PDF file of the
    // user's naming: both pages land there, nothing in the program's folder,
    // and nobody is told of a stand-in file.
    void printsToThePdfFileChosenInTheDialog()
    {
        TestTracer tracer;
        QTemporaryDir programFolder, elsewhere;
        QtPrinter printer(programFolder.path().toStdString(), QtPrinter::Destination::PdfFile);
        RecordingMessageBox messages;
        ProgramState state;
        fillProbe(state);
        ProtocolPages pages(state, printer, programFolder.path().toStdString(), &messages);
        ScriptedPrinterDialog dialog;
        const QString chosen = elsewhere.filePath(QStringLiteral("Messstelle FT-101.pdf"));
        dialog.answer = {PrintTarget::Kind::PdfFile, chosen.toStdString()};
        QtResultsWindow results(state, dialog, &pages);
        results.show();
        QTest::mouseClick(results.window()->Command1(), Qt::LeftButton);
        QVERIFY(tracer.responder.reports.empty());
        QCOMPARE(pdfPages(chosen), 2);
        QVERIFY(QDir(programFolder.path()).entryList({"*.pdf"}).isEmpty());
        QVERIFY(messages.shown.empty());

        // Cancelled the next time: the default printer, here the stand-in
        // file in the program's folder, whose path the user is told.
        dialog.answer = {};
        QTest::mouseClick(results.window()->Command3(), Qt::LeftButton);
        const QString standIn = QDir(programFolder.path()).filePath("morvane 7 results.pdf");
        QCOMPARE(pdfPages(standIn), 2);
        QCOMPARE(messages.shown.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(messages.shown[0].text).contains(standIn));
    }

    // No printer and a program folder that takes no file (it lies below a
    // regular file, so even root cannot write there): the user is asked where
    // to save, and told where the protocol went; no error dialog.
    void unwritableProgramFolderAsksWhereToSave()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("plain file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const std::filesystem::path programFolder = (dir.path() + "/plain file/program").toStdString();
        QtPrinter printer(programFolder, QtPrinter::Destination::PdfFile);
        std::vector<std::string> asked;
        const QString answer = dir.filePath(QStringLiteral("saved.pdf"));
        printer.setPdfQuestion([&](const std::string& failed) -> std::optional<std::string> {
            asked.push_back(failed);
            return answer.toStdString();
        });
        RecordingMessageBox messages;
        ProgramState state;
        fillReference(state);
        ProtocolPages pages(state, printer, programFolder, &messages);
        pages.DruckeDeutsch();
        QVERIFY(tracer.responder.reports.empty());
        QCOMPARE(asked.size(), std::size_t(1));
        QCOMPARE(asked[0], (programFolder / "morvane 7 Berechnungsprotokoll.pdf").string());
        QCOMPARE(pdfPages(answer), 1);
        QCOMPARE(messages.shown.size(), std::size_t(1));
        QVERIFY(QString::fromStdString(messages.shown[0].text).contains(answer));

        // The question cancelled: no printout, no error, nothing more said.
        printer.setPdfQuestion([](const std::string&) { return std::optional<std::string>(); });
        pages.DruckeEnglisch();
        QVERIFY(tracer.responder.reports.empty());
        QCOMPARE(messages.shown.size(), std::size_t(1));
    }

    // What the PDF text shows: the remarks line by line (and "..." where
    // they do not all fit), "n.a." for water's exponent, and the logo of an
    // earlier printout once its file is gone.
    void remarksExponentAndKeptLogoInThePdf()
    {
        TestTracer tracer;
        QTemporaryDir dir;
        const std::filesystem::path folder = dir.path().toStdString();
        QtPrinter printer(folder, QtPrinter::Destination::PdfFile);
        LogoHolder logo;
        ProgramState state;
        fillReference(state);
        state.calc.gMediumNr = 4;  // water from the list
        state.calc.gIsentropenkoeffizient = 1e9;
        state.doc.gBemerkungen = "Zeile eins\r\nZeile zwei\r\nZeile drei";
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        QVERIFY(picture.save(dir.filePath("firma.png")));
        QFile dli(dir.filePath("Logo.dli"));
        QVERIFY(dli.open(QIODevice::WriteOnly));
        dli.write("firma.png\r\n7350\r\n400\r\n0\r\n0\r\n");
        dli.close();
        Page1Printing printing{printer, folder, logo, {}, {}};
        DruckeDeutsch(state, printing);
        const QString file = dir.filePath("morvane 7 Berechnungsprotokoll.pdf");
        const QString text = pdfText(file);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        keep(file, "remarks_de.pdf");
        for (const char* line : {"Zeile eins", "Zeile zwei", "Zeile drei"})
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        QVERIFY(!text.contains(QStringLiteral("...")));
        QVERIFY(text.contains(QRegularExpression(QStringLiteral("Isentropenkoeffizient\\s+n\\.a\\.\\s+-"))));
        QVERIFY(!text.contains(QStringLiteral("1000000000")));
        QCOMPARE(pdfImages(file), 1);

        // Five lines do not fit: the last one printed ends with "...". The
        // logo file is gone: its picture prints all the same.
        QVERIFY(QFile::remove(dir.filePath("firma.png")));
        state.doc.gBemerkungen = "A1\r\nB2\r\nC3\r\nD4\r\nE5";
        DruckeDeutsch(state, printing);
        const QString second = pdfText(file);
        keep(file, "remarks_cut_de.pdf");
        QVERIFY(second.contains(QStringLiteral("C3...")));
        QVERIFY(!second.contains(QStringLiteral("D4")));
        QCOMPARE(pdfImages(file), 1);
        // The picture is the company's 40 x 20 logo, not the built-in one.
        if (!QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty())
            QCOMPARE(pdfImageSizes(file), QStringList{QStringLiteral("40x20")});
        QVERIFY(tracer.responder.reports.empty());
    }

    // The error protocol on paper: its tabs become the text columns they
    // stand for, so every heading has its value beside it, on the page.
    void errorProtocolValuesStandBesideTheirHeadings()
    {
        QTemporaryDir dir;
        QtPrinter printer(dir.path().toStdString(), QtPrinter::Destination::PdfFile);
        RecordingMessageBox messages;
        RecordingClipboard clipboard;
        RecordingShell shell;
        FixedOsInfo os;
        FixedClock clock{10, 15, 2};
        ProtocolSettings settings;
        settings.folder = dir.path().toStdString();
        ErrorProtocol protocol{ProtocolServices{messages, clipboard, shell, printer, os, clock}, settings};
        ErrorReport report;
        report.number = 11;
        report.description = "Division by zero";
        report.module = "frmMain";
        report.procedure = "BerechneReynoldsZahlIteration";
        report.line = 120;
        report.caption = "morvane 7.0.12 - Error Message";
        QVERIFY(protocol.print(protocol.BuildProtocol(report, {"[Module1] Sub BerechneDichte()"})));
        const QString file = dir.filePath("morvane error protocol.pdf");
        keep(file, "error_protocol.pdf");
        const QString text = pdfText(file);
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        const QStringList lines = text.split('\n');
        auto lineWith = [&](const QString& heading) {
            for (const QString& l : lines)
                if (l.contains(heading))
                    return l.simplified();
            return QString();
        };
        const std::pair<const char*, const char*> rows[] = {
            {"Error No:", "11 (Division by zero)"}, {"Module:", "frmMain"},
            {"Procedure:", "BerechneReynoldsZahlIteration"}, {"Line No:", "120"},
            {"Platform:", "Linux"}, {"Build:", "0 Debian GNU/Linux 12"}};
        for (const auto& [heading, value] : rows)
            QVERIFY2(lineWith(heading).contains(QString::fromLatin1(heading) + " " + value),
                     qPrintable(lineWith(heading)));
        // Nothing stands past the printable width: pdftotext -bbox gives each
        // word's right edge, the page its width.
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        QProcess p;
        p.start(tool, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
        p.waitForFinished(30000);
        const QString boxes = QString::fromUtf8(p.readAllStandardOutput());
        const QRegularExpression pageRe(QStringLiteral("<page width=\"([0-9.]+)\""));
        const double pageWidth = pageRe.match(boxes).captured(1).toDouble();
        QVERIFY(pageWidth > 0);
        const QRegularExpression wordRe(QStringLiteral("xMax=\"([0-9.]+)\""));
        for (auto it = wordRe.globalMatch(boxes); it.hasNext();)
            QVERIFY(it.next().captured(1).toDouble() < pageWidth);
    }

private:
    static void keep(const QString& file, const char* name)
    {
        if (const char* to = std::getenv("MORVANE_PROTOCOL_PDF"); to && *to) {
            const QString target = QString::fromLocal8Bit(to) + "/" + name;
            QFile::remove(target);
            QFile::copy(file, target);
        }
    }
};

QTEST_MAIN(TestProtocolPdf)
#include "test_protocol_pdf.moc"
