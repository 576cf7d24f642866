#include "app/qt/frmMain.h"

#include "app/FileCommands.h"
#include "common/DocumentOpen.h"
#include "app/IniSettings.h"
#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "app/WindowPlacement.h"
#include "app/qt/FileNamePanel.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/WindowFonts.h"
#include "app/qt/frmAbout.h"
#include "app/qt/frmOptions.h"
#include "engine/CalculateDriver.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/EngineContext.h"
#include "engine/qt/frmFehlerfile.h"
#include "mainwindow/qt/ConfigSelectPage.h"
#include "mainwindow/qt/MainInputPages.h"
#include "platform/ProductDatabase.h"
#include "platform/qt/QtPrinter.h"
#include "reports/results_window/qt/ProtocolPages.h"
#include "reports/results_window/qt/QtPrinterDialog.h"
#include "reports/results_window/qt/frmResult.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"
#include "tracing/qt/ErrorDisplayArea.h"
#include "tracing/qt/ErrorTestPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace morvane {

namespace {

constexpr std::int16_t vbKeyF1 = 112;

// The results window as Calc! shows it: each show first notes the inputs the
// results were computed from.
class ShownResults : public ResultsWindow {
public:
    ShownResults(ResultsWindow& window, std::function<void()> noteInputs)
        : window_(window), noteInputs_(std::move(noteInputs))
    {
    }
    void show() override
    {
        noteInputs_();
        window_.show();
    }
    void close() override { window_.close(); }

private:
    ResultsWindow& window_;
    std::function<void()> noteInputs_;
};

constexpr const char* kHelpPage = "\\Hilfe\\help.html";
// How much of the window's top must lie on a screen for the user to reach it
// (pixels).
constexpr int kTitleGripPixels = 30;

// The window's client area: the toolbar spans its width, every other control
// stands where its twips put it.
class ClientArea : public QWidget {
public:
    using QWidget::QWidget;
    QToolBar* toolbar = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        if (toolbar)
            toolbar->setGeometry(0, 0, width(), toolbar->sizeHint().height());
        QWidget::resizeEvent(event);
    }
};

std::int16_t shiftState(Qt::KeyboardModifiers m)
{
    std::int16_t shift = 0;
    if (m & Qt::ShiftModifier)
        shift |= 1;
    if (m & Qt::ControlModifier)
        shift |= 2;
    if (m & Qt::AltModifier)
        shift |= 4;
    return shift;
}

// The options window as the Calculate driver asks for it: modal, owned by the
// main window.
class ModalOptions : public OptionsWindow {
public:
    ModalOptions(ProgramState& state, SettingsStore& store, MessageBoxSink& messages, QWidget* owner)
        : state_(state), store_(store), messages_(messages), owner_(owner)
    {
    }
    void showModal() override
    {
        frmOptions options(state_.settings, store_, messages_, state_.ui.gSprachOffset, owner_);
        options.exec();
    }

private:
    ProgramState& state_;
    SettingsStore& store_;
    MessageBoxSink& messages_;
    QWidget* owner_;
};

}  // namespace

