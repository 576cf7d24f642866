#include "tracing/qt/ErrorDialogWindow.h"

#include "platform/qt/Twips.h"
#include "tracing/ErrorDialogTexts.h"
#include "tracing/ErrorProtocol.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace morvane {

namespace {

// Design sizes in twips.
// Wide enough for four buttons that hold "Goto Next Command" in the window font.
constexpr int FrameWidth = 7695;
constexpr int CommentHeight = 975;
constexpr int FehlerHeight = 1575;
constexpr int ProtocolHeight = 735;
constexpr int ContinueHeight = 855;
constexpr int CallStackHeight = 1695;
constexpr std::array<int, 4> TitleTops = {240, 720, 960, 1200};
constexpr std::array<int, 4> ButtonLefts = {120, 1995, 3870, 5745};
constexpr int ButtonWidth = 1815;

QGroupBox* frame(QWidget* parent, const char* name, const char* caption, int height)
{
    auto* f = new QGroupBox(QString::fromUtf8(caption), parent);
    f->setObjectName(QString::fromUtf8(name));
    f->setGeometry(twipsRect(0, 0, FrameWidth, height));
    return f;
}

void moveFrame(QWidget* f, int topTwips)
{
    f->move(0, twipsToPixels(topTwips));
}

}  // namespace

ErrorDialogWindow::ErrorDialogWindow(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("ErrPtnr"));
    setWindowTitle(QString::fromUtf8(errtext::DesignCaption));
    // The font the twip layout was designed for, as in every other window of
    // the program (the program maps the family to a metric-compatible one).
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setModal(true);

    framComment_ = frame(this, "framComment", "", CommentHeight);
    lblComment_ = new QLabel(framComment_);
    lblComment_->setObjectName(QStringLiteral("lblComment"));
    lblComment_->setGeometry(twipsRect(120, 120, 6975, 855));
    lblComment_->setWordWrap(true);
    lblComment_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = lblComment_->font();
    bold.setBold(true);
    lblComment_->setFont(bold);
    QPalette red = lblComment_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblComment_->setPalette(red);

    framFehler_ = frame(this, "framFehler", errtext::FehlerFrame, FehlerHeight);
    for (std::size_t i = 0; i < 4; ++i) {
        auto* title = new QLabel(QString::fromUtf8(errtext::ErrTitel[i]), framFehler_);
        title->setObjectName(QStringLiteral("lblErrTitel%1").arg(i));
        title->move(twipsToPixels(960), twipsToPixels(TitleTops[i]));
        title->adjustSize();
        lblErrTitel_[i] = title;

        auto* value = new QLabel(framFehler_);
        value->setObjectName(QStringLiteral("lblError%1").arg(i));
        value->setFrameStyle(QFrame::Box | QFrame::Plain);
        value->setAutoFillBackground(true);
        QPalette white = value->palette();
        white.setColor(QPalette::Window, Qt::white);
        white.setColor(QPalette::WindowText, Qt::black);
        value->setPalette(white);
        value->setTextFormat(Qt::PlainText);
        value->move(twipsToPixels(2040), twipsToPixels(TitleTops[i]));
        if (i == 0) {
            // Room for a description wrapped over two lines.
            value->setGeometry(twipsRect(2040, TitleTops[0], 5085, 495));
            value->setWordWrap(true);
            value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        lblError_[i] = value;
    }

    framProtocol_ = frame(this, "framProtocol", errtext::ProtocolFrame, ProtocolHeight);
    for (std::size_t i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(errtext::ProtocolButtons[i]), framProtocol_);
        b->setObjectName(QStringLiteral("cmdProtocol%1").arg(i));
        b->setGeometry(twipsRect(ButtonLefts[i], 240, ButtonWidth, 375));
        b->setAutoDefault(false);
        const auto index = static_cast<std::int16_t>(i);
        connect(b, &QPushButton::clicked, this, [this, index] { emit protocolClicked(index); });
        cmdProtocol_[i] = b;
    }

    framContinue_ = frame(this, "framContinue", errtext::ContinueFrame, ContinueHeight);
    for (std::size_t i = 0; i < 4; ++i) {
        auto* b = new QPushButton(QString::fromUtf8(errtext::ContinueButtons[i]), framContinue_);
        b->setObjectName(QStringLiteral("cmdContinue%1").arg(i));
        b->setGeometry(twipsRect(ButtonLefts[i], 240, ButtonWidth, 495));
        b->setAutoDefault(false);
        const auto index = static_cast<std::int16_t>(i);
        connect(b, &QPushButton::clicked, this, [this, index] { cmdContinue_Click(index); });
        cmdContinue_[i] = b;
    }

    // The trace list lies below the sized window and stays hidden.
    framCallStack_ = frame(this, "framCallStack", errtext::CallStackFrame, CallStackHeight);
    moveFrame(framCallStack_, CommentHeight + FehlerHeight + ProtocolHeight + ContinueHeight);
    framCallStack_->hide();
    lstCallStack_ = new QListWidget(framCallStack_);
    lstCallStack_->setObjectName(QStringLiteral("lstCallStack"));
    lstCallStack_->setGeometry(twipsRect(120, 240, 6975, 1155));
}

