// Calc! in the real main window: inputs entered through the widgets, the run
// through the Calculate driver, and the window it ends with: the results window
// with the run's differential pressure, or the messages window on an input
// error. The results window's print buttons reach the printer dialog the main
// window was given.
//
// Reference cases: the water orifice and the air orifice of
// support/ReferenceCases.h, entered through the widgets.
#include "gui/CalcRig.h"

#include "common/ResourceTexts.h"

#include "common/qt/CodeEvents.h"
#include "engine/qt/frmFehlerfile.h"
#include "mainwindow/qt/MainInputPages.h"
#include "reports/results_window/qt/frmResult.h"
#include "support/Fakes.h"
#include "support/ReferenceCases.h"
#include "support/ShellFakes.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

using namespace morvane;
using namespace morvane::testing;

class TestCalculateButton : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void calcShowsTheResults_data()
    {
        QTest::addColumn<int>("dpUnit");
        QTest::addColumn<QString>("dpText");
        QTest::addColumn<QString>("unitText");
        QTest::newRow("kPa") << 0 << "33.2225" << "kPa";
        QTest::newRow("mbar") << 3 << "332.2247" << "mbar";
        QTest::newRow("mmWs") << 5 << "3387.7487" << "mmWs";
    }
    void calcShowsTheResults()
    {
        QFETCH(int, dpUnit);
        CalcRig rig;
        QVERIFY(rig.exposed);
        enterOrifice(rig);
        setListIndex(rig.pages().Combo10, dpUnit);
        rig.clickCalc();
        QtResultsWindow* results = rig.window->resultsWindow();
        QVERIFY(results->window() != nullptr);
        frmResult* w = results->window();
        QVERIFY(w->isVisible());
        QTEST(w->label("Label85")->text(), "dpText");
        QTEST(w->label("Label78")->text(), "unitText");
        QCOMPARE(w->label("Label40")->text(), QStringLiteral("0.6054"));
        QCOMPARE(w->label("Label83")->text(), QStringLiteral("1.19E+05"));
        QCOMPARE(w->label("Label28")->text(), QStringLiteral("Blende (Flanschentnahme)"));
        QCOMPARE(w->label("Label81")->text(), QStringLiteral("10.00"));
        QCOMPARE(w->label("Label74")->text(), QStringLiteral("kg/s"));
        QVERIFY(rig.window->messagesWindow()->window() == nullptr);
        QVERIFY(rig.tracer.responder.reports.empty());

        // A second run with the window open refills it.
        const QString firstDp = w->label("Label85")->text();
        rig.pages().Text18->setText("5");
        rig.clickCalc();
        QCOMPARE(results->window(), w);
        QCOMPARE(w->label("Label81")->text(), QStringLiteral("5.00"));
        QVERIFY(w->label("Label85")->text() != firstDp);

        // Printing from it reaches the main window's printer dialog.
        QTest::mouseClick(w->Command1(), Qt::LeftButton);
        QCOMPARE(rig.dialog.titles, std::vector<std::string>{"Drucken"});
        QCOMPARE(rig.state.doc.gDruckeSeite2, std::int16_t(1));
        QCOMPARE(rig.printer.endedDocuments, 1);  // an orifice: page 1 only
        QCOMPARE(rig.printer.pageBreaks, 0);
    }

    // The solver button with the dp wanted (332.22466 mbar, the reference
    // case's dp) and a bore to start from: the solver writes back the bore
    // of the reference case, 50 mm.
    void solverButtonFindsTheBore()
    {
        CalcRig rig;
        enterOrifice(rig);
        MainInputPages& p = rig.pages();
        p.Text10->setText("40");
        setCheckValue(p.Check4, 1);
        p.Text37->setText("332.22466");
        QVERIFY(p.Command3->isEnabled());
        QTest::mouseClick(p.Command3, Qt::LeftButton);
        bool ok = false;
        const double bore = p.Text10->text().trimmed().toDouble(&ok);
        QVERIFY2(ok, qPrintable(p.Text10->text()));
        QVERIFY2(std::abs(bore - 50.0) < 0.01, qPrintable(p.Text10->text()));
        QVERIFY(!rig.fakes.messages.shown.empty());
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // The solver that seeks the flow asks for no design flow: with the box
    // empty it finds the flow, writes it into the box, and says so in a message
    // box, without the messages window. With the flow range on, its passes
    // compute the design point only: the maximum of 3000 kg/h, whose dp through
    // this orifice has no fixed point, does not stop it, and it finds the flow
    // it finds with the range off. The air orifice (ideal gas 1.293 kg/Nm³,
    // κ 1.4, 0.0181 cP, 20 °C, 200 kPa, D 100 mm, d 50 mm), known dp 100 mbar.
    void solverSeeksTheFlowWithoutADesignFlow()
    {
        CalcRig rig;
        enterAirOrifice(rig);
        MainInputPages& p = rig.pages();
        setCheckValue(p.Check4, 1);
        p.Option18->click();
        p.Text37->setText("100");
        p.Text19->setText("3000");
        p.Text20->setText("1500");
        p.Text21->setText("500");

        QStringList found;
        for (const int range : {0, 1}) {
            setCheckValue(p.Check1, range);
            p.Text18->setText("");
            rig.fakes.messages.shown.clear();
            QTest::mouseClick(p.Command3, Qt::LeftButton);
            QVERIFY2(rig.window->messagesWindow()->window() == nullptr, range ? "range on" : "range off");
            QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
            QVERIFY(rig.fakes.messages.shown[0].text.find("Wert übernommen") != std::string::npos);
            found << p.Text18->text();
        }
        QCOMPARE(found[1], found[0]);
        bool ok = false;
        const double flow = found[0].trimmed().toDouble(&ok);
        QVERIFY2(ok, qPrintable(found[0]));
        QVERIFY2(std::abs(flow - air_orifice::flowAt100Mbar) < 0.001, qPrintable(found[0]));
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // States no element can be calculated for, each through Calc! after a
    // run that showed its results: the messages window shows the state's own
    // message, without the suffix, the results window of the run before
    // closes, and no error dialog comes. Water at 150 °C and 600 kPa, 90 t/h
    // through the reference orifice, where p − dp lies below the saturation
    // pressure (IAPWS-95, 476.04 kPa); CO2 by Redlich-Kwong at 20 °C and
    // 6000 kPa, above the equation's own saturation pressure (5980 kPa),
    // liquid by the equation. With MORVANE_SCREENSHOT_DIR set, the messages
    // window is drawn there.
    void calcStopsOnAStateWithoutResults_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<bool>("redlichKwong");
        QTest::addColumn<QString>("message");
        QTest::newRow("water-boils-de")
            << 0 << false
            << "Hinter dem Primärelement liegt der Druck des Wassers (p − dp = 373.73 kPa) nicht über seinem "
               "Sättigungsdruck (476.04 kPa): das Wasser verdampft im Primärelement, und der berechnete "
               "Differenzdruck gehört zu keinem wirklichen Durchfluss, bitte prüfen Sie Durchfluss, Druck, "
               "Temperatur und die Abmessungen des Primärelements";
        QTest::newRow("water-boils-en")
            << 10000 << false
            << "Behind the primary element the pressure of the water (p − dp = 373.73 kPa) is not above its "
               "saturation pressure (476.04 kPa): the water flashes in the primary element, and the differential "
               "pressure calculated belongs to no real flow, please check flow, pressure, temperature and the "
               "dimensions of the primary element";
        QTest::newRow("redlich-kwong-liquid-de")
            << 0 << true
            << "Nach der Redlich-Kwong-Gleichung ist das Medium bei diesem Druck und dieser Temperatur flüssig (der "
               "Druck liegt über ihrem Sättigungsdruck), für ein Gas ergibt sich keine Dichte; bitte rechnen Sie mit "
               "dem Modell \"inkompressible Flüssigkeit\"";
        QTest::newRow("redlich-kwong-liquid-en")
            << 10000 << true
            << "By the Redlich-Kwong equation the medium is liquid at this pressure and temperature (the pressure is "
               "above its saturation pressure), no gas density results; please calculate with the model "
               "\"Incompressible liquid\"";
    }
    void calcStopsOnAStateWithoutResults()
    {
        QFETCH(int, offset);
        QFETCH(bool, redlichKwong);
        QFETCH(QString, message);
        CalcRig rig(offset);
        QVERIFY(rig.exposed);
        enterOrifice(rig);
        rig.clickCalc();
        QVERIFY(rig.window->resultsWindow()->window() != nullptr);
        MainInputPages& p = rig.pages();
        if (redlichKwong) {
            p.Option3->click();
            p.Text3->setText("30,98");
            p.Text4->setText("7377");
            p.Text5->setText("1,977");
            p.Text6->setText("0,015");
            p.Text30->setText("1,29");
            p.Text16->setText("6000");
            p.Text18->setText("1000");
            setListIndex(p.Combo8, 3);  // kg/h
        } else {
            p.Text16->setText("600");
            p.Text17->setText("150");
            p.Text18->setText("90");
            setListIndex(p.Combo8, 5);  // t/h
        }
        rig.clickCalc();
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        QVERIFY(messages != nullptr && messages->isVisible());
        QCOMPARE(messages->RichTextBox1()->toPlainText(), message);
        QVERIFY(rig.window->resultsWindow()->window() == nullptr);
        QVERIFY(rig.tracer.responder.reports.empty());

        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            QVERIFY(QTest::qWaitForWindowExposed(messages));
            QVERIFY(messages->grab().save(
                QDir(folder).filePath(QStringLiteral("messages-%1.png").arg(QString::fromLatin1(QTest::currentDataTag())))));
        }
    }

    // The results window prints from the calculation state. A file command
    // that puts other inputs into the state (Open, or Save of changed boxes)
    // closes it, so no protocol pairs those inputs with results computed for
    // others; a Save of the inputs as calculated leaves it open.
    void fileCommandsThatChangeTheInputsCloseTheResults()
    {
        CalcRig rig;
        QVERIFY(rig.exposed);
        ScriptedFileDialogs dialogs;
        rig.window->setFileDialogs(dialogs);
        const auto trigger = [&](const char* name) {
            rig.window->findChild<QAction*>(QString::fromLatin1(name))->trigger();
        };
        enterOrifice(rig);
        rig.clickCalc();
        QVERIFY(rig.window->resultsWindow()->window() != nullptr);
        const std::string first = (std::filesystem::path(rig.folder.path().toStdString()) / "first.mv5").string();
        dialogs.saveAnswer = first;
        trigger("mnuFileSaveAs");
        QVERIFY(std::filesystem::exists(first));
        QVERIFY2(rig.window->resultsWindow()->window() != nullptr, "saving the inputs as calculated");

        rig.pages().Text18->setText(QStringLiteral("20"));
        trigger("mnuFileSave");
        QVERIFY2(rig.window->resultsWindow()->window() == nullptr, "saving changed inputs");

        rig.clickCalc();
        QVERIFY(rig.window->resultsWindow()->window() != nullptr);
        dialogs.openAnswer = first;
        trigger("mnuFileOpen");
        QVERIFY2(rig.window->resultsWindow()->window() == nullptr, "opening a file");
        QVERIFY(rig.tracer.responder.reports.empty());
    }

    // Air from the gas tables at 200 kPa, 2890 kg/h through d 50 mm: dp/p 0.79
    // lies beyond the expansion factor's range. The messages window warns, in
    // the user's language with the suffix in it too, and the results window
    // opens beside it.
    void gasDpBeyondTheRangeWarnsBesideTheResults_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("warning");
        QTest::newRow("German") << int(OffsetGerman)
                                << "Der Differenzdruck (157.82 kPa) liegt über 35 % des absoluten Drucks (200 kPa), "
                                   "außerhalb des Bereichs der Gleichung der Expansionszahl. Es ist mit "
                                   "Berechnungsfehlern zu rechnen";
        QTest::newRow("English") << int(OffsetEnglish)
                                 << "The differential pressure (157.82 kPa) is above 35 % of the absolute pressure "
                                    "(200 kPa), outside the range of the expansion factor's equation. Calculation "
                                    "errors are to be expected";
    }
    void gasDpBeyondTheRangeWarnsBesideTheResults()
    {
        QFETCH(int, language);
        QFETCH(QString, warning);
        CalcRig rig(language);
        QVERIFY(rig.exposed);
        QVERIFY(QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/morvdata5.sqlite"),
                            rig.folder.filePath(QStringLiteral("morvdata5.sqlite"))));
        enterOrifice(rig);
        MainInputPages& p = rig.pages();
        setListIndex(p.Combo1, 1);  // air
        p.Text16->setText("200");
        p.Text18->setText("2890");
        setListIndex(p.Combo8, 3);  // kg/h
        rig.clickCalc();
        QVERIFY(rig.tracer.responder.reports.empty());
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        QVERIFY(messages != nullptr && messages->isVisible());
        QCOMPARE(messages->RichTextBox1()->toPlainText(), warning);
        frmResult* results = rig.window->resultsWindow()->window();
        QVERIFY(results != nullptr && results->isVisible());
        QCOMPARE(results->label("Label85")->text(), QStringLiteral("157.8169"));

        // With MORVANE_SCREENSHOT_DIR set, the two windows as the user sees
        // them, for looking at (never into the source tree).
        const QString folder = qEnvironmentVariable("MORVANE_SCREENSHOT_DIR");
        if (!folder.isEmpty()) {
            const QString name = QStringLiteral("dp_warning_") + QString::fromUtf8(QTest::currentDataTag());
            QVERIFY(QTest::qWaitForWindowExposed(messages));
            QVERIFY(messages->grab().save(QDir(folder).filePath(name + "_messages.png")));
            QVERIFY(results->grab().save(QDir(folder).filePath(name + "_results.png")));
        }
    }

    // No design flow: the run stops on the input message, which the messages
    // window shows; the results window stays closed.
    void inputErrorShowsTheMessages()
    {
        CalcRig rig;
        enterOrifice(rig);
        rig.pages().Text18->setText("");
        rig.clickCalc();
        QVERIFY(rig.window->resultsWindow()->window() == nullptr);
        frmFehlerfile* messages = rig.window->messagesWindow()->window();
        QVERIFY(messages != nullptr);
        QVERIFY(messages->isVisible());
        QVERIFY(!messages->RichTextBox1()->toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestCalculateButton)
#include "test_calculate_button.moc"
