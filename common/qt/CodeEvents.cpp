#include "common/qt/CodeEvents.h"

#include "platform/RuntimeError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>

namespace morvane {

namespace {

// Holds the click handler of the control it is a child of.
class ClickBinding : public QObject {
public:
    ClickBinding(QObject* control, ClickHandler handler) : QObject(control), handler_(std::move(handler)) {}
    void run() const
    {
        if (handler_)
            handler_();
    }

private:
    ClickHandler handler_;
};

ClickBinding* bindingOf(const QObject* control)
{
    // Not a Q_OBJECT class: found by its C++ type among the control's own
    // children (which also hold the control's inner parts).
    for (QObject* child : control->children())
        if (auto* b = dynamic_cast<ClickBinding*>(child))
            return b;
    return nullptr;
}

void runHandler(const QObject* control)
{
    if (const ClickBinding* b = bindingOf(control))
        b->run();
}

// Replaces the binding of a control; returns it for the connection.
ClickBinding* rebind(QObject* control, ClickHandler handler)
{
    delete bindingOf(control);
    return new ClickBinding(control, std::move(handler));
}

}  // namespace

void onClick(QCheckBox* box, ClickHandler handler)
{
    ClickBinding* b = rebind(box, std::move(handler));
    QObject::connect(box, &QCheckBox::clicked, b, [box, b] {
        // Only code greys a box; the user's clicks go between 0 and 1.
        if (box->checkState() != Qt::PartiallyChecked)
            box->setTristate(false);
        b->run();
    });
}

void onClick(QRadioButton* option, ClickHandler handler)
{
    ClickBinding* b = rebind(option, std::move(handler));
    QObject::connect(option, &QRadioButton::clicked, b, [b] { b->run(); });
}

void onClick(QComboBox* list, ClickHandler handler)
{
    ClickBinding* b = rebind(list, std::move(handler));
    QObject::connect(list, &QComboBox::activated, b, [b] { b->run(); });
}

int checkValue(const QCheckBox* box)
{
    switch (box->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void setCheckValue(QCheckBox* box, int value)
{
    if (value < 0 || value > 2)
        raiseError(err::InvalidPropertyValue);
    if (value == checkValue(box))
        return;
    {
        const QSignalBlocker quiet(box);
        box->setTristate(value == 2);
        box->setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
    }
    runHandler(box);
}

void setOptionValue(QRadioButton* option, bool value)
{
    if (option->isChecked() == value)
        return;
    if (value) {
        {
            const QSignalBlocker quiet(option);
            // The other options of the group are cleared without running their
            // handlers.
            option->setChecked(true);
        }
        runHandler(option);
        return;
    }
    // Clearing the selected option of an exclusive group: the group's
    // exclusivity is lifted while the value is set.
    const QSignalBlocker quiet(option);
    QButtonGroup* group = option->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = option->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

void fillList(QComboBox* list, const QStringList& items)
{
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void setListIndex(QComboBox* list, int index)
{
    if (index < -1 || index >= list->count())
        raiseError(err::InvalidPropertyValue);
    if (index == list->currentIndex())
        return;
    {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(index);
    }
    runHandler(list);
}

QComboBox* newList(QWidget* parent, const char* objectName)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(objectName));
    list->setEditable(false);
    return list;
}

std::int16_t listIndexForState(const QComboBox* list)
{
    const int index = list->currentIndex();
    if (index < 0 || index >= list->count() || index > INT16_MAX)
        raiseError(err::InvalidPropertyValue);
    return static_cast<std::int16_t>(index);
}

}  // namespace morvane
