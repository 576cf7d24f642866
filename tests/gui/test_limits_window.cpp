// The flow-limits window offscreen: its design captions in both languages, the
// fifteen values written only when its button is pressed, with "###0.000" and
// the regional decimal separator.
#include "reports/limits_window/qt/frmLimits.h"

#include "support/Fakes.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

class TestLimitsWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Rows 9 to 15 pair odd value labels with even caption labels; the
    // captions are fixed texts, never resource ids.
    void designCaptions()
    {
        CalculationState s;
        frmLimits w(s);
        QCOMPARE(w.windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(w.Command1()->text(), QStringLiteral("Command1"));
        const char* captions[] = {"auslegung q", "1%q",   "1,5%q",  "2%q",    "3%q",
                                  "5%q",         "10%q",  "1%SRq",  "1,5%SRq", "2%srq",
                                  "3%srq",       "5%srq", "10%SRq", "qmax 2", "qmax 1,3"};
        const char* values[] = {"Label1", "Label2",  "Label3",  "Label4",  "Label5",  "Label6",  "Label7", "Label8",
                                "Label17", "Label19", "Label21", "Label23", "Label25", "Label27", "Label29"};
        for (int row = 1; row <= frmLimits::RowCount; ++row) {
            QCOMPARE(w.captionLabel(row)->text(), QString::fromLatin1(captions[row - 1]));
            QCOMPARE(w.valueLabel(row)->objectName(), QString::fromLatin1(values[row - 1]));
            QCOMPARE(w.valueLabel(row)->text(), QString::fromLatin1(values[row - 1]));  // before the button
        }
        QCOMPARE(w.captionLabel(9)->objectName(), QStringLiteral("Label18"));
    }

    // Each row's field, rounded half up at the third decimal (hand-rounded).
    void buttonWritesTheRows()
    {
        TestTracer tracer;
        CalculationState s;
        s.gDurchflussAuslegung = 1234567.0;   // all integer digits, no grouping
        s.gQUnsicherheit1 = 0.0004;           // below half a thousandth
        s.gQUnsicherheit1_5 = 0.5;
        s.gQUnsicherheit2 = 0.0125;
        s.gQUnsicherheit3 = 0.03;
        s.gQUnsicherheit5 = 0.05;
        s.gQUnsicherheit10 = 0.1;
        s.gQUnsicherheit1SR = 0.01;
        s.gQUnsicherheit1_5SR = 0.0155;       // row 9
        s.gQUnsicherheit2SR = 0.02;
        s.gQUnsicherheit3SR = 0.03;
        s.gQUnsicherheit5SR = 0.05;
        s.gQUnsicherheit10SR = -0.025;        // a minus sign
        s.gQmaxEmpfohlen = 2.0;               // row 14
        s.gQmaxErlaubt = 1.3;                 // row 15
        frmLimits w(s);
        QTest::mouseClick(w.Command1(), Qt::LeftButton);
        const char* expected[] = {"1234567.000", "0.000", "0.500", "0.013", "0.030", "0.050", "0.100", "0.010",
                                  "0.016",       "0.020", "0.030", "0.050", "-0.025", "2.000", "1.300"};
        for (int row = 1; row <= frmLimits::RowCount; ++row)
            QCOMPARE(w.valueLabel(row)->text(), QString::fromLatin1(expected[row - 1]));

        // A new run changes nothing until the button is pressed again.
        s.gQmaxErlaubt = 7.25;
        QCOMPARE(w.valueLabel(15)->text(), QStringLiteral("1.300"));
        w.Command1_Click();
        QCOMPARE(w.valueLabel(15)->text(), QStringLiteral("7.250"));
        QCOMPARE(w.valueLabel(1)->text(), QStringLiteral("1234567.000"));
    }

    void germanSeparator()
    {
        TestTracer tracer;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        CalculationState s;
        s.gQmaxEmpfohlen = 12345.6789;
        frmLimits w(s);
        w.Command1_Click();
        QCOMPARE(w.valueLabel(14)->text(), QStringLiteral("12345,679"));
    }
};

QTEST_MAIN(TestLimitsWindow)
#include "test_limits_window.moc"
