// Value boxes of the configuration rows as real line edits, offscreen: keys
// typed into them run the filter and mark a refused value in colour, leaving the
// box (Tab, Enter, a click on a button) reports it once, and the focus taken by
// the program's own message box is no leaving.
#include "common/ResourceTexts.h"
#include "engine/CalculationState.h"
#include "gui/ModalDriver.h"
#include "mainwindow/qt/ValueEntryBinding.h"
#include "platform/qt/QtMessageBox.h"
#include "support/Fakes.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

using namespace morvane;
using namespace morvane::testing;

namespace {

// Counts the messages and hands them on to another sink.
class CountingMessageBox : public MessageBoxSink {
public:
    explicit CountingMessageBox(MessageBoxSink& inner) : inner_(inner) {}
    MessageAnswer show(const MessageRequest& request) override
    {
        shown.push_back(request);
        return inner_.show(request);
    }
    std::vector<MessageRequest> shown;

private:
    MessageBoxSink& inner_;
};

struct Page {
    ConfigZustand config;
    std::int32_t offset = OffsetEnglish;
    RecordingMessageBox recorded;
    std::unique_ptr<CountingMessageBox> counting;
    QWidget window;
    QLineEdit* boxes[2];
    QLineEdit* other;
    QPushButton* command;
    std::vector<std::string> rebuilds;
    std::unique_ptr<ValueEntryBinding> binding;

    explicit Page(MessageBoxSink* messages = nullptr)
    {
        config.gGrenzwertPruefung = 1;
        config.gGrenzwertModus = 1;
        ConfigField& len = config.gConfFelder[0];
        len.FieldName = "LEN";
        len.ValueMin = 10;
        len.ValueMax = 1000;
        len.ValueDecs = 1;
        ConfigField& dp = config.gConfFelder[1];
        dp.FieldName = "DP";
        dp.ValueMin = 0.5;
        dp.ValueMax = 2;
        dp.ValueDecs = 2;
        dp.ValueNeg = 1;
        counting = std::make_unique<CountingMessageBox>(messages ? *messages : recorded);
        // Another control first, so that the window's first focus is not in a
        // value box.
        auto* layout = new QVBoxLayout(&window);
        other = new QLineEdit(&window);
        layout->addWidget(other);
        for (auto*& b : boxes) {
            b = new QLineEdit(&window);
            layout->addWidget(b);
        }
        command = new QPushButton(QStringLiteral("Calc!"), &window);
        layout->addWidget(command);
        binding = std::make_unique<ValueEntryBinding>(config, offset, *counting, [this](int i) {
            rebuilds.push_back(boxes[i]->text().toStdString());
        });
        for (int i = 0; i < 2; ++i)
            binding->bind(i, boxes[i]);
    }

    bool showAndFocus(int row)
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            return false;
        boxes[row]->setFocus(Qt::MouseFocusReason);
        return boxes[row]->hasFocus();
    }
};

QColor base(const QLineEdit* e) { return e->palette().color(QPalette::Active, QPalette::Base); }

}  // namespace

class TestValueEntryBox : public QObject {
    Q_OBJECT

private slots:
    void typedKeys_data();
    void typedKeys();
    void pasteKeepsTheFirstDecimals();
    void typingMarksWithoutAMessage();
    void leavingReportsOnce_data();
    void leavingReportsOnce();
    void commandOnAButtonLeavesTheBoxFirst();
    void modeTwoSelectsTheLimitOnLeaving();
    void realMessageBoxTakesTheFocusWithoutASecondReport_data();
    void realMessageBoxTakesTheFocusWithoutASecondReport();
    void mutedTextIsCheckedOnLeaving();
};

void TestValueEntryBox::typedKeys_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::newRow("decimal comma, one decimal") << 0 << "125,5" << "125.5" << 5;
    QTest::newRow("second decimal dropped") << 0 << "125,55" << "125.5" << 5;
    QTest::newRow("leading comma") << 1 << ",5" << "0.5" << 3;
    QTest::newRow("letter removed") << 1 << "1x" << "1" << 1;
    QTest::newRow("minus not taken") << 0 << "-50" << "50" << 2;
}