frmMain::frmMain(ProgramState& state, ShellServices& services, LanguageSwitch& languageSwitch, QWidget* parent)
    : QMainWindow(parent), state_(state), services_(services), languageSwitch_(languageSwitch)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(kMainWindowTitle));
    setFont(windowFont());

    buildMenus();

    auto* client = new ClientArea(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    buildToolbar(client);
    client->toolbar = tbToolBar_;

    SSTab1_ = new QTabWidget(client);
    SSTab1_->setObjectName(QStringLiteral("SSTab1"));
    SSTab1_->setGeometry(twipsRect(120, 480, 8535, 7095));
    // The tab captions are fixed texts, never translated.
    for (const char* caption : {"Medium", "dp-Element", "Flowdata", "Address / Notes", "Config Selection"}) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("SSTab1Page%1").arg(SSTab1_->count()));
        SSTab1_->addTab(page, QString::fromLatin1(caption));
    }
    pages_ = new MainInputPages(SSTab1_, client, state_, services_.messages);
    pages_->setFileNamePanel([this](const std::string& name) { fileNamePanel_->showPath(QString::fromStdString(name)); });
    // Calc! stands on the toolbar's row, to the right of Exit.
    tbToolBar_->addWidget(pages_->Command1());

    // In front of the tab control: the image area whose double-click toggles
    // the hidden error-test panel.
    auto* imgErrorDisplay = new ErrorDisplayArea(client);
    auto* fraErrorTest = new ErrorTestPanel(client);
    imgErrorDisplay->raise();
    fraErrorTest->raise();
    connect(imgErrorDisplay, &ErrorDisplayArea::doubleClicked, fraErrorTest,
            &ErrorTestPanel::imgErrorDisplay_DblClick);

    auto* sbStatusBar = new QStatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    fileNamePanel_ = new FileNamePanel(sbStatusBar, "sbStatusBarPanel1");
    sbStatusBar->addWidget(fileNamePanel_, 1);
    // Panels 2 and 3: the date and the time, kept current by the window.
    datePanel_ = plainLabel(sbStatusBar, "sbStatusBarPanel2");
    timePanel_ = plainLabel(sbStatusBar, "sbStatusBarPanel3");
    for (QLabel* panel : {datePanel_, timePanel_}) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        sbStatusBar->addPermanentWidget(panel);
    }
    setStatusBar(sbStatusBar);
    auto* clock = new QTimer(this);
    clock->setObjectName(QStringLiteral("sbStatusBarClock"));
    connect(clock, &QTimer::timeout, this, [this] { showDateAndTime(); });
    clock->start(1000);
    showDateAndTime();

    dlgCommonDialog_ = std::make_unique<QtFileDialogs>(this);
    currentFileDialogs_ = dlgCommonDialog_.get();
    makeFileCommands(*dlgCommonDialog_);
    makeDrivers();
}

frmMain::~frmMain() = default;

void frmMain::makeDrivers()
{
    databases_ = std::make_unique<ProductDatabases>(services_.programFolder);
    pages_->configPage()->setServices(
        {*databases_, services_.clipboard, services_.shell, services_.programFolder});
    engine_ = std::make_unique<EngineContext>(
        EngineContext{state_.calc, state_.ui, state_.settings, services_.messages, *databases_});
    optionsWindow_ = std::make_unique<ModalOptions>(state_, services_.settings, services_.messages, this);
    messagesWindow_ = std::make_unique<QtMessagesWindow>(state_.ui);
    printerDialog_ = std::make_unique<QtPrinterDialog>(this);
    currentPrinterDialog_ = printerDialog_.get();
    auto printer = std::make_unique<QtPrinter>(services_.programFolder);
    // Without a printer the protocol goes to a PDF file in the program's
    // folder; where that folder takes no file the user says where it goes.
    printer->setPdfQuestion([this](const std::string& failedPath) {
        const bool german = state_.ui.gSprachOffset == 0;
        const std::string home = QDir::homePath().toStdString();
        const std::string name = std::filesystem::path(failedPath).filename().string();
        return currentFileDialogs_->saveFile(german ? "Kein Drucker: Protokoll als PDF-Datei speichern"
                                                    : "No printer: save the protocol as a PDF file",
                                             (std::filesystem::path(home) / name).string(), "PDF (*.pdf)|*.pdf");
    });
    systemPrinter_ = std::move(printer);
    protocol_ = std::make_unique<ProtocolPages>(state_, *systemPrinter_, services_.programFolder, &services_.messages);
    makeResultsWindow();
    pages_->setCalculate([this] { RunCalculate(*driver_); });
    pages_->setSolver([this] { RunSolver(*driver_); });
}

void frmMain::setPrinterDialog(PrinterDialog& dialog)
{
    currentPrinterDialog_ = &dialog;
    makeResultsWindow();
}

void frmMain::setPrinter(Printer& printer)
{
    protocol_ = std::make_unique<ProtocolPages>(state_, printer, services_.programFolder, &services_.messages);
    makeResultsWindow();
}

