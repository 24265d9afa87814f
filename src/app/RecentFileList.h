#pragma once

#include <string>
#include <vector>

class SettingsStore;

// The most recently opened studies, newest first, kept in the settings store as
// "Recent File List" / File1 to File8.
class RecentFileList {
public:
    static constexpr int kSize = 8;

    void Load(const SettingsStore& settings);
    void Save(SettingsStore& settings) const;

    // Puts path first; an entry for the same path moves up instead of repeating.
    void Add(const std::string& path);
    void Remove(const std::string& path);

    const std::vector<std::string>& Entries() const { return m_entries; }

private:
    std::vector<std::string> m_entries;
};