void TestValueEntryBox::typedKeys()
{
    QFETCH(int, row);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, caret);
    Page page;
    page.config.gGrenzwertModus = 0;
    QTest::keyClicks(page.boxes[row], keys);
    QCOMPARE(page.boxes[row]->text(), text);
    QCOMPARE(page.boxes[row]->cursorPosition(), caret);
    QVERIFY(!page.rebuilds.empty());
    QCOMPARE(page.rebuilds.back(), text.toStdString());
}

void TestValueEntryBox::pasteKeepsTheFirstDecimals()
{
    Page page;
    page.boxes[1]->insert(QStringLiteral("1.2345"));
    QCOMPARE(page.boxes[1]->text(), QStringLiteral("1.23"));
    QCOMPARE(page.rebuilds, std::vector<std::string>{"1.23"});
    QVERIFY(page.counting->shown.empty());
}

void TestValueEntryBox::typingMarksWithoutAMessage()
{
    Page page;
    QTest::keyClicks(page.boxes[0], QStringLiteral("1"));
    QCOMPARE(base(page.boxes[0]), QColor(255, 128, 128));  // 1 lies below 10
    QTest::keyClicks(page.boxes[0], QStringLiteral("5"));
    QCOMPARE(base(page.boxes[0]), QColor(255, 255, 255));
    QTest::keyClicks(page.boxes[0], QStringLiteral("00"));
    QCOMPARE(base(page.boxes[0]), QColor(255, 128, 128));
    QCOMPARE(page.boxes[0]->text(), QStringLiteral("1500"));
    // The code is rebuilt at every key, also from a refused text.
    QCOMPARE(page.rebuilds, (std::vector<std::string>{"1", "15", "150", "1500"}));
    QTest::keyClick(page.boxes[0], Qt::Key_Backspace);
    QCOMPARE(base(page.boxes[0]), QColor(255, 255, 255));
    QVERIFY(page.counting->shown.empty());
}

