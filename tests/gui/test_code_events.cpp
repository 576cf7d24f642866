// Events caused by code: check boxes, option buttons and lists set by code run
// their click handler under one rule, user actions always run it, and nothing
// runs it through Qt's change signals.
#include "common/qt/CodeEvents.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <map>

using namespace morvane;

namespace {

// Counts the handler runs of each control by name, with the value the control
// showed when its handler ran.
struct Runs {
    std::map<QString, int> count;
    QStringList log;

    ClickHandler of(QWidget* w, std::function<QString()> value)
    {
        return [this, name = w->objectName(), value] {
            ++count[name];
            log << name + "=" + value();
        };
    }
};

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

class TestCodeEvents : public QObject {
    Q_OBJECT

private slots:
    void checkBoxRunsWhenTheValueChanges();
    void checkBoxValueOutsideZeroToTwoIsError380();
    void userClickOnCheckBoxAlwaysRuns();
    void optionRunsWhenItBecomesSelected_data();
    void optionRunsWhenItBecomesSelected();
    void optionGroupClearedByCodeShowsNoSelection_data();
    void optionGroupClearedByCodeShowsNoSelection();
    void filledListSelectsNothing();
    void listRunsWhenTheIndexChanges();
    void listIndexOutsideTheListIsError380();
    void userChoosingTheSameItemRuns();
    void changeSignalsRunNoHandler();
    void listsAreNotEditableAndStateIndexIsChecked();
};

void TestCodeEvents::checkBoxRunsWhenTheValueChanges()
{
    QWidget w;
    auto* box = new QCheckBox(QStringLiteral("Kanal"), &w);
    box->setObjectName(QStringLiteral("Check2"));
    Runs runs;
    onClick(box, runs.of(box, [box] { return QString::number(checkValue(box)); }));

    setCheckValue(box, 0);  // unchanged
    QCOMPARE(runs.count["Check2"], 0);
    setCheckValue(box, 1);
    setCheckValue(box, 1);  // unchanged
    setCheckValue(box, 2);  // greyed
    setCheckValue(box, 0);
    // The handler sees the new value, once per change.
    QCOMPARE(runs.log, QStringList({"Check2=1", "Check2=2", "Check2=0"}));
}

void TestCodeEvents::checkBoxValueOutsideZeroToTwoIsError380()
{
    QWidget w;
    auto* box = new QCheckBox(&w);
    Runs runs;
    onClick(box, runs.of(box, [] { return QString(); }));
    setCheckValue(box, 1);
    for (const int bad : {-1, 3, 5})
        QCOMPARE(errorOf([&] { setCheckValue(box, bad); }), err::InvalidPropertyValue);
    QCOMPARE(checkValue(box), 1);
    QCOMPARE(runs.log.size(), 1);
}

void TestCodeEvents::userClickOnCheckBoxAlwaysRuns()
{
    QWidget w;
    auto* box = new QCheckBox(QStringLiteral("dp bekannt"), &w);
    box->setObjectName(QStringLiteral("Check4"));
    box->setGeometry(0, 0, 120, 20);
    Runs runs;
    onClick(box, runs.of(box, [box] { return QString::number(checkValue(box)); }));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    // A box greyed by code goes to ticked and then between 0 and 1 at the
    // user's clicks.
    setCheckValue(box, 2);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(runs.log, QStringList({"Check4=1", "Check4=0", "Check4=2", "Check4=1", "Check4=0", "Check4=1"}));
}

namespace {

// Three options of one group, either by their parent (auto-exclusive) or by a
// QButtonGroup.
struct OptionGroup {
    explicit OptionGroup(bool buttonGroup)
    {
        for (int i = 0; i < 3; ++i) {
            auto* o = new QRadioButton(QStringLiteral("Option%1").arg(i + 1), &window);
            o->setObjectName(o->text());
            o->setGeometry(0, 24 * i, 120, 20);
            options << o;
            if (buttonGroup)
                group.addButton(o);
            onClick(o, runs.of(o, [o] { return QString::number(o->isChecked()); }));
        }
    }
    QStringList selected() const
    {
        QStringList s;
        for (QRadioButton* o : options)
            if (o->isChecked())
                s << o->objectName();
        return s;
    }
    QWidget window;
    QButtonGroup group;
    QList<QRadioButton*> options;
    Runs runs;
};

}  // namespace

void TestCodeEvents::optionRunsWhenItBecomesSelected_data()
{
    QTest::addColumn<bool>("buttonGroup");
    QTest::newRow("options grouped by their parent") << false;
    QTest::newRow("options in a QButtonGroup") << true;
}

void TestCodeEvents::optionRunsWhenItBecomesSelected()
{
    QFETCH(bool, buttonGroup);
    OptionGroup g(buttonGroup);
    setOptionValue(g.options[0], true);
    setOptionValue(g.options[0], true);  // already selected: nothing runs
    setOptionValue(g.options[1], true);  // clears Option1 without its handler
    setOptionValue(g.options[0], false);  // not selected: nothing to do
    QCOMPARE(g.runs.log, QStringList({"Option1=1", "Option2=1"}));
    QCOMPARE(g.selected(), QStringList{"Option2"});

    // The user's click runs the handler, also on the option already selected.
    g.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g.window));
    QTest::mouseClick(g.options[1], Qt::LeftButton);
    QTest::mouseClick(g.options[2], Qt::LeftButton);
    QCOMPARE(g.runs.log, QStringList({"Option1=1", "Option2=1", "Option2=1", "Option3=1"}));
    QCOMPARE(g.selected(), QStringList{"Option3"});
}

