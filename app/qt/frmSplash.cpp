#include "app/qt/frmSplash.h"

#include "common/ProgramIdentity.h"
#include "common/qt/LoadResstrings.h"
#include "common/qt/PlainLabel.h"
#include "common/qt/ProgramPicture.h"
#include "common/qt/WindowFonts.h"
#include "platform/qt/Twips.h"
#include "tracing/Guard.h"

#include <QFrame>
#include <QLabel>
#include <QGuiApplication>
#include <QScreen>

namespace morvane {

frmSplash::frmSplash(std::int32_t sprachOffset, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), sprachOffset_(sprachOffset)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(arialFont(10.0));
    setFixedSize(twipsToPixels(7200), twipsToPixels(4080));
    // In the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("Frame1"));
    border->setFrameShape(QFrame::Box);
    border->setGeometry(rect());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(twipsRect(240, 240, 2400, 2400));
    picture->setPixmap(programPicture(picture->width()));

    taggedLabel(this, "Label1", "1020", twipsRect(2880, 360, 4080, 480));
    taggedLabel(this, "Label2", "1034", twipsRect(2880, 900, 4080, 300));
    taggedLabel(this, "Label5", "1036", twipsRect(2880, 1380, 4080, 1200));
    const MakerTexts& maker = makerTexts();
    taggedLabel(this, "Label3", nullptr, twipsRect(240, 2880, 6720, 300),
                QString::fromStdString(maker.name + " · " + maker.web));
    taggedLabel(this, "Label4", nullptr, twipsRect(240, 3240, 6720, 300), QString::fromStdString(copyrightNotice()));
    taggedLabel(this, "Label6", nullptr, twipsRect(240, 3600, 6720, 300),
                QString::fromStdString(warrantyNotice(sprachOffset_)));
}

void frmSplash::Form_Load()
{
    Guard g("frmSplash", "Form_Load", "Private Sub Form_Load()");
    if (!g.step([&] { LoadResstrings(this, sprachOffset_); }))
        return;
}

void frmSplash::showEvent(QShowEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QWidget::showEvent(event);
}

}  // namespace morvane