void frmMain::makeResultsWindow()
{
    // The driver holds its windows by reference, so it is made anew with them.
    driver_.reset();
    resultsWindow_ = std::make_unique<QtResultsWindow>(state_, *currentPrinterDialog_, protocol_.get());
    driverResults_ = std::make_unique<ShownResults>(*resultsWindow_, [this] {
        InputControls c;
        pages_->toControls(c);
        resultsInputs_ = std::move(c);
    });
    driver_ = std::make_unique<DriverContext>(DriverContext{
        *engine_, state_.ui, state_.config,
        DriverWindows{*optionsWindow_, *pages_, *messagesWindow_, *driverResults_}});
}

void frmMain::makeFileCommands(FileDialogs& dialogs)
{
    FileCommandWindow w;
    w.inputsReadable = [this] { return pages_->numberBoxesHoldNumbers(); };
    // The results window prints from the state: once a file command has put
    // other inputs there, its results belong to no inputs the state holds.
    w.readWindow = [this] {
        pages_->ReadOberflaeche(ReadingFor::Calculation);
        InputControls now;
        pages_->toControls(now);
        if (resultsInputs_ && !(now == *resultsInputs_) && resultsWindow_)
            resultsWindow_->close();
    };
    w.writeWindow = [this] {
        pages_->WriteOberflaeche();
        if (resultsWindow_)
            resultsWindow_->close();
    };
    w.resetWindow = [this] { pages_->ResetOberflaeche(); };
    w.showFileName = [this](const std::string& name) { fileNamePanel_->showPath(QString::fromStdString(name)); };
    w.repaint = [this] { update(); };
    w.configRows = [this] {
        InputControls c;
        pages_->toControls(c);
        ConfigRowsSnapshot rows;
        rows.comboIndex = c.Combo2;
        for (const ConfigRowControls& row : c.confRows)
            rows.rows.push_back({row.cmbConfField, row.txtValueEntry});
        return rows;
    };
    files_ = std::make_unique<FileCommands>(state_, dialogs, services_.messages, services_.programFolder, std::move(w));
}

void frmMain::setFileDialogs(FileDialogs& dialogs)
{
    currentFileDialogs_ = &dialogs;
    makeFileCommands(dialogs);
}

