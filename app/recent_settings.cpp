#include "recent_settings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

#include <memory>

namespace ampera {

namespace {

std::unique_ptr<QSettings> OpenSettings(const QString& file) {
    if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
    const QString application = QCoreApplication::applicationName();
    const QString organisation = QCoreApplication::organizationName();
    return std::make_unique<QSettings>(organisation.isEmpty() ? application : organisation, application);
}

} // namespace

std::vector<std::string> CRecentSettings::Load() const {
    const QStringList stored = OpenSettings(m_file)->value(QString::fromLatin1(kKey)).toStringList();
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(stored.size()));
    for (const QString& path : stored)
        paths.push_back(path.toStdString());
    return paths;
}

void CRecentSettings::Store(const std::vector<std::string>& paths) const {
    QStringList list;
    for (const std::string& path : paths)
        list << QString::fromStdString(path);
    OpenSettings(m_file)->setValue(QString::fromLatin1(kKey), list);
}

} // namespace ampera
