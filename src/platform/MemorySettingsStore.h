#pragma once

#include "platform/SettingsStore.h"

#include <map>
#include <string>
#include <variant>

// A settings store held in memory: for tests and for runs that must not touch the user's
// real settings.
class MemorySettingsStore : public SettingsStore {
public:
    int GetInt(std::string_view section, std::string_view name, int def) const override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view def = {}) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    void Remove(std::string_view section, std::string_view name) override;

    bool Contains(std::string_view section, std::string_view name) const;
    int WriteCount() const { return m_writes; }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::variant<int, std::string>> m_values;
    int m_writes = 0;
};
