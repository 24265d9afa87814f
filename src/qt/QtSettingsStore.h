#pragma once

#include "platform/SettingsStore.h"

#include <QSettings>

// The per-user settings store of the platform: QSettings("Velmora", "Earlark 4.2"), one
// group per section.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();

    int GetInt(std::string_view section, std::string_view name, int def) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view def = {}) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    void Remove(std::string_view section, std::string_view name) override;

private:
    mutable QSettings m_settings;
};
