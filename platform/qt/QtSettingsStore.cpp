#include "platform/qt/QtSettingsStore.h"

#include <QSettings>

namespace morvane {

QtSettingsStore::QtSettingsStore(std::string organization) : organization_(std::move(organization)) {}

std::optional<std::string> QtSettingsStore::value(const std::string& application, const std::string& section,
                                                  const std::string& key) const
{
    QSettings s(QString::fromStdString(organization_), QString::fromStdString(application));
    s.beginGroup(QString::fromStdString(section));
    const QString k = QString::fromStdString(key);
    if (!s.contains(k))
        return std::nullopt;
    return s.value(k).toString().toStdString();
}

bool QtSettingsStore::setValue(const std::string& application, const std::string& section, const std::string& key,
                               const std::string& value)
{
    QSettings s(QString::fromStdString(organization_), QString::fromStdString(application));
    s.beginGroup(QString::fromStdString(section));
    s.setValue(QString::fromStdString(key), QString::fromStdString(value));
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

std::string QtSettingsStore::fileName(const std::string& application) const
{
    return QSettings(QString::fromStdString(organization_), QString::fromStdString(application))
        .fileName()
        .toStdString();
}

}  // namespace morvane
