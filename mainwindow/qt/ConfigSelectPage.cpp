#include "mainwindow/qt/ConfigSelectPage.h"

#include "common/DocumentOpen.h"
#include "common/ProgramIdentity.h"
#include "common/ResourceTexts.h"
#include "common/qt/CodeEvents.h"
#include "common/qt/PlainLabel.h"
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "configurator/TypeCode.h"
#include "mainwindow/qt/ValueEntryBinding.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include <algorithm>
#include <span>
#include <system_error>

namespace morvane {

namespace {

constexpr const char* kModule = "frmMain";

// Rows are 400 twips apart; eight of them stand in view at the end of the
// scroll range.
constexpr int RowPitch = 400;
constexpr int RowsInView = 8;

// How long the status bar says that an incomplete code was copied.
constexpr int IncompleteCopyNoticeMs = 30000;

// The type information box's design text.
constexpr const char* kTypeInfoDesign = "NONE\r\n";

// Code box colours: complete green (&HFF00), incomplete red (&HFF).
const QColor kCodeComplete(0, 255, 0);
const QColor kCodeIncomplete(255, 0, 0);

void setBaseColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::All, QPalette::Base, colour);
    w->setPalette(p);
}

QLineEdit* box(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(twipsRect(x, y, w, h));
    return b;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setGeometry(twipsRect(x, y, w, h));
    return b;
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

QString rowName(const char* control, int i) { return QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(i); }

}  // namespace

ConfigSelectPage::ConfigSelectPage(QWidget* p, ProgramState& state, MessageBoxSink& messages)
    : QObject(p), state_(state), messages_(messages)
{
    setObjectName(QStringLiteral("ConfigSelectPage"));
    QFont bold = p->font();
    bold.setBold(true);

    txtTypeInfo = box(p, "txtTypeInfo", 120, 120, 8295, 315);
    txtTypeInfo->setReadOnly(true);
    txtTypeInfo->setText(QString::fromLatin1(kTypeInfoDesign));
    // Two lines: the models' descriptions are longer than the page is wide.
    txtTypeDesc = new QPlainTextEdit(p);
    txtTypeDesc->setObjectName(QStringLiteral("txtTypeDesc"));
    txtTypeDesc->setGeometry(twipsRect(120, 480, 8295, 555));
    txtTypeDesc->setReadOnly(true);
    txtTypeDesc->setFont(bold);
    txtTypeDesc->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtTypeDesc->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtTypeDesc->document()->setDocumentMargin(2);
    setBaseColour(txtTypeDesc, QApplication::palette(txtTypeDesc).color(QPalette::Active, QPalette::Button));
    txtCodeDisplay = box(p, "txtCodeDisplay", 120, 1095, 5640, 315);
    txtCodeDisplay->setReadOnly(true);
    txtCodeDisplay->setFont(bold);
    cmdCopyKey = button(p, "cmdCopyKey", {}, 5880, 1095, 2535, 315);

    fraConfigSelect = new QGroupBox(p);
    fraConfigSelect->setObjectName(QStringLiteral("fraConfigSelect"));
    fraConfigSelect->setGeometry(twipsRect(120, 1500, 8295, 5055));

    scrVertScroll = new QScrollBar(Qt::Vertical, fraConfigSelect);
    scrVertScroll->setObjectName(QStringLiteral("scrVertScroll"));
    scrVertScroll->setGeometry(twipsRect(0, 0, 255, 5055));
    scrVertScroll->setSingleStep(RowPitch);
    scrVertScroll->setPageStep(RowsInView * RowPitch);
    setScrollRange(0);

    imgDrawing = new QLabel(fraConfigSelect);
    imgDrawing->setObjectName(QStringLiteral("imgDrawing"));
    imgDrawing->setGeometry(twipsRect(6480, 0, 1815, 1815));
    imgDrawing->setScaledContents(true);
    lblDrawings = plainLabel(fraConfigSelect, "lblDrawings");
    lblDrawings->setGeometry(twipsRect(6480, 1920, 1815, 255));
    cmdJPGShow = button(fraConfigSelect, "cmdJPGShow", QStringLiteral("JPG"), 6480, 2160, 1815, 255);
    cmdPDFShow = button(fraConfigSelect, "cmdPDFShow", QStringLiteral("PDF"), 6480, 2400, 1815, 255);
    cmdPDFShow->setToolTip(QStringLiteral("Display Drawing"));
    for (QWidget* w : std::initializer_list<QWidget*>{lblDrawings, cmdJPGShow, cmdPDFShow})
        w->hide();

    valueEntry_ = new ValueEntryBinding(state_.config, state_.ui.gSprachOffset, messages_,
                                        [this](int i) { cmbConfField_Click(i); }, this);

    // Row 0 is part of the design, hidden.
    addRowElement();
    fraConfigSelect->hide();

    // A new window has no rows in use.
    state_.config.gConfFeldAnzahl = 0;

    connect(cmdCopyKey, &QPushButton::clicked, this, [this] { cmdCopyKey_Click(); });
    connect(cmdJPGShow, &QPushButton::clicked, this, [this] { cmdJPGShow_Click(); });
    connect(cmdPDFShow, &QPushButton::clicked, this, [this] { cmdPDFShow_Click(); });
    connect(scrVertScroll, &QScrollBar::valueChanged, this, [this] { scrVertScroll_Change(); });
}

