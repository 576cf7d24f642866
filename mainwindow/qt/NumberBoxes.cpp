// The check before Calc!, the solver, Save and Save As that every number box in
// use holds one number, not a typo that its reading would take for another
// number ("2O" for 2).
#include "mainwindow/qt/MainInputPages.h"

#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "mainwindow/StrCheck.h"
#include "tracing/Guard.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include <string>
#include <utility>

namespace morvane {

namespace {

// "The box "%1" holds no number: "%2". ..."
constexpr std::int32_t NotANumberText = 1985;

QString captionOf(const QWidget* caption)
{
    if (const auto* label = qobject_cast<const QLabel*>(caption))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(caption))
        return button->text();
    return {};
}

}  // namespace

bool MainInputPages::shownOnItsPage(const QWidget* w) const
{
    for (; w != nullptr && SSTab1_->indexOf(const_cast<QWidget*>(w)) < 0; w = w->parentWidget())
        if (w->isHidden())
            return false;
    return w != nullptr;
}

bool MainInputPages::numberBoxesHoldNumbers()
{
    Guard g("frmMain", "numberBoxesHoldNumbers", "Private Function numberBoxesHoldNumbers() As Boolean");
    // Each number box with the label that names it: its own, or the check box
    // it belongs to (the duct's second side, the known dp).
    const std::pair<const QLineEdit*, const QWidget*> boxes[] = {
        {Text1, Label1},   {Text2, Label2},   {Text7, Label3},   {Text29, Label50}, {Text3, Label4},
        {Text4, Label5},   {Text5, Label6},   {Text6, Label7},   {Text30, Label53}, {Text10, Label23},
        {Text11, Label24}, {Text15, Label25}, {Text8, Label19},  {Text22, Check2},  {Text9, Label20},
        {Text16, Label33}, {Text17, Label34}, {Text18, Label35}, {Text19, Label36}, {Text20, Label37},
        {Text21, Label38}, {Text37, Check4},
    };
    std::string message;
    if (!g.step([&] {
            for (const auto& [box, caption] : boxes) {
                // A box that does not apply to the current inputs (greyed or
                // hidden) is not read for them.
                if (!box->isEnabled() || !shownOnItsPage(box) || isOneNumber(box->text().toStdString()))
                    continue;
                message += (message.empty() ? "" : "\r\n") +
                           withValues(resText(NotANumberText, state_.ui.gSprachOffset),
                                      {captionOf(caption).trimmed().toStdString(), box->text().toStdString()});
            }
        }))
        return false;
    if (message.empty())
        return true;
    g.step([&] { messages_.show({message, kProgramTitle}); });
    return false;
}

}  // namespace morvane
