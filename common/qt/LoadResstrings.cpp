#include "common/qt/LoadResstrings.h"

#include "common/ResourceId.h"
#include "common/ResourceTexts.h"
#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"
#include "tracing/Guard.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <QVariant>
#include <QWidget>
#include <QWidgetAction>

#include <optional>
#include <string>

namespace morvane {

namespace {

// Run-time error of a late-bound call to a property the object does not have.
constexpr int PropertyNotSupported = 438;

[[noreturn]] void lacks(const char* property)
{
    raiseError(PropertyNotSupported, std::string("Object doesn't support this property or method (") + property + ")");
}

QString resString(std::int32_t id)
{
    return QString::fromStdString(ResourceTexts::program().LoadResString(id));
}

// A missing Tag property reads as the empty Tag every control has by design.
QString tagOf(const QObject* o)
{
    return o->property("Tag").toString();
}

// The "Caption" property of a control.
void setCaption(QObject* o, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(o))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(o))
        button->setText(text);
    else if (auto* frame = qobject_cast<QGroupBox*>(o))
        frame->setTitle(text);
    else
        lacks("Caption");
}

// Controls whose child widgets are their own inner parts, not controls of the
// window.
bool hasInnerParts(const QWidget* w)
{
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractButton*>(w);
}

class Loader {
public:
    Loader(Guard& g, QWidget* frm, std::int32_t offset) : g_(g), frm_(frm), offset_(offset) {}

    void run()
    {
        g_.step([&] { realRule(tagOf(frm_), [&](const QString& t) { frm_->setWindowTitle(t); }); });
        g_.step([&] { font_ = frm_->font(); });
        walkChildren(frm_);
    }

private:
    // Real-number rule: a leading number other than 0 names the text.
    template <class Set>
    void realRule(const QString& idText, Set&& set)
    {
        if (const std::optional<std::int32_t> id = realNumberId(idText.toStdString(), offset_))
            set(resString(*id));
    }

    // Short-integer rule: a leading number that rounds to a 16-bit integer
    // above 0 names the text.
    template <class Set>
    void shortRule(const QString& idText, Set&& set)
    {
        if (const std::optional<std::int32_t> id = shortIntegerId(idText.toStdString(), offset_))
            set(resString(*id));
    }

    void walkChildren(QObject* parent)
    {
        const QObjectList children = parent->children();
        for (QObject* child : children) {
            auto* w = qobject_cast<QWidget*>(child);
            // Another window (a dialog owned by this one) is not a control of it;
            // menus are popup windows but belong to their menu bar.
            if (w && (!w->isWindow() || qobject_cast<QMenu*>(w) || qobject_cast<QFileDialog*>(w)))
                treat(w);
        }
    }

    void treat(QWidget* w)
    {
        const QString type = resstringTypeName(w);
        if (type == QLatin1String("Label")) {
            auto* label = static_cast<QLabel*>(w);
            g_.step([&] { label->setFont(font_); });
            g_.step([&] { realRule(tagOf(label), [&](const QString& t) { label->setText(t); }); });
        } else if (type == QLatin1String("Menu")) {
            if (auto* bar = qobject_cast<QMenuBar*>(w)) {
                const auto actions = bar->actions();
                for (QAction* a : actions)
                    menuItem(a);
            } else if (auto* menu = qobject_cast<QMenu*>(w)) {
                menuItem(menu->menuAction());
            }
        } else if (type == QLatin1String("TabStrip")) {
            tabStrip(w);
        } else if (type == QLatin1String("Toolbar")) {
            toolbar(static_cast<QToolBar*>(w));
        } else if (type == QLatin1String("ListView")) {
            listView(static_cast<QAbstractItemView*>(w));
        } else if (type == QLatin1String("ComboBox")) {
            g_.step([&] { realRule(w->toolTip(), [&](const QString& t) { w->setToolTip(t); }); });
        } else if (type == QLatin1String("CommonDialog")) {
            // Nothing: a common dialog carries no ids.
        } else if (type == QLatin1String("Line")) {
            // A line has no caption, so this changes nothing visible.
            g_.step([&] { shortRule(tagOf(w), [&](const QString& t) { setCaption(w, t); }); });
        } else {
            g_.step([&] { shortRule(tagOf(w), [&](const QString& t) { setCaption(w, t); }); });
            g_.step([&] { shortRule(w->toolTip(), [&](const QString& t) { w->setToolTip(t); }); });
            if (!hasInnerParts(w))
                walkChildren(w);
        }
    }

