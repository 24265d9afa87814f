#include "platform/MemorySettingsStore.h"

#include <charconv>

namespace {
std::pair<std::string, std::string> MakeKey(std::string_view section, std::string_view name) {
    return {std::string(section), std::string(name)};
}
} // namespace

int MemorySettingsStore::GetInt(std::string_view section, std::string_view name, int def) const {
    auto it = m_values.find(MakeKey(section, name));
    if (it == m_values.end()) {
        return def;
    }
    if (const int* value = std::get_if<int>(&it->second)) {
        return *value;
    }
    // A string where an integer is expected reads like the registry does: its number.
    const std::string& text = std::get<std::string>(it->second);
    int value = def;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string MemorySettingsStore::GetString(std::string_view section, std::string_view name,
                                           std::string_view def) const {
    auto it = m_values.find(MakeKey(section, name));
    if (it == m_values.end()) {
        return std::string(def);
    }
    if (const int* value = std::get_if<int>(&it->second)) {
        return std::to_string(*value);
    }
    return std::get<std::string>(it->second);
}

void MemorySettingsStore::WriteInt(std::string_view section, std::string_view name, int value) {
    m_values[MakeKey(section, name)] = value;
    ++m_writes;
}

void MemorySettingsStore::WriteString(std::string_view section, std::string_view name,
                                      std::string_view value) {
    m_values[MakeKey(section, name)] = std::string(value);
    ++m_writes;
}

bool MemorySettingsStore::Contains(std::string_view section, std::string_view name) const {
    return m_values.count(MakeKey(section, name)) != 0;
}

void MemorySettingsStore::Remove(std::string_view section, std::string_view name) {
    m_values.erase(MakeKey(section, name));
    ++m_writes;
}