void ConfigSelectPage::setServices(const ConfiguratorServices& services) { services_.emplace(services); }

QString ConfigSelectPage::text(std::int32_t id) const
{
    return QString::fromStdString(resText(id, state_.ui.gSprachOffset));
}

QComboBox* ConfigSelectPage::cmbConfField(int i) const
{
    return i >= 0 && i < loadedRows() ? rows_[static_cast<std::size_t>(i)].list : nullptr;
}

QLineEdit* ConfigSelectPage::txtValueEntry(int i) const
{
    return i >= 0 && i < loadedRows() ? rows_[static_cast<std::size_t>(i)].entry : nullptr;
}

QLabel* ConfigSelectPage::lblEntryInfo(int i) const
{
    return i >= 0 && i < loadedRows() ? rows_[static_cast<std::size_t>(i)].label : nullptr;
}

// ---------------------------------------------------------------------------
// Rows

void ConfigSelectPage::addRowElement()
{
    const int i = loadedRows();
    Row r{};
    r.list = newList(fraConfigSelect, rowName("cmbConfField", i).toLatin1().constData());
    r.entry = new QLineEdit(fraConfigSelect);
    r.entry->setObjectName(rowName("txtValueEntry", i));
    r.label = plainLabel(fraConfigSelect, rowName("lblEntryInfo", i).toLatin1().constData());
    r.label->setWordWrap(true);
    r.label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QWidget* w : std::initializer_list<QWidget*>{r.list, r.entry, r.label})
        w->hide();
    // Below the drawing controls, which stand over the rows' right end.
    for (QWidget* w : std::initializer_list<QWidget*>{r.list, r.entry, r.label})
        w->stackUnder(imgDrawing);
    onClick(r.list, [this, i] { cmbConfField_Click(i); });
    valueEntry_->bind(i, r.entry);
    rows_.push_back(r);
    placeRows();
}

void ConfigSelectPage::placeRows()
{
    const int v = scrVertScroll->value();
    for (int i = 0; i < loadedRows(); ++i) {
        const Row& r = rows_[static_cast<std::size_t>(i)];
        const int top = i * RowPitch - v;
        r.list->setGeometry(twipsRect(360, top, 4335, 315));
        r.entry->setGeometry(twipsRect(4800, top, 855, 285));
        r.label->setGeometry(twipsRect(5760, top, 6480 - 5760 - 60, 615));
    }
}

void ConfigSelectPage::showRow(int n)
{
    while (loadedRows() <= n)
        addRowElement();
    const Row& r = rows_[static_cast<std::size_t>(n)];
    r.list->clear();
    r.list->show();
    r.entry->clear();
    r.label->clear();
}

void ConfigSelectPage::unloadRows()
{
    for (const Row& r : rows_) {
        r.list->hide();
        r.list->clear();
        scrVertScroll->setValue(0);
        r.entry->hide();
        r.label->hide();
        r.label->clear();
        r.entry->clear();
        setBaseColour(r.entry, QColor(255, 255, 255));
    }
}