    // A menu item and, for a submenu, its items, each once however often the
    // walk meets its menu.
    void menuItem(QAction* a)
    {
        if (!a || seenActions_.contains(a))
            return;
        seenActions_.insert(a);
        g_.step([&] { realRule(a->text(), [&](const QString& t) { a->setText(t); }); });
        if (QMenu* sub = a->menu()) {
            const auto actions = sub->actions();
            for (QAction* item : actions)
                menuItem(item);
        }
    }

    void tabStrip(QWidget* w)
    {
        auto* tabs = qobject_cast<QTabWidget*>(w);
        QTabBar* bar = tabs ? tabs->tabBar() : static_cast<QTabBar*>(w);
        g_.step([&] { w->setFont(font_); });
        for (int i = 0; i < bar->count(); ++i) {
            g_.step([&] { realRule(bar->tabData(i).toString(), [&](const QString& t) { bar->setTabText(i, t); }); });
            g_.step([&] { realRule(bar->tabToolTip(i), [&](const QString& t) { bar->setTabToolTip(i, t); }); });
        }
        // The pages of a tab widget hold controls of the window.
        if (tabs)
            for (int i = 0; i < tabs->count(); ++i)
                if (QWidget* page = tabs->widget(i))
                    treat(page);
    }

    void toolbar(QToolBar* bar)
    {
        const auto actions = bar->actions();
        for (QAction* a : actions) {
            g_.step([&] { realRule(a->toolTip(), [&](const QString& t) { a->setToolTip(t); }); });
            // A control placed on the toolbar is a control of the window.
            if (qobject_cast<QWidgetAction*>(a))
                if (QWidget* placed = bar->widgetForAction(a))
                    treat(placed);
        }
    }

    void listView(QAbstractItemView* view)
    {
        g_.step([&] { view->setFont(font_); });
        QAbstractItemModel* model = view->model();
        const int columns = model ? model->columnCount() : 0;
        for (int c = 0; c < columns; ++c) {
            // No test: a Tag without a number asks for the bare offset, which has
            // no string.
            g_.step([&] {
                const QString tag = model->headerData(c, Qt::Horizontal, Qt::UserRole).toString();
                const QString text = resString(fullTextId(runtimeVal(tag.toStdString()), offset_));
                if (!model->setHeaderData(c, Qt::Horizontal, text, Qt::DisplayRole))
                    lacks("Text");
            });
        }
    }

    Guard& g_;
    QWidget* frm_;
    std::int32_t offset_;
    QFont font_;
    QSet<QAction*> seenActions_;
};

}  // namespace

QString resstringTypeName(const QObject* item)
{
    if (qobject_cast<const QLabel*>(item))
        return QStringLiteral("Label");
    if (qobject_cast<const QAction*>(item) || qobject_cast<const QMenu*>(item) || qobject_cast<const QMenuBar*>(item))
        return QStringLiteral("Menu");
    if (qobject_cast<const QTabWidget*>(item) || qobject_cast<const QTabBar*>(item))
        return QStringLiteral("TabStrip");
    if (qobject_cast<const QToolBar*>(item))
        return QStringLiteral("Toolbar");
    if (qobject_cast<const QTreeView*>(item) || qobject_cast<const QTableView*>(item))
        return QStringLiteral("ListView");
    if (qobject_cast<const QComboBox*>(item))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QFileDialog*>(item))
        return QStringLiteral("CommonDialog");
    if (const auto* frame = qobject_cast<const QFrame*>(item))
        if (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine)
            return QStringLiteral("Line");
    return QString();
}

void LoadResstrings(QWidget* frm, std::int32_t sprachOffset)
{
    Guard g("Module1", "LoadResstrings", "Sub LoadResstrings(frm As Form)", {{"frm", TraceValue("[TYPE]")}},
            Guard::Skip);
    if (!frm)
        return;
    Loader(g, frm, sprachOffset).run();
}

}  // namespace morvane
