#include "qt/QtSettingsStore.h"

namespace {
QString KeyOf(std::string_view section, std::string_view name) {
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + '/' +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}
} // namespace

QtSettingsStore::QtSettingsStore() : m_settings("Velmora", "Earlark 4.2") {}

int QtSettingsStore::GetInt(std::string_view section, std::string_view name, int def) const {
    bool ok = false;
    int value = m_settings.value(KeyOf(section, name), def).toInt(&ok);
    return ok ? value : def;
}

std::string QtSettingsStore::GetString(std::string_view section, std::string_view name,
                                       std::string_view def) const {
    QVariant value = m_settings.value(KeyOf(section, name));
    if (!value.isValid()) {
        return std::string(def);
    }
    return value.toString().toStdString();
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
    m_settings.setValue(KeyOf(section, name), value);
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view name,
                                  std::string_view value) {
    m_settings.setValue(KeyOf(section, name),
                        QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
}

void QtSettingsStore::Remove(std::string_view section, std::string_view name) {
    m_settings.remove(KeyOf(section, name));
}