void ErrorDialogWindow::showError(const ErrorReport& report)
{
    const auto values = errorValueTexts(report);
    for (std::size_t i = 0; i < 4; ++i) {
        lblError_[i]->setText(QString::fromStdString(values[i]));
        if (i > 0)
            lblError_[i]->adjustSize();
    }
    setWindowTitle(QString::fromStdString(report.caption));
}

void ErrorDialogWindow::ArrangeFrames(std::int16_t ContBits)
{
    int top = 0;
    framComment_->setVisible(true);
    moveFrame(framComment_, 0);
    top = CommentHeight;
    lblComment_->setText(QString::fromUtf8(errtext::Comment));

    framFehler_->setVisible(true);
    moveFrame(framFehler_, top);
    top += FehlerHeight;
    framProtocol_->setVisible(true);
    moveFrame(framProtocol_, top);
    top += ProtocolHeight;

    cmdProtocol_[ErrorProtocol::Print]->setVisible(true);
    cmdProtocol_[ErrorProtocol::EMail]->setVisible(true);
    cmdProtocol_[ErrorProtocol::Save]->setVisible(false);
    cmdProtocol_[ErrorProtocol::WWW]->setVisible(false);

    moveFrame(framContinue_, top);
    top += ContinueHeight;
    for (std::size_t i = 0; i < 4; ++i)
        cmdContinue_[i]->setVisible((ContBits & (1 << i)) != 0);

    // The inner area is exactly one frame wide and the frames high; the window
    // decoration comes on top.
    setFixedSize(twipsToPixels(FrameWidth), twipsToPixels(top));
    centre();
}

void ErrorDialogWindow::centre()
{
    // Left = (screen width - window width) / 2, the same for the top, with the
    // window's outer size; before the first showing the decoration is not
    // known yet, so showEvent centres again.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        const QSize outer = frameGeometry().size();
        move(s.left() + (s.width() - outer.width()) / 2, s.top() + (s.height() - outer.height()) / 2);
    }
}

void ErrorDialogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centre();
}

void ErrorDialogWindow::FillCallStackList(const std::deque<std::string>& colCallStack)
{
    lstCallStack_->clear();
    for (const auto& entry : colCallStack)
        lstCallStack_->addItem(QString::fromStdString(entry));
}

std::vector<std::string> ErrorDialogWindow::callStackItems() const
{
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(lstCallStack_->count()));
    for (int i = 0; i < lstCallStack_->count(); ++i)
        items.push_back(lstCallStack_->item(i)->text().toStdString());
    return items;
}

void ErrorDialogWindow::cmdContinue_Click(std::int16_t Index)
{
    choice_ = Index;
    // Hidden, not destroyed: the wait in OnError ends.
    accept();
}

void ErrorDialogWindow::keyPressEvent(QKeyEvent* event)
{
    // The window has no cancel button: Escape makes no choice and does not
    // close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace morvane
