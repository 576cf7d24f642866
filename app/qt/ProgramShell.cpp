#include "app/qt/ProgramShell.h"

#include "app/LanguageFile.h"
#include "app/qt/frmSplash.h"
#include "mainwindow/qt/MainInputPages.h"
#include "tracing/Guard.h"

#include <QApplication>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>

namespace morvane {

ProgramShell::ProgramShell(ProgramState& state, ShellServices& services, const Clock& clock,
                           std::chrono::milliseconds splashTime)
    : state_(state), services_(services), clock_(clock), splashTime_(splashTime)
{
}

void ProgramShell::waitWithSplash()
{
    // The wait lets window messages through; the timer wakes it at least every
    // 20 ms, so it neither spins nor oversleeps.
    QTimer wake;
    wake.start(20);
    const auto start = clock_.now();
    std::chrono::system_clock::duration elapsed{};
    do {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        elapsed = clock_.now() - start;
        // A clock set back meanwhile (a time-server correction at boot) would
        // hold the splash for as long as it was set back: the wait ends there.
    } while (elapsed >= std::chrono::system_clock::duration::zero() && elapsed < splashTime_);
}

void ProgramShell::showNewMainForm()
{
    gMainForm_ = new frmMain(state_, services_, *this);
    gMainForm_->show();
}

void ProgramShell::Main()
{
    Guard g("Module1", "Main", "Sub Main()");
    if (!g.step([&] { setLanguage(state_.ui, fncgGetLanguage(services_.programFolder)); }))
        return;
    QPointer<frmSplash> splash;
    if (!g.step([&] {
            splash = new frmSplash(state_.ui.gSprachOffset);
            splash->show();
            splash->repaint();
        }))
        return;
    if (!g.step([&] { waitWithSplash(); }))
        return;
    if (!g.step([&] { std::filesystem::current_path(services_.programFolder); }))
        return;
    if (!g.step([&] {
            state_.config.gGrenzwertPruefung = 1;  // limit checks of the entry boxes on
            state_.config.gGrenzwertModus = 1;     // warn and mark, do not replace
        }))
        return;
    if (!g.step([&] { gMainForm_ = new frmMain(state_, services_, *this); }))
        return;
    if (!g.step([&] {
            if (splash)
                splash->close();
        }))
        return;
    if (!g.step([&] { gMainForm_->show(); }))
        return;
}

void ProgramShell::subgChangeLanguage()
{
    Guard g("modConfigSelect", "subgChangeLanguage", "Sub subgChangeLanguage()");
    // A failure to write the file is reported there; the change then holds for
    // this run only.
    if (!g.step([&] { subgSavaLanguage(services_.programFolder, state_.ui.gSprachOffset); }))
        return;
    if (!g.step([&] { setLanguage(state_.ui, state_.ui.gSprachOffset); }))
        return;
    // The work in the old window goes over into the new one: its inputs, how
    // its controls look, the page on view and the current file name.
    InputControls kept;
    ControlLooks looks;
    int page = 0;
    if (!g.step([&] {
            if (!gMainForm_)
                return;
            gMainForm_->inputPages()->toControls(kept);
            looks = gMainForm_->inputPages()->looks();
            kept.statusPanel1 = state_.doc.gDateiname;
            page = gMainForm_->SSTab1()->currentIndex();
        }))
        return;
    if (!g.step([&] {
            // Closing runs its Form_Unload; the window deletes itself later,
            // once its own menu handler that called here has returned. The
            // application does not end meanwhile: the new window is shown
            // before the event loop looks for an open window again.
            if (gMainForm_)
                gMainForm_->close();
        }))
        return;
    if (!g.step([&] { showNewMainForm(); }))
        return;
    if (!g.step([&] {
            gMainForm_->inputPages()->takeOverInputs(kept, looks);
            gMainForm_->SSTab1()->setCurrentIndex(page);
            // The window's build forgot the name with the default inputs; with
            // the old inputs the file is current again.
            state_.doc.gDateiname = kept.statusPanel1;
        }))
        return;
}

}  // namespace morvane
