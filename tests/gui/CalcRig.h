// The main window as the user sees it for a Calc! run, with the shell's platform
// seams faked: a user name is set (so no options window comes first), and the
// results window's printer dialog and printer are recording stand-ins.
#pragma once

#include "common/qt/CodeEvents.h"
#include "app/qt/frmMain.h"
#include "mainwindow/qt/MainInputPages.h"
#include "reports/protocol/ProtocolPrinting.h"
#include "support/Fakes.h"
#include "support/ShellFakes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

namespace morvane::testing {

class NoLanguageSwitch : public LanguageSwitch {
public:
    void subgChangeLanguage() override {}
};

struct PrinterDialogLog : PrinterDialog {
    PrintTarget ShowPrinter(const std::string& title) override
    {
        titles.push_back(title);
        return answer;
    }
    std::vector<std::string> titles;
    PrintTarget answer;
};

struct CalcRig {
    // offset: the language (0 German, 10000 English) the window is built in.
    explicit CalcRig(std::int32_t offset = 0)
    {
        state.ui.gSprachOffset = offset;
        state.ui.gSprachKuerzel = offset == 0 ? "DE" : "EN";
        fakes.settings.setValue("morvane7.0", "Startup", "UserName", "Erika");
        window = new frmMain(state, fakes.services, noSwitch);
        window->setPrinterDialog(dialog);
        window->setPrinter(printer);
        window->show();
        exposed = QTest::qWaitForWindowExposed(window.data());
    }
    ~CalcRig()
    {
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    CalcRig(const CalcRig&) = delete;
    CalcRig& operator=(const CalcRig&) = delete;

    MainInputPages& pages() const { return *window->inputPages(); }
    void clickCalc() { QTest::mouseClick(pages().Command1(), Qt::LeftButton); }

    TestTracer tracer;
    QTemporaryDir folder;
    FakeShellServices fakes{folder.path().toStdString()};
    ProgramState state;
    NoLanguageSwitch noSwitch;
    PrinterDialogLog dialog;
    RecordingPrinter printer;
    QPointer<frmMain> window;
    bool exposed = false;
};

// The water orifice of support/ReferenceCases.h as a user enters it: water from
// the medium list, an orifice with flange tappings, d 50 mm in D 100 mm,
// 500 kPa, 20 °C, 10 kg/s.
inline void enterOrifice(CalcRig& rig)
{
    MainInputPages& p = rig.pages();
    p.Option1->click();         // medium list
    setListIndex(p.Combo1, 4);  // water
    setListIndex(p.Combo2, 9);  // orifice, flange tappings
    p.Text8->setText("100");
    p.Text10->setText("50");
    p.Text16->setText("500");
    p.Text17->setText("20");
    p.Text18->setText("10");
    setListIndex(p.Combo8, 4);  // kg/s
}

// The air orifice of support/ReferenceCases.h: air as an ideal gas (1.293
// kg/Nm³, Z 1, κ 1.4, 0.0181 cP) at 200 kPa and 20 °C, 3400 kg/h through the
// water orifice's pipe and bore.
inline void enterAirOrifice(CalcRig& rig)
{
    enterOrifice(rig);
    MainInputPages& p = rig.pages();
    p.Option2->click();
    p.Text1->setText("1,293");
    p.Text2->setText("1");
    p.Text7->setText("0,0181");
    p.Text29->setText("1,4");
    p.Text16->setText("200");
    p.Text18->setText("3400");
    setListIndex(p.Combo8, 3);  // kg/h
}

}  // namespace morvane::testing
