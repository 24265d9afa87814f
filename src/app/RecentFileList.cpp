#include "app/RecentFileList.h"

#include "platform/SettingsTable.h"

#include <algorithm>

void RecentFileList::Load(const SettingsStore& settings) {
    m_entries.clear();
    for (int i = 1; i <= kSize; ++i) {
        std::string path = settings::RecentFile(i).Read(settings);
        if (!path.empty()) {
            m_entries.push_back(path);
        }
    }
}

void RecentFileList::Save(SettingsStore& settings) const {
    for (int i = 1; i <= kSize; ++i) {
        auto entry = settings::RecentFile(i);
        size_t index = static_cast<size_t>(i - 1);
        if (index < m_entries.size()) {
            entry.Write(settings, m_entries[index]);
        } else {
            settings.Remove(entry.section, entry.name);
        }
    }
}

void RecentFileList::Add(const std::string& path) {
    Remove(path);
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > kSize) {
        m_entries.resize(kSize);
    }
}

void RecentFileList::Remove(const std::string& path) {
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
}