void ConfigSelectPage::setScrollRange(int rowsInUse)
{
    // Never below 0: with all rows in view there is nothing to scroll.
    const int max = std::max(0, (rowsInUse - RowsInView) * RowPitch);
    scrVertScroll->setRange(0, max);
    scrVertScroll->setEnabled(max > 0);
}

void ConfigSelectPage::restoreListIndex(int i, int k)
{
    QComboBox* list = cmbConfField(i);
    if (!list)
        return;
    if (k < 0 || k >= list->count()) {
        // An index from older data or an edited file: the row stays on its
        // caption, and the code cannot be complete.
        restoreRejected_ = true;
        k = 0;
    }
    setListIndex(list, k);
}

void ConfigSelectPage::rebuildAfterRestore()
{
    cmbConfField_Click(0);
    if (restoreRejected_)
        colourCode(false);
    restoreRejected_ = false;
}

// ---------------------------------------------------------------------------
// The model load of the element-type list

void ConfigSelectPage::loadModel(const std::string& model)
{
    ConfigZustand& z = state_.config;
    fraConfigSelect->show();
    z.gConfEventsAus = True;
    z.gSondentyp = model;
    restoreRejected_ = false;
    if (services_) {
        ConfigEnvironment env{services_->databases, messages_, state_.settings.gUserMSCode};
        const ConfigModel m = fncgChangeConfigSensor(z, env, model, state_.ui.gSprachKuerzel);
        unloadRows();
        const int n = static_cast<int>(m.rows.size());
        for (int f = 0; f < n; ++f)
            showRow(f);
        setScrollRange(n);
        scrVertScroll->setValue(0);
        for (int f = 0; f < n; ++f) {
            const ConfigRow& row = m.rows[static_cast<std::size_t>(f)];
            QComboBox* list = cmbConfField(f);
            QStringList items{QString::fromStdString(row.caption)};
            for (const ConfigOption& o : row.options)
                items << QString::fromStdString(o.text);
            fillList(list, items);
            list->setToolTip(QString::fromStdString(row.caption));
            setListIndex(list, 0);
        }
        if (m.typeInfo)
            txtTypeInfo->setText(QString::fromStdString(*m.typeInfo));
        if (m.typeDescription)
            txtTypeDesc->setPlainText(QString::fromStdString(*m.typeDescription));
        if (m.descriptionToInitial)
            txtTypeDesc->setPlainText(text(1832));
        placeRows();
    }
    z.gConfEventsAus = False;
    cmbConfField_Click(0);
}

// ---------------------------------------------------------------------------
// Handlers

void ConfigSelectPage::cmbConfField_Click(int Index)
{
    Guard g(kModule, "cmbConfField_Click", "Private Sub cmbConfField_Click(Index As Integer)",
            {{"Index", TraceValue(static_cast<std::int16_t>(Index))}});
    ConfigZustand& z = state_.config;
    if (isTrue(z.gConfEventsAus))
        return;
    if (!g.step([&] { txtCodeDisplay->clear(); }))
        return;
    // The rows in use; a count beyond the rows on the page (none loaded yet)
    // counts only those there are.
    const int n = std::clamp<int>(z.gConfFeldAnzahl, 0, loadedRows());
    std::vector<int> listIndex(static_cast<std::size_t>(n));
    std::vector<std::string> typed(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        listIndex[static_cast<std::size_t>(i)] = cmbConfField(i)->currentIndex();
        typed[static_cast<std::size_t>(i)] = txtValueEntry(i)->text().toStdString();
    }
    // The value box and label of the row clicked.
    if (!g.step([&] {
            if (Index < 0 || Index >= n)
                return;
            const ValueEntryRow shows =
                valueEntryRow(z.gConfFelder[static_cast<std::size_t>(Index)], listIndex[static_cast<std::size_t>(Index)]);
            txtValueEntry(Index)->setVisible(shows.entryVisible);
            QLabel* label = lblEntryInfo(Index);
            if (shows.entryVisible && shows.labelVisible) {
                label->setText(text(shows.labelStringID));
                label->show();
            } else {
                label->hide();
                if (shows.entryVisible)
                    label->clear();
            }
        }))
        return;
    if (!g.step([&] {
            const TypeCode code = assembleTypeCode(
                std::span<const ConfigField>(z.gConfFelder).first(static_cast<std::size_t>(n)), listIndex, typed,
                PipeValues{state_.calc.gInnendurchmesser, state_.calc.gWandstaerke},
                QLocale().decimalPoint().at(0).toLatin1(), entryRules(z));
            txtCodeDisplay->setText(QString::fromStdString(code.code));
            colourCode(code.complete);
        }))
        return;
    if (!g.step([&] { compileDrawing(listIndex); }))
        return;
}

