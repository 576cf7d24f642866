#include "platform/qt/QtShellOpen.h"

#include <QDesktopServices>
#include <QRegularExpression>

namespace morvane {

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

}  // namespace morvane
