// Protocol page 1 through the Qt printer into a real PDF file: the job starts,
// draws the logo and every text, and ends with a one-page (or, with page 2,
// two-page) document. Set MORVANE_PROTOCOL_PDF to a folder to keep the files
// for a look (pdftoppm -png -r 60 <file>.pdf /tmp/p1).
#include "platform/qt/QtPrinter.h"
#include "reports/protocol/ProtocolPage1.h"
#include "reports/uncertainty_report/UncertaintyReport.h"
#include "support/Fakes.h"
#include "support/ReferenceOrifice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <filesystem>

using namespace morvane;
using namespace morvane::testing;

namespace {

// The reference calculation (support/ReferenceOrifice.h) with three further
// operating points, a customer and remarks.
void fillReference(ProgramState& s)
{
    fillReferenceOrifice(s);
    auto& c = s.calc;
    c.gDurchflussMax = 12.0;
    c.gDurchflussNorm = 10.0;
    c.gDurchflussMin = 2.0;
    c.gMehrereBetriebspunkte = 1;
    c.gDifferenzdruck = {33.222466, 47.84, 33.222466, 1.3289};
    c.gExpansionszahl = {1.0, 1.0, 1.0, 1.0};
    c.gReynolds = {126951.3, 152341.56, 126951.3, 25390.26};
    c.gGeschwindigkeit = {1.2753, 1.5304, 1.2753, 0.2551};
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
        fillReference(state);
        state.calc.gPrimaerelementtyp = 3;
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