void TestValueEntryBox::leavingReportsOnce_data()
{
    QTest::addColumn<int>("firstLeaving");  // the key that leaves first
    QTest::newRow("Tab") << int(Qt::Key_Tab);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestValueEntryBox::leavingReportsOnce()
{
    QFETCH(int, firstLeaving);
    Page page;
    QVERIFY(page.showAndFocus(0));
    QTest::keyClicks(page.boxes[0], QStringLiteral("5"));
    QVERIFY(page.counting->shown.empty());
    QTest::keyClick(page.boxes[0], Qt::Key(firstLeaving));
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
    QCOMPARE(page.counting->shown[0].text,
             std::string("Value out of Limits!\rLimits for Parameter: LEN = 10 - 1000"));
    // Enter keeps the focus; leaving then by Tab says nothing new.
    if (page.boxes[0]->hasFocus())
        QTest::keyClick(page.boxes[0], Qt::Key_Tab);
    QVERIFY(!page.boxes[0]->hasFocus());
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
    QCOMPARE(base(page.boxes[0]), QColor(255, 128, 128));
}

// A click on a button (Calc!) moves the focus on the press; the message waits
// for the end of the press, so the click is not lost, and a command that leaves
// the box first meets it before it acts.
void TestValueEntryBox::commandOnAButtonLeavesTheBoxFirst()
{
    Page page;
    QVERIFY(page.showAndFocus(0));
    std::vector<std::size_t> messagesWhenActing;
    QObject::connect(page.command, &QPushButton::clicked, [&] {
        page.binding->leaveFocusedBox();
        messagesWhenActing.push_back(page.counting->shown.size());
    });
    QTest::keyClicks(page.boxes[0], QStringLiteral("5"));
    QTest::mouseClick(page.command, Qt::LeftButton);
    QTest::qWait(0);
    QCOMPARE(messagesWhenActing, std::vector<std::size_t>{1});
    QCOMPARE(page.counting->shown.size(), std::size_t{1});

    // A button whose command does not leave the box first: the message comes
    // once the click is over.
    QVERIFY(page.showAndFocus(1));
    page.command->disconnect();
    int clicks = 0;
    QObject::connect(page.command, &QPushButton::clicked, [&] { ++clicks; });
    QTest::keyClicks(page.boxes[1], QStringLiteral("3"));
    QTest::mouseClick(page.command, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QTRY_COMPARE(page.counting->shown.size(), std::size_t{2});
    QTest::qWait(10);
    QCOMPARE(page.counting->shown.size(), std::size_t{2});

    // With the focus in a box, the command leaves it where it is.
    QVERIFY(page.showAndFocus(1));
    QTest::keyClick(page.boxes[1], Qt::Key_Backspace);
    QTest::keyClicks(page.boxes[1], QStringLiteral("4"));
    page.binding->leaveFocusedBox();
    QCOMPARE(page.counting->shown.size(), std::size_t{3});
    QVERIFY(page.boxes[1]->hasFocus());
}

void TestValueEntryBox::modeTwoSelectsTheLimitOnLeaving()
{
    Page page;
    QVERIFY(page.showAndFocus(1));
    page.config.gGrenzwertModus = 2;
    QTest::keyClicks(page.boxes[1], QStringLiteral("3"));
    QVERIFY(page.counting->shown.empty());
    QCOMPARE(page.boxes[1]->text(), QStringLiteral("3"));
    // Enter leaves the value: the limit is written in and selected.
    QTest::keyClick(page.boxes[1], Qt::Key_Return);
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
    QCOMPARE(page.boxes[1]->text(), QStringLiteral("2"));
    QCOMPARE(page.boxes[1]->selectedText(), QStringLiteral("2"));
    QCOMPARE(base(page.boxes[1]), QColor(255, 128, 128));
    QCOMPARE(page.rebuilds, (std::vector<std::string>{"3", "2"}));
    QVERIFY(page.boxes[1]->hasFocus());
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
}

void TestValueEntryBox::realMessageBoxTakesTheFocusWithoutASecondReport_data() { leavingReportsOnce_data(); }

void TestValueEntryBox::realMessageBoxTakesTheFocusWithoutASecondReport()
{
    QFETCH(int, firstLeaving);
    QtMessageBox real("morvane");
    Page page(&real);
    QVERIFY(page.showAndFocus(0));
    QString shownText;
    QTest::keyClicks(page.boxes[0], QStringLiteral("5"));
    QVERIFY(page.counting->shown.empty());
    ModalDriver driver;
    driver.then([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box != nullptr);
        shownText = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(page.boxes[0], Qt::Key(firstLeaving));
    QVERIFY(driver.allStepsRan());
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
    QCOMPARE(shownText, QStringLiteral("Value out of Limits!\nLimits for Parameter: LEN = 10 - 1000"));
    QCOMPARE(base(page.boxes[0]), QColor(255, 128, 128));
    // Tab went on to the next box, Enter stayed (the window's focus; offscreen
    // no window is active again after the message).
    QCOMPARE(page.window.focusWidget(), page.boxes[firstLeaving == Qt::Key_Tab ? 1 : 0]);
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
}

void TestValueEntryBox::mutedTextIsCheckedOnLeaving()
{
    Page page;
    QVERIFY(page.showAndFocus(0));
    page.config.gConfEventsAus = True;
    page.boxes[0]->setText(QStringLiteral("5"));
    page.config.gConfEventsAus = False;
    QVERIFY(page.counting->shown.empty());
    page.other->setFocus(Qt::TabFocusReason);
    QCOMPARE(page.counting->shown.size(), std::size_t{1});
    QVERIFY(page.rebuilds.empty());
}

QTEST_MAIN(TestValueEntryBox)
#include "test_value_entry_box.moc"
