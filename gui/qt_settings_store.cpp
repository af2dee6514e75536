// Where the chosen port and port numbers are kept between runs, through QSettings.
#include "gui/qt_settings_store.h"

namespace lumo {

std::optional<std::string> QtSettingsStore::value(const std::string& key) const {
    const QString name = QString::fromStdString(key);
    if (!settings_.contains(name)) {
        return std::nullopt;
    }
    return settings_.value(name).toString().toStdString();
}

void QtSettingsStore::setValue(const std::string& key, const std::string& value) {
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.sync();
}

std::vector<std::string> QtSettingsStore::keysIn(const std::string& group) const {
    settings_.beginGroup(QString::fromStdString(group));
    const QStringList keys = settings_.childKeys();
    settings_.endGroup();
    std::vector<std::string> names;
    for (const QString& key : keys) {
        names.push_back(key.toStdString());
    }
    return names;
}

}  // namespace lumo
