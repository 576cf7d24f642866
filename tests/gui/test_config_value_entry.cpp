// Typing values into the configuration page of the real main window, offscreen,
// on the shipped configuration tables: the filter mends the keys, the code box
// shows the value's segment, and a value outside its limits is marked at once
// (light red box, red code) and reported through the program's message box when
// the box is left.
#include "common/qt/CodeEvents.h"
#include "gui/CalcRig.h"
#include "mainwindow/qt/ConfigSelectPage.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace morvane;
using namespace morvane::testing;

namespace {

struct ConfigRig : CalcRig {
    ConfigRig()
    {
        state.ui.gSprachKuerzel = "DE";
        // As the program's start sets them.
        state.config.gGrenzwertPruefung = 1;
        state.config.gGrenzwertModus = 1;
        for (const char* db : {"morvdata5.sqlite", "morvdata5_alt.sqlite"})
            QFile::copy(QStringLiteral(MORVANE_PROGRAM_DIR "/") + QLatin1String(db),
                        folder.filePath(QLatin1String(db)));
    }

    ConfigSelectPage& page() const { return *pages().configPage(); }

    // Chooses element type `type` (one of the maker's models) in the list.
    void chooseModel(int type) { setListIndex(pages().Combo2, type); }

    // Row `row` chooses the option with code `code`; false when there is none.
    bool choose(int row, const std::string& code)
    {
        const ConfigField& f = state.config.gConfFelder[static_cast<std::size_t>(row)];
        for (int k = 1; k <= f.OptionCount; ++k)
            if (f.Code[static_cast<std::size_t>(k)] == code) {
                setListIndex(page().cmbConfField(row), k);
                return true;
            }
        return false;
    }

    int row(const std::string& key) const
    {
        for (int i = 0; i < state.config.gConfFeldAnzahl; ++i)
            if (state.config.gConfFelder[static_cast<std::size_t>(i)].FieldName == key)
                return i;
        return -1;
    }

    QString code() const { return page().txtCodeDisplay->text(); }
};

}  // namespace

class TestConfigValueEntry : public QObject {
    Q_OBJECT

private slots:
    void typedValuesGiveTheirSegments_data();
    void typedValuesGiveTheirSegments();
    void valueOutsideItsLimitsIsMarkedAndReportedOnLeaving();
    void boxHiddenByAnOpenedFileIsNotLeft_data();
    void boxHiddenByAnOpenedFileIsNotLeft();
};

void TestConfigValueEntry::typedValuesGiveTheirSegments_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("segment");
    // RQ32: length in cm with one decimal, coded in mm (factor 10).
    QTest::newRow("one decimal, comma") << 5 << "LENCM" << "LV" << "125,5" << "125.5" << " L1255 ";
    // RQ25: length in m with three decimals, coded in mm (factor 1000).
    QTest::newRow("combined, factor 1000") << 3 << "LENM" << "LV" << "2,5" << "2.5" << " L2500 ";
    QTest::newRow("combined, decimals cut") << 3 << "LENM" << "LV" << "1.23456" << "1.234" << " L1234 ";
    // RQ25: a design temperature may be negative, whole degrees; a fraction
    // stays as typed and is refused.
    QTest::newRow("negative value, not whole") << 3 << "TMP" << "TV" << "-40,5" << "-40.5" << " T-40.5C ";
    QTest::newRow("negative value in range") << 3 << "TMP" << "TV" << "-40" << "-40" << " T-40C ";
}

void TestConfigValueEntry::typedValuesGiveTheirSegments()
{
    QFETCH(int, type);
    QFETCH(QString, key);
    QFETCH(QString, option);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QString, segment);
    ConfigRig rig;
    QVERIFY(rig.exposed);
    rig.chooseModel(type);
    const int row = rig.row(key.toStdString());
    QVERIFY(row >= 0);
    QVERIFY(rig.choose(row, option.toStdString()));
    QLineEdit* box = rig.page().txtValueEntry(row);
    QVERIFY(!box->isHidden());
    QTest::keyClicks(box, keys);
    QCOMPARE(box->text(), shown);
    QVERIFY2((QLatin1Char(' ') + rig.code() + QLatin1Char(' ')).contains(segment), qPrintable(rig.code()));
    QVERIFY(rig.fakes.messages.shown.empty());
}

