#pragma once

#include <string>
#include <string_view>

// The per-user settings store: named integer and string values grouped in sections.
// Reads take the default to return when the value is absent.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual int GetInt(std::string_view section, std::string_view name, int def) const = 0;
    virtual std::string GetString(std::string_view section, std::string_view name,
                                  std::string_view def = {}) const = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;
    virtual void Remove(std::string_view section, std::string_view name) = 0;
};
