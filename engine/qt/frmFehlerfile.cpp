#include "engine/qt/frmFehlerfile.h"

#include "common/qt/LoadResstrings.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QPushButton>
#include <QTextEdit>

namespace morvane {

namespace {

// Design in twips.
constexpr int ClientWidth = 6030;
constexpr int ClientHeight = 3585;

// Caption "Fehlermeldung!" / "ERROR!".
constexpr const char* CaptionTag = "1315";

}  // namespace

frmFehlerfile::frmFehlerfile(const UiZustand& ui) : QWidget(nullptr, Qt::Window), ui_(ui)
{
    setObjectName(QStringLiteral("frmFehlerfile"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    setProperty("Tag", QString::fromLatin1(CaptionTag));
    setFixedSize(twipsToPixels(ClientWidth), twipsToPixels(ClientHeight));

    RichTextBox1_ = new QTextEdit(this);
    RichTextBox1_->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1_->setGeometry(twipsRect(120, 120, 5775, 2895));
    RichTextBox1_->setReadOnly(true);

    Command1_ = new QPushButton(QStringLiteral("OK"), this);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setGeometry(twipsRect(4800, 3120, 1095, 375));
    Command1_->setFocus();
    connect(Command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmFehlerfile::Form_Load()
{
    Guard g("frmFehlerfile", "Form_Load", "Private Sub Form_Load()");
    if (!g.step([&] { LoadResstrings(this, ui_.gSprachOffset); }))
        return;
    g.step([&] { takeUpText(); });
}

void frmFehlerfile::takeUpText()
{
    RichTextBox1_->setPlainText(QString::fromStdString(ui_.gFehlertext));
}

void frmFehlerfile::Command1_Click()
{
    Guard g("frmFehlerfile", "Command1_Click", "Private Sub Command1_Click()");
    g.step([&] { close(); });
}

QtMessagesWindow::~QtMessagesWindow()
{
    delete window_.data();
}

void QtMessagesWindow::show()
{
    if (window_ == nullptr) {
        window_ = new frmFehlerfile(ui_);
        window_->Form_Load();
        window_->show();  // a new window comes up in front
        return;
    }
    window_->takeUpText();
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtMessagesWindow::close()
{
    // The window deletes itself once closed, later; a show meanwhile must load
    // a new one, not show the closing one again.
    frmFehlerfile* w = window_.data();
    window_ = nullptr;
    if (w != nullptr)
        w->close();
}

}  // namespace morvane
