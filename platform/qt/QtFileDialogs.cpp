#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QStringList>

namespace morvane {

QtFileDialogs::QtFileDialogs(QWidget* parent) : parent_(parent) {}

QString QtFileDialogs::qtFilter(const std::string& filter)
{
    const QString f = QString::fromStdString(filter);
    if (!f.contains(QLatin1Char('|')))
        return f;
    const QStringList parts = f.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already shows its patterns keeps them.
        filters << (description.contains(QLatin1Char('(')) ? description
                                                            : description + QStringLiteral(" (") + patterns + ')');
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

QWidget* ownerOr(QWidget* parent)
{
    if (parent != nullptr)
        return parent;
    return QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget()
                                                        : QApplication::activeWindow();
}

std::optional<std::string> chosen(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::openFile(const std::string& caption, const std::string& folder,
                                                   const std::string& filter)
{
    return chosen(QFileDialog::getOpenFileName(ownerOr(parent_), QString::fromStdString(caption),
                                               QString::fromStdString(folder), qtFilter(filter)));
}

std::optional<std::string> QtFileDialogs::saveFile(const std::string& caption, const std::string& folder,
                                                   const std::string& filter)
{
    return chosen(QFileDialog::getSaveFileName(ownerOr(parent_), QString::fromStdString(caption),
                                               QString::fromStdString(folder), qtFilter(filter)));
}

}  // namespace morvane
