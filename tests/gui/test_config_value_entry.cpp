// Typing values into the configuration page of the real main window, offscreen,
// on the shipped configuration tables: the filter mends the keys, the code box
// shows the value's segment, and a value outside its limits is reported through
// the program's message box and leaves the code as it was.
#include "app/qt/CodeEvents.h"
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
    void valueOutsideItsLimitsIsReportedAndKeepsTheCode();
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
    // RQ25: a design temperature may be negative, whole degrees.
    QTest::newRow("negative value") << 3 << "TMP" << "TV" << "-40,5" << "-405" << "";
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
    if (segment.isEmpty()) {
        // Out of range: reported once per offending key, the code not built
        // from it.
        QVERIFY(!rig.fakes.messages.shown.empty());
        QVERIFY(!rig.code().contains(QStringLiteral("-405")));
    } else {
        QVERIFY2((QLatin1Char(' ') + rig.code() + QLatin1Char(' ')).contains(segment), qPrintable(rig.code()));
    }
}

void TestConfigValueEntry::valueOutsideItsLimitsIsReportedAndKeepsTheCode()
{
    ConfigRig rig;
    QVERIFY(rig.exposed);
    rig.state.ui.gSprachOffset = 10000;
    rig.state.ui.gSprachKuerzel = "EN";
    rig.chooseModel(5);
    const int row = rig.row("LENCM");
    QVERIFY(rig.choose(row, "LV"));
    QLineEdit* box = rig.page().txtValueEntry(row);
    QTest::keyClicks(box, QStringLiteral("1500"));
    const QString accepted = rig.code();
    QVERIFY(accepted.contains(QStringLiteral("L15000")));
    const std::size_t before = rig.fakes.messages.shown.size();
    QTest::keyClicks(box, QStringLiteral("0"));
    QCOMPARE(rig.fakes.messages.shown.size(), before + 1);
    QCOMPARE(QString::fromStdString(rig.fakes.messages.shown.back().text),
             QStringLiteral("Value out of Limits!\rLimits for Parameter: LENCM = 10 - 1500"));
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::Base), QColor(255, 128, 128));
    QCOMPARE(rig.code(), accepted);
}

QTEST_MAIN(TestConfigValueEntry)
#include "test_config_value_entry.moc"