void TestConfigValueEntry::valueOutsideItsLimitsIsMarkedAndReportedOnLeaving()
{
    ConfigRig rig;
    QVERIFY(rig.exposed);
    rig.state.ui.gSprachOffset = 10000;
    rig.state.ui.gSprachKuerzel = "EN";
    rig.window->SSTab1()->setCurrentIndex(4);
    rig.chooseModel(5);
    const int row = rig.row("LENCM");
    // Every other row on its first option that takes no typed value, so the
    // code is complete once the length is typed.
    for (int i = 0; i < rig.state.config.gConfFeldAnzahl; ++i) {
        const ConfigField& f = rig.state.config.gConfFelder[static_cast<std::size_t>(i)];
        for (int k = 1; i != row && k <= f.OptionCount; ++k)
            if (f.Code[static_cast<std::size_t>(k)] != f.TextinCombo) {
                setListIndex(rig.page().cmbConfField(i), k);
                break;
            }
    }
    QVERIFY(rig.choose(row, "LV"));
    QLineEdit* box = rig.page().txtValueEntry(row);
    box->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(box, QStringLiteral("1500"));
    QVERIFY(rig.code().contains(QStringLiteral("L15000")));
    QCOMPARE(rig.page().txtCodeDisplay->palette().color(QPalette::Base), QColor(0, 255, 0));
    QTest::keyClicks(box, QStringLiteral("0"));
    QVERIFY(rig.fakes.messages.shown.empty());
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), QColor(255, 128, 128));
    // The code shows the value as it stands in its box, but never as a
    // complete (green) code.
    QVERIFY2(rig.code().contains(QStringLiteral("L150000")), qPrintable(rig.code()));
    QCOMPARE(rig.page().txtCodeDisplay->palette().color(QPalette::Base), QColor(255, 0, 0));

    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(rig.fakes.messages.shown.back().text),
             QStringLiteral("Value out of Limits!\rLimits for Parameter: LENCM = 10 - 1500"));
    QCOMPARE(box->text(), QStringLiteral("15000"));
    QCOMPARE(rig.page().txtCodeDisplay->palette().color(QPalette::Base), QColor(255, 0, 0));
}

void TestConfigValueEntry::boxHiddenByAnOpenedFileIsNotLeft_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("openedType");
    // The RQ8 has no row 9: its fresh records must not judge the old text.
    QTest::newRow("value within its limits, a smaller model") << "50" << 1;
    QTest::newRow("value outside its limits, the same model") << "500" << 3;
    QTest::newRow("value outside its limits, an orifice") << "500" << 9;
}

// The focus stays in a value box while a file is opened (the menu and the file
// dialog are the program's own windows). The write-back of the file then loads
// its element type, which hides the box: the program moved the focus, the user
// did not leave the box, so no limit message appears.
void TestConfigValueEntry::boxHiddenByAnOpenedFileIsNotLeft()
{
    QFETCH(QString, typed);
    QFETCH(int, openedType);
    ConfigRig rig;
    QVERIFY(rig.exposed);
    rig.window->SSTab1()->setCurrentIndex(4);
    rig.chooseModel(3);
    const int row = rig.row("NIP");
    QVERIFY(rig.choose(row, "NV"));
    QLineEdit* box = rig.page().txtValueEntry(row);
    box->setFocus();
    QTest::keyClicks(box, typed);
    QVERIFY(box->hasFocus());
    rig.fakes.messages.shown.clear();

    rig.state.calc.gPrimaerelementtyp = static_cast<std::int16_t>(openedType);
    rig.state.config.gConfAuswahl = ConfAuswahl{};
    rig.pages().WriteOberflaeche();

    QVERIFY(!box->isVisible());
    QCOMPARE(rig.fakes.messages.shown.size(), std::size_t(0));
    QVERIFY(rig.tracer.responder.reports.empty());
}

QTEST_MAIN(TestConfigValueEntry)
#include "test_config_value_entry.moc"
