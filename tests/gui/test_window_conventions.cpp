// The look every window shares: greyed inputs, the substitute fonts, plain-text
// labels.
#include "common/qt/CodeEvents.h"
#include "common/qt/Greying.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/WindowFonts.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QTest>

using namespace morvane;

class TestWindowConventions : public QObject {
    Q_OBJECT

private slots:
    void greyedInputsTakeTheButtonFace_data();
    void greyedInputsTakeTheButtonFace();
    void windowsFontsResolveToLiberationSans_data();
    void windowsFontsResolveToLiberationSans();
    void labelsShowMarkupAsText();
};

void TestWindowConventions::greyedInputsTakeTheButtonFace_data()
{
    QTest::addColumn<bool>("list");
    QTest::newRow("text box") << false;
    QTest::newRow("drop-down list") << true;
}

void TestWindowConventions::greyedInputsTakeTheButtonFace()
{
    QFETCH(bool, list);
    QWidget w;
    QWidget* input = list ? static_cast<QWidget*>(newList(&w, "Combo3")) : new QLineEdit(&w);
    const QPalette system = QApplication::palette(input);
    QVERIFY(system.color(QPalette::Button) != system.color(QPalette::Base));

    setInputEnabled(input, false);
    QVERIFY(!input->isEnabled());
    QCOMPARE(inputBackground(input), system.color(QPalette::Active, QPalette::Button));
    setInputEnabled(input, true);
    QVERIFY(input->isEnabled());
    QCOMPARE(inputBackground(input), system.color(QPalette::Active, QPalette::Base));
    if (list)  // the face of a list without an editable part
        QCOMPARE(input->palette().color(QPalette::Button), system.color(QPalette::Active, QPalette::Base));
}

void TestWindowConventions::windowsFontsResolveToLiberationSans_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<double>("points");
    installFontSubstitutes();
    QTest::newRow("window font") << windowFont() << 8.0;
    QTest::newRow("Arial helper") << arialFont(12.0, true) << 12.0;
    QTest::newRow("\"Arial\" by name") << QFont(QStringLiteral("Arial"), 10) << 10.0;
    QTest::newRow("\"MS Sans Serif\" by name") << QFont(QStringLiteral("MS Sans Serif"), 8) << 8.0;
}

void TestWindowConventions::windowsFontsResolveToLiberationSans()
{
    QFETCH(QFont, font);
    QFETCH(double, points);
    const QFontInfo info(font);
    QCOMPARE(info.family(), QStringLiteral("Liberation Sans"));
    // The glyphs come in whole pixels: 8 pt at 96 dpi is 10.7 px, drawn at 11.
    QVERIFY2(qAbs(info.pointSizeF() - points) < 0.5, qPrintable(QString::number(info.pointSizeF())));
}

void TestWindowConventions::labelsShowMarkupAsText()
{
    QWidget w;
    QLabel* tag = plainLabel(&w, "lblTag", QStringLiteral("<b>FT-101</b> &amp;"));
    QCOMPARE(tag->textFormat(), Qt::PlainText);
    QCOMPARE(tag->objectName(), QStringLiteral("lblTag"));
    // Text set later (as the resource loader does) stays plain too.
    tag->setText(QStringLiteral("<i>x</i>"));
    QCOMPARE(tag->textFormat(), Qt::PlainText);
}

QTEST_MAIN(TestWindowConventions)
#include "test_window_conventions.moc"
