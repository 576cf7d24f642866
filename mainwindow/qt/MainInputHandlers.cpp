#include "mainwindow/qt/MainInputPages.h"
#include "mainwindow/qt/MainInputShared.h"

#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "common/qt/CodeEvents.h"
#include "common/qt/Greying.h"
#include "common/qt/LoadResstrings.h"
#include "engine/TypeKey.h"
#include "mainwindow/PipeDimensionTable.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "platform/NumberText.h"
#include "tracing/Guard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <initializer_list>

namespace morvane {

// ---------------------------------------------------------------------------
// Model handlers

namespace {

// One row of a model's table: the label's enabled state and whether the box is
// open (enabled, window background) or greyed.
enum ModelRow { Off = 0, On = 1, OnGreyed = 2 };

}  // namespace

void MainInputPages::setModelControls(const int (&states)[12], bool combo1Open)
{
    // Rows in the order of the model table of the Medium page; states[11] unused.
    QLabel* const labels[] = {Label1, Label2, Label3, Label50, Label30, Label4,
                              Label5, Label6, Label7, Label53, Label31};
    QLineEdit* const boxes[] = {Text1, Text2, Text7, Text29, Text13, Text3, Text4, Text5, Text6, Text30, Text14};
    setInputEnabled(Combo1, combo1Open);
    for (int i = 0; i < 11; ++i) {
        labels[i]->setEnabled(states[i] != Off);
        setInputEnabled(boxes[i], states[i] == On);
    }
}

void MainInputPages::Option1_Click()
{
    Guard g(kModule, "Option1_Click", "Private Sub Option1_Click()");
    g.step([&] {
        if (!Option1->isChecked())
            return;
        const int s[12] = {Off, Off, Off, Off, Off, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, true);
    });
}

void MainInputPages::Option2_Click()
{
    Guard g(kModule, "Option2_Click", "Private Sub Option2_Click()");
    g.step([&] {
        if (!Option2->isChecked())
            return;
        Label1->setText(text(1051));
        Label8->setText(QStringLiteral("kg/Nm³"));
        const int s[12] = {On, On, On, On, On, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, false);
    });
}

void MainInputPages::Option3_Click()
{
    Guard g(kModule, "Option3_Click", "Private Sub Option3_Click()");
    g.step([&] {
        if (!Option3->isChecked())
            return;
        const int s[12] = {Off, Off, Off, Off, Off, On, On, On, On, On, On, 0};
        setModelControls(s, false);
    });
}

void MainInputPages::Option4_Click()
{
    Guard g(kModule, "Option4_Click", "Private Sub Option4_Click()");
    // The window's texts again, before the value is tested.
    if (!g.step([&] { LoadResstrings(form_->window(), state_.ui.gSprachOffset); }))
        return;
    g.step([&] {
        if (!Option4->isChecked())
            return;
        Label1->setText(text(1326));
        Label8->setText(QStringLiteral("kg/m³"));
        // The liquid model takes no compressibility and no isentropic exponent,
        // while their labels stay on.
        const int s[12] = {On, OnGreyed, On, OnGreyed, On, Off, Off, Off, Off, Off, Off, 0};
        setModelControls(s, false);
    });
}

// ---------------------------------------------------------------------------
// Pipe entry and orientation

void MainInputPages::Option5_Click()
{
    Guard g(kModule, "Option5_Click", "Private Sub Option5_Click()");
    g.step([&] {
        setInputEnabled(Text8, true);
        setInputEnabled(Text9, true);
        for (QWidget* w : std::initializer_list<QWidget*>{Label19, Label17, Label20, Label18, Text22, Check2, Label58})
            w->setEnabled(true);
        for (QWidget* w : std::initializer_list<QWidget*>{Combo3, Combo4, Label21, Label22})
            w->setEnabled(false);
    });
}

void MainInputPages::Option6_Click()
{
    Guard g(kModule, "Option6_Click", "Private Sub Option6_Click()");
    g.step([&] {
        setInputEnabled(Text8, false);
        setInputEnabled(Text9, false);
        for (QWidget* w : std::initializer_list<QWidget*>{Label19, Label17, Label20, Label18, Text22, Check2, Label58})
            w->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{Combo3, Combo4, Label21, Label22})
            w->setEnabled(true);
    });
}

void MainInputPages::Option11_Click()
{
    Guard g(kModule, "Option11_Click", "Private Sub Option11_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10})
            o->setEnabled(true);
        Option13->setEnabled(false);
    });
}

void MainInputPages::Option12_Click()
{
    Guard g(kModule, "Option12_Click", "Private Sub Option12_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10})
            o->setEnabled(false);
        Option13->setEnabled(true);
    });
}

void MainInputPages::Option14_Click()
{
    Guard g(kModule, "Option14_Click", "Private Sub Option14_Click()");
    g.step([&] {
        for (QRadioButton* o : {Option7, Option8, Option9, Option10, Option13})
            o->setEnabled(false);
    });
}