void TestCodeEvents::optionGroupClearedByCodeShowsNoSelection_data()
{
    optionRunsWhenItBecomesSelected_data();
}

void TestCodeEvents::optionGroupClearedByCodeShowsNoSelection()
{
    QFETCH(bool, buttonGroup);
    OptionGroup g(buttonGroup);
    setOptionValue(g.options[2], true);
    for (QRadioButton* o : g.options)
        setOptionValue(o, false);
    QCOMPARE(g.selected(), QStringList());
    QCOMPARE(g.runs.log, QStringList({"Option3=1"}));

    // The group is exclusive again for the user.
    g.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g.window));
    QTest::mouseClick(g.options[0], Qt::LeftButton);
    QTest::mouseClick(g.options[1], Qt::LeftButton);
    QCOMPARE(g.selected(), QStringList{"Option2"});
}

void TestCodeEvents::filledListSelectsNothing()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo9");
    Runs runs;
    onClick(list, runs.of(list, [list] { return QString::number(list->currentIndex()); }));
    fillList(list, {"kPa", "bar/abs", "Pa"});
    QCOMPARE(list->currentIndex(), -1);
    setListIndex(list, 2);
    // Refilling a list that had a selection: back to -1, and no handler runs.
    fillList(list, {"kPa", "bar/abs", "Pa", "mbar/abs", "psi"});
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(list->count(), 5);
    QCOMPARE(runs.log, QStringList({"Combo9=2"}));
}

void TestCodeEvents::listRunsWhenTheIndexChanges()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo11");
    Runs runs;
    onClick(list, runs.of(list, [list] { return QString::number(list->currentIndex()); }));
    fillList(list, {"°C", "K", "°F"});
    setListIndex(list, 0);
    setListIndex(list, 0);   // unchanged
    setListIndex(list, 2);
    setListIndex(list, -1);  // nothing selected is a change too
    setListIndex(list, -1);
    QCOMPARE(runs.log, QStringList({"Combo11=0", "Combo11=2", "Combo11=-1"}));
}

void TestCodeEvents::listIndexOutsideTheListIsError380()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo4");
    Runs runs;
    onClick(list, runs.of(list, [] { return QString(); }));
    fillList(list, {"PN 6", "PN 10", "PN 16"});
    setListIndex(list, 1);
    for (const int bad : {3, 8, -2})
        QCOMPARE(errorOf([&] { setListIndex(list, bad); }), err::InvalidPropertyValue);
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(runs.log.size(), 1);
}

void TestCodeEvents::userChoosingTheSameItemRuns()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo1");
    list->setGeometry(0, 0, 160, 24);
    Runs runs;
    onClick(list, runs.of(list, [list] { return QString::number(list->currentIndex()); }));
    fillList(list, {"Bitte klären", "Luft", "überhitzter Dampf"});
    setListIndex(list, 1);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));

    // Choosing the item already selected from the open list.
    list->showPopup();
    QAbstractItemView* view = list->view();
    QTRY_VERIFY(view->isVisible());
    const QRect item = view->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_COMPARE(runs.log.size(), 2);
    // The arrow key moves to the next item.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(runs.log, QStringList({"Combo1=1", "Combo1=1", "Combo1=2"}));
}

void TestCodeEvents::changeSignalsRunNoHandler()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo8");
    auto* box = new QCheckBox(&w);
    box->setObjectName(QStringLiteral("Check1"));
    auto* option = new QRadioButton(&w);
    option->setObjectName(QStringLiteral("Option5"));
    Runs runs;
    onClick(list, runs.of(list, [] { return QString(); }));
    onClick(box, runs.of(box, [] { return QString(); }));
    onClick(option, runs.of(option, [] { return QString(); }));
    fillList(list, {"a", "b"});
    // Values set around the helpers change the controls but run nothing.
    list->setCurrentIndex(1);
    box->setChecked(true);
    option->setChecked(true);
    QCOMPARE(runs.log, QStringList());
}

void TestCodeEvents::listsAreNotEditableAndStateIndexIsChecked()
{
    QWidget w;
    QComboBox* list = newList(&w, "Combo2");
    QVERIFY(!list->isEditable());
    QCOMPARE(list->objectName(), QStringLiteral("Combo2"));
    fillList(list, {"Bitte klären", "RQ8", "RQ10"});
    QCOMPARE(errorOf([&] { listIndexForState(list); }), err::InvalidPropertyValue);  // -1 never reaches the state
    setListIndex(list, 2);
    QCOMPARE(listIndexForState(list), std::int16_t{2});
}

QTEST_MAIN(TestCodeEvents)
#include "test_code_events.moc"