QAction* frmMain::menuItem(QMenu* menu, const char* name, const char* captionId)
{
    // The caption holds the id of its text until the window loads.
    QAction* a = menu->addAction(QString::fromLatin1(captionId));
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    QMenu* mnuFile = bar->addMenu(QStringLiteral("1000"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    QAction* mnuFileNew = menuItem(mnuFile, "mnuFileNew", "1001");
    mnuFileNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* mnuFileOpen = menuItem(mnuFile, "mnuFileOpen", "1002");
    QAction* mnuFileClose = menuItem(mnuFile, "mnuFileClose", "1003");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar0"));
    QAction* mnuFileSave = menuItem(mnuFile, "mnuFileSave", "1004");
    QAction* mnuFileSaveAs = menuItem(mnuFile, "mnuFileSaveAs", "1005");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar1"));
    QAction* mnuFileProperties = menuItem(mnuFile, "mnuFileProperties", "1006");
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar2"));
    QAction* mnuExit = menuItem(mnuFile, "mnuExit", "1197");

    QMenu* mnuLanguage = bar->addMenu(QStringLiteral("1800"));
    mnuLanguage->setObjectName(QStringLiteral("mnuLanguage"));
    mnuGerman_ = menuItem(mnuLanguage, "mnuGerman", "1801");
    mnuEnglish_ = menuItem(mnuLanguage, "mnuEnglish", "1802");
    mnuGerman_->setCheckable(true);
    mnuEnglish_->setCheckable(true);

    QMenu* mnuHelp = bar->addMenu(QStringLiteral("1008"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction* mnuHelpApp = menuItem(mnuHelp, "mnuHelpApp", "1821");
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuFilebar5"));
    QAction* mnuHelpAbout = menuItem(mnuHelp, "mnuHelpAbout", "1009");

    connect(mnuFileNew, &QAction::triggered, this, [this] { mnuFileNew_Click(); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpen_Click(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { mnuFileSaveAs_Click(); });
    connect(mnuFileClose, &QAction::triggered, this, [this] { mnuFileClose_Click(); });
    connect(mnuFileProperties, &QAction::triggered, this, [this] { mnuFileProperties_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExit_Click(0); });
    // A checkable item flips its own tick when chosen; the ticks belong to the
    // window's build alone, so the flip is undone before the handler runs
    // (choosing the language in force must leave its tick in place).
    connect(mnuGerman_, &QAction::triggered, this, [this](bool checked) {
        mnuGerman_->setChecked(!checked);
        mnuGerman_Click();
    });
    connect(mnuEnglish_, &QAction::triggered, this, [this](bool checked) {
        mnuEnglish_->setChecked(!checked);
        mnuEnglish_Click();
    });
    connect(mnuHelpApp, &QAction::triggered, this, [this] { mnuHelpApp_Click(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
}

void frmMain::buildToolbar(QWidget* client)
{
    tbToolBar_ = new QToolBar(client);
    tbToolBar_->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar_->setMovable(false);
    struct Button {
        const char* key;
        const char* tooltipId;
        QStyle::StandardPixmap image;
    };
    const Button buttons[] = {
        {"Neu", "1010", QStyle::SP_FileIcon},
        {"Öffnen", "1011", QStyle::SP_DialogOpenButton},
        {"Speichern", "1012", QStyle::SP_DialogSaveButton},
    };
    for (const Button& b : buttons) {
        const QString key = QString::fromUtf8(b.key);
        QAction* a = tbToolBar_->addAction(style()->standardIcon(b.image), key);
        a->setObjectName(QStringLiteral("tbButton_") + key);
        a->setData(key);
        a->setToolTip(QString::fromLatin1(b.tooltipId));
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
    tbToolBar_->addSeparator();
    // The Exit button's caption is the same in both languages.
    auto* Command2 = new QPushButton(QStringLiteral("Exit"), tbToolBar_);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    tbToolBar_->addWidget(Command2);
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    tbToolBar_->setGeometry(0, 0, twipsToPixels(8835), tbToolBar_->sizeHint().height());
}

void frmMain::Form_Load()
{
    Guard g("frmMain", "Form_Load", "Private Sub Form_Load()");
    // The configurator's handlers ignore the selection changes of the build.
    if (!g.step([&] { state_.config.gConfEventsAus = True; }))
        return;
    // A stored value that cannot be read is damage of its key alone: the key
    // takes its default, the user hears which key of which file it was, and
    // nothing is written before OK in the options or Exit.
    std::vector<std::string> damaged;
    if (!g.step([&] { damaged = LoadIni(state_.settings, services_.settings); }))
        return;
    for (const std::string& key : damaged)
        if (!g.step([&] {
                services_.messages.show({settingsKeyDamagedMessage(services_.settings, key, state_.ui.gSprachOffset),
                                         {}, MessageIcon::Exclamation});
            }))
            return;
    if (!g.step([&] { LoadResstrings(this, state_.ui.gSprachOffset); }))
        return;
    if (!g.step([&] {
            const bool german = state_.ui.gSprachOffset == OffsetGerman;
            mnuGerman_->setChecked(german);
            mnuEnglish_->setChecked(!german);
        }))
        return;
    const PlacementKey keys[] = {PlacementKey::Left, PlacementKey::Top, PlacementKey::Width, PlacementKey::Height};
    for (const PlacementKey key : keys) {
        if (!g.step([&] {
                const int pixels = twipsToPixels(loadPlacementValue(services_.settings, key));
                switch (key) {
                case PlacementKey::Left: move(pixels, y()); break;
                case PlacementKey::Top: move(x(), pixels); break;
                case PlacementKey::Width: resize(pixels, height()); break;
                case PlacementKey::Height: resize(width(), pixels); break;
                }
            }))
            return;
    }
    // A position off every screen (a screen since removed) comes back onto
    // the primary one, title bar first.
    if (!g.step([&] {
            std::vector<ScreenRect> screens;
            for (const QScreen* s : QGuiApplication::screens()) {
                const QRect a = s->availableGeometry();
                screens.push_back({a.x(), a.y(), a.width(), a.height()});
            }
            const QScreen* primary = QGuiApplication::primaryScreen();
            if (primary == nullptr)
                return;
            const QRect a = primary->availableGeometry();
            const ScreenRect placed = keepOnScreen({x(), y(), width(), height()}, screens,
                                                   {a.x(), a.y(), a.width(), a.height()}, kTitleGripPixels);
            move(placed.left, placed.top);
        }))
        return;
    if (!pages_->setConfiguratorTexts(g) || !pages_->fillLists(g))
        return;
    if (!g.step([&] { pages_->ResetOberflaeche(); }))
        return;
    if (!g.step([&] { pages_->Check4->setEnabled(true); }))
        return;
    // A new window shows the default inputs, so it must not keep the file name
    // of the window it replaces: a plain Save would write those defaults over
    // that file. It forgets the name as New does (a language switch gives it
    // back together with the inputs of the window replaced).
    if (!g.step([&] {
            state_.doc.gDateiname.clear();
            fileNamePanel_->showPath({});
        }))
        return;
    if (!g.step([&] { state_.config.gConfEventsAus = False; }))
        return;
}

void frmMain::Form_Unload(std::int16_t& Cancel)
{
    Guard g("frmMain", "Form_Unload", "Private Sub Form_Unload(Cancel As Integer)", {{"Cancel", TraceValue(Cancel)}});
    // Every other window of the program, from the last opened to the first.
    if (!g.step([&] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
                QWidget* w = *it;
                if (w != this && w->isVisible() && !qobject_cast<QMenu*>(w))
                    w->close();
            }
        }))
        return;
    if (isMinimized())
        return;
    // The placement is no data of the user's: a store that cannot take it is
    // told on standard error only, and the program ends as asked.
    if (!g.step([&] {
            if (!saveMainPlacement({x() * TwipsPerPixel, y() * TwipsPerPixel, width() * TwipsPerPixel,
                                    height() * TwipsPerPixel},
                                   services_.settings))
                std::cerr << "morvane: the window placement could not be stored in "
                          << services_.settings.fileName(kProgramTitle) << "\n";
        }))
        return;
}

void frmMain::Command2_Click()
{
    Guard g("frmMain", "Command2_Click", "Private Sub Command2_Click()");
    // The user's data that cannot be stored are named before the program ends.
    bool stored = false;
    if (!g.step([&] { stored = SaveIni(state_.settings, services_.settings); }))
        return;
    if (!stored &&
        !g.step([&] {
            services_.messages.show({settingsNotStoredMessage(services_.settings, state_.ui.gSprachOffset), {},
                                     MessageIcon::Exclamation});
        }))
        return;
    if (!g.step([&] { close(); }))
        return;
}

void frmMain::mnuExit_Click(std::int16_t Index)
{
    Guard g("frmMain", "mnuExit_Click", "Private Sub mnuExit_Click(Index As Integer)", {{"Index", TraceValue(Index)}});
    if (!g.step([&] { close(); }))
        return;
}

// The file commands register with the tracer under these handlers' names.
void frmMain::mnuFileNew_Click() { files_->mnuFileNew_Click(); }
void frmMain::mnuFileOpen_Click() { files_->mnuFileOpen_Click(); }
// Save leaves a configuration value box first: a value its field does not take
// is reported before it is written.
void frmMain::mnuFileSave_Click()
{
    pages_->configPage()->leaveValueBox();
    files_->mnuFileSave_Click();
}
void frmMain::mnuFileSaveAs_Click()
{
    pages_->configPage()->leaveValueBox();
    files_->mnuFileSaveAs_Click();
}

// Close puts the calculation away and starts a new one, as New does.
void frmMain::mnuFileClose_Click()
{
    Guard g("frmMain", "mnuFileClose_Click", "Private Sub mnuFileClose_Click()");
    g.step([&] { files_->mnuFileNew_Click(); });
}

void frmMain::mnuFileProperties_Click()
{
    Guard g("frmMain", "mnuFileProperties_Click", "Private Sub mnuFileProperties_Click()");
    if (!g.step([&] {
            frmOptions options(state_.settings, services_.settings, services_.messages, state_.ui.gSprachOffset, this);
            options.exec();
        }))
        return;
}

void frmMain::showDateAndTime()
{
    const auto since = services_.clock.now().time_since_epoch();
    const QDateTime now =
        QDateTime::fromMSecsSinceEpoch(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    const QLocale locale;
    datePanel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    timePanel_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

void frmMain::showHelpPage()
{
    const std::filesystem::path page = services_.programFolder / "Hilfe" / "help.html";
    std::error_code ec;
    if (std::filesystem::is_regular_file(page, ec))
        openDocument(services_.shell, services_.messages, page.string(), state_.ui.gSprachOffset);
    else
        services_.messages.show({std::string("Did not find help file: ") + kHelpPage + "!", kProgramTitle});
}

void frmMain::mnuHelpApp_Click()
{
    Guard g("frmMain", "mnuHelpApp_Click", "Private Sub mnuHelpApp_Click()");
    if (!g.step([&] { showHelpPage(); }))
        return;
}

void frmMain::mnuHelpAbout_Click()
{
    Guard g("frmMain", "mnuHelpAbout_Click", "Private Sub mnuHelpAbout_Click()");
    if (!g.step([&] {
            frmAbout about(services_, state_.ui.gSprachOffset, this);
            about.exec();
        }))
        return;
}

void frmMain::mnuGerman_Click()
{
    Guard g("frmMain", "mnuGerman_Click", "Private Sub mnuGerman_Click()");
    if (!g.step([&] {
            if (state_.ui.gSprachOffset != OffsetGerman) {
                state_.ui.gSprachOffset = OffsetGerman;
                languageSwitch_.subgChangeLanguage();
            }
        }))
        return;
}

void frmMain::mnuEnglish_Click()
{
    Guard g("frmMain", "mnuEnglish_Click", "Private Sub mnuEnglish_Click()");
    if (!g.step([&] {
            if (state_.ui.gSprachOffset != OffsetEnglish) {
                state_.ui.gSprachOffset = OffsetEnglish;
                languageSwitch_.subgChangeLanguage();
            }
        }))
        return;
}

void frmMain::Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift)
{
    Guard g("frmMain", "Form_KeyDown", "Private Sub Form_KeyDown(KeyCode As Integer, Shift As Integer)",
            {{"KeyCode", TraceValue(KeyCode)}, {"Shift", TraceValue(Shift)}});
    // F1 opens the help page whatever the shift state.
    if (KeyCode != vbKeyF1)
        return;
    if (!g.step([&] { showHelpPage(); }))
        return;
}

void frmMain::tbToolBar_ButtonClick(const QString& key)
{
    Guard g("frmMain", "tbToolBar_ButtonClick", "Private Sub tbToolBar_ButtonClick(ByVal Button As MSComctlLib.Button)",
            {{"Button", TraceValue::object("Button")}});
    if (!g.step([&] {
            if (key == QLatin1String("Neu"))
                mnuFileNew_Click();
            else if (key == QString::fromUtf8("Öffnen"))
                mnuFileOpen_Click();
            else if (key == QLatin1String("Speichern"))
                mnuFileSave_Click();
        }))
        return;
}

void frmMain::setVisible(bool visible)
{
    // Loads before the window system sees the window: the stored position is
    // that of the frame, and only a window not yet created is placed by its
    // frame (once it stands, a move places its client area, which would put
    // the frame higher by the title bar at every start).
    if (visible && !loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QMainWindow::setVisible(visible);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    std::int16_t Cancel = 0;
    Form_Unload(Cancel);
    if (Cancel != 0)
        event->ignore();
    else
        event->accept();
}

void frmMain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        Form_KeyDown(vbKeyF1, shiftState(event->modifiers()));
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace morvane