// ---------------------------------------------------------------------------
// Check boxes and lists

void MainInputPages::Check1_Click()
{
    Guard g(kModule, "Check1_Click", "Private Sub Check1_Click()");
    g.step([&] {
        const int v = checkValue(Check1);
        if (v != 0 && v != 1)
            return;
        const bool on = v == 1;
        for (QLineEdit* b : {Text19, Text20, Text21})
            setInputEnabled(b, on);
        for (QLabel* l : {Label36, Label37, Label38, Label41, Label42, Label43})
            l->setEnabled(on);
    });
}

void MainInputPages::Check2_Click()
{
    Guard g(kModule, "Check2_Click", "Private Sub Check2_Click()");
    g.step([&] {
        const int v = checkValue(Check2);
        if (v != 0 && v != 1)
            return;
        setInputEnabled(Text22, v == 1);
        Label58->setEnabled(v == 1);
    });
}

void MainInputPages::Check4_Click()
{
    Guard g(kModule, "Check4_Click", "Private Sub Check4_Click()");
    g.step([&] {
        const int v = checkValue(Check4);
        if (v != 0 && v != 1)
            return;
        setInputEnabled(Text37, v == 1);
        for (QWidget* w : std::initializer_list<QWidget*>{Label63, Option17, Option18, Command3})
            w->setEnabled(v == 1);
    });
}

void MainInputPages::Combo1_Click()
{
    // Choosing a medium changes no control; the reading takes the choice.
    Guard g(kModule, "Combo1_Click", "Private Sub Combo1_Click()");
}

void MainInputPages::Combo8_Click()
{
    Guard g(kModule, "Combo8_Click", "Private Sub Combo8_Click()");
    for (QLabel* l : {Label41, Label42, Label43})
        if (!g.step([&] { l->setText(Combo8->currentText()); }))
            return;
}

void MainInputPages::Combo2_Click()
{
    Guard g(kModule, "Combo2_Click", "Private Sub Combo2_Click()");
    g.step([&] {
        if (state_.config.gConfEventsAus == True)
            return;
        const int t = Combo2->currentIndex();
        if (t < 0)
            return;
        auto caption = [&](QLabel* l, std::int32_t id) {
            l->setText(text(id));
            l->show();
        };
        // The bore (types 1 and 9..15) or the other make's K number and probe
        // width (type 8); the averaging probes 2..7 take neither.
        const bool first = t == 1 || t >= 8;
        const bool second = t == 8;
        if (first) {
            caption(Label23, t == 8 ? 1480 : 1481);
            Text10->show();
            caption(Label26, t == 8 ? 1510 : 1511);
        } else {
            Label23->hide();
            Text10->hide();
            Label26->hide();
        }
        if (second) {
            caption(Label24, 1490);
            Text11->clear();
            Text11->show();
            caption(Label27, 1520);
        } else {
            Label24->hide();
            Text11->hide();
            Label27->hide();
        }
        // The small-flow meter run comes with its own pipe.
        Frame2->setVisible(t != 1);
    });
    // The maker's models load their configuration; the other types hide it
    // (rows, type information and code stay as the last model left them).
    if (!g.step([&] {
            const int t = Combo2->currentIndex();
            if (isTrue(state_.config.gConfEventsAus) || t < 0)
                return false;
            if (isConfiguredModel(static_cast<std::int16_t>(t)))
                configPage_->loadModel(Combo2->itemText(t).trimmed().toStdString());
            else
                fraConfigSelect->hide();
            return true;
        }))
        return;
    g.step([&] { Label29->setText(text(1530 + Combo2->currentIndex())); });
}

void MainInputPages::Combo3_Click()
{
    Guard g(kModule, "Combo3_Click", "Private Sub Combo3_Click()");
    g.step([&] { normmassLookup(); });
}

void MainInputPages::Combo4_Click()
{
    Guard g(kModule, "Combo4_Click", "Private Sub Combo4_Click()");
    g.step([&] { normmassLookup(); });
}

void MainInputPages::normmassLookup()
{
    if (!Option6->isChecked())
        return;
    const int i = Combo3->currentIndex();
    const int j = Combo4->currentIndex();
    if (i < 0 || j < 0)
        return;
    RohrDaten& pipe = state_.calc;
    if (const auto entry = NormmassTabelle(i, j)) {
        pipe.gInnendurchmesser = entry->D;
        pipe.gWandstaerke = entry->s;
    } else {
        messages_.show({missingNormmassMessage(i), kProgramTitle});
        // Lowering the class runs the lookup again, which finds the entry.
        setListIndex(Combo4, highestDruckstufe(i));
    }
    setText(Text8, strForm(pipe.gInnendurchmesser));
    setText(Text9, strForm(pipe.gWandstaerke));
    if (confFieldClick_)
        confFieldClick_(0);
}

}  // namespace morvane
