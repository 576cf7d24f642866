#include "platform/qt/QtShellOpen.h"

#include <QDesktopServices>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>

namespace morvane {

namespace {

// The desktop's opener (freedesktop.org xdg-utils): exit status 0 when a
// program took the file, 1 to 4 when not (bad arguments, file not found, no
// tool for the desktop, the action failed).
constexpr const char* kOpener = "xdg-open";

}  // namespace

QtShellOpen::QtShellOpen() : openers_(std::make_unique<QObject>()) {}

QtShellOpen::~QtShellOpen()
{
    // Ending an opener emits its end; nobody is left to tell of it.
    for (QObject* opener : openers_->children())
        QObject::disconnect(opener, nullptr, nullptr, nullptr);
}

QUrl QtShellOpen::urlOf(const std::string& target)
{
    const QString t = QString::fromStdString(target);
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(t).hasMatch())
        return QUrl(t, QUrl::TolerantMode);
    return QUrl::fromLocalFile(t);
}

bool QtShellOpen::open(const std::string& target)
{
    if (target.empty())
        return false;
    return QDesktopServices::openUrl(urlOf(target));
}

void QtShellOpen::openDocument(const std::string& path, std::function<void()> failed)
{
    auto* opener = new QProcess(openers_.get());
    opener->setProgram(QString::fromLatin1(kOpener));
    opener->setArguments({QString::fromStdString(path)});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    // A crash is reported by errorOccurred and by finished; only a failed start
    // has no finished.
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, failed](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        opener->deleteLater();
        if (failed)
            failed();
    });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int exitCode, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if ((status != QProcess::NormalExit || exitCode != 0) && failed)
                             failed();
                     });
    opener->start();
}

}  // namespace morvane