void ConfigSelectPage::colourCode(bool complete)
{
    codeComplete_ = complete;
    setBaseColour(txtCodeDisplay, complete ? kCodeComplete : kCodeIncomplete);
}

void ConfigSelectPage::compileDrawing(const std::vector<int>& listIndex)
{
    Guard g(kModule, "sublCompileDrawingFileName", "Private Sub sublCompileDrawingFileName()");
    if (!services_)
        return;
    ConfigZustand& z = state_.config;
    if (!g.step([&] { sublCompileDrawingFileName(z, services_->programFolder, listIndex); }))
        return;
    if (!g.step([&] { cmdPDFShow->setVisible(fileExists(z.gPdfDatei)); }))
        return;
    g.step([&] {
        const bool jpg = fileExists(z.gJpgDatei);
        // A file that does not decode shows an empty picture; the buttons
        // follow the files' existence.
        QPixmap picture;
        if (jpg && picture.load(QString::fromStdString(z.gJpgDatei)))
            imgDrawing->setPixmap(picture);
        else
            imgDrawing->clear();
        cmdJPGShow->setVisible(jpg);
        lblDrawings->setVisible(jpg);
    });
}

void ConfigSelectPage::txtValueEntry_Change(int Index)
{
    valueEntry_->entry().txtValueEntry_Change(static_cast<std::int16_t>(Index));
}

void ConfigSelectPage::txtValueEntry_LostFocus(int Index)
{
    valueEntry_->entry().txtValueEntry_LostFocus(static_cast<std::int16_t>(Index));
}

void ConfigSelectPage::leaveValueBox() { valueEntry_->leaveFocusedBox(); }

void ConfigSelectPage::cmdCopyKey_Click()
{
    Guard g(kModule, "cmdCopyKey_Click", "Private Sub cmdCopyKey_Click()");
    if (!g.step([&] { leaveValueBox(); }))
        return;
    if (!g.step([&] {
            if (services_)
                services_->clipboard.setText((txtTypeInfo->text() + txtCodeDisplay->text()).toStdString());
        }))
        return;
    // The code is copied as it stands; an incomplete one with a word in the
    // status bar.
    g.step([&] {
        auto* frame = qobject_cast<QMainWindow*>(fraConfigSelect->window());
        if (!frame)
            return;
        if (codeComplete_)
            frame->statusBar()->clearMessage();
        else
            frame->statusBar()->showMessage(text(1981), IncompleteCopyNoticeMs);
    });
}

void ConfigSelectPage::scrVertScroll_Change()
{
    Guard g(kModule, "scrVertScroll_Change", "Private Sub scrVertScroll_Change()");
    g.step([&] { placeRows(); });
}

void ConfigSelectPage::showDrawing(const std::string& path)
{
    // The file may have gone since the lookup.
    if (!fileExists(path)) {
        messages_.show({"Did not find file: " + path + "!", kProgramTitle});
        return;
    }
    // Where no program takes the file, a message names it.
    openDocument(services_->shell, messages_, path, state_.ui.gSprachOffset);
}

void ConfigSelectPage::cmdJPGShow_Click()
{
    Guard g(kModule, "cmdJPGShow_Click", "Private Sub cmdJPGShow_Click()");
    g.step([&] {
        if (services_)
            showDrawing(state_.config.gJpgDatei);
    });
}

void ConfigSelectPage::cmdPDFShow_Click()
{
    Guard g(kModule, "cmdPDFShow_Click", "Private Sub cmdPDFShow_Click()");
    g.step([&] {
        if (services_)
            showDrawing(state_.config.gPdfDatei);
    });
}

}  // namespace morvane
