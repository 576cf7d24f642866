#include "platform/qt/QtProgramLauncher.h"

#include <QProcess>
#include <QString>

namespace morvane {

bool QtProgramLauncher::start(const std::string& path)
{
    return QProcess::startDetached(QString::fromStdString(path), {});
}

}  // namespace morvane
