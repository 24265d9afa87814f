#include "dictionary/DicPopupContent.h"

#include "dictionary/DicPopupLayout.h"
#include "platform/SettingsTable.h"

#include <algorithm>

void DicPopupSettings::Enable(bool enabled) {
    m_enabled = enabled;
    m_displayTime = std::clamp(settings::kMiniDicTimer.Read(m_settings), kShortest, kLongest);
}

void DicPopupSettings::ChangeDisplayTime(int change) {
    m_displayTime = std::clamp(m_displayTime + change, kShortest, kLongest);
    settings::kMiniDicTimer.Write(m_settings, m_displayTime);
}

bool DicPopupContent::Lookup(const std::string& word) {
    if (!m_entry.LookupWord(word)) {
        return false;
    }
    m_meaning = m_entry.m_strMeaning;
    return true;
}

bool DicPopupContent::Step(bool forward) {
    if (m_entry.Step(forward) != CDicVoca::kStepped) {
        return false;
    }
    m_meaning = m_entry.m_strMeaning;
    return true;
}

void DicPopupContent::ChangeDisplayTime(int direction) {
    m_settings.ChangeDisplayTime(direction * DicPopupSettings::kChange);
    m_entry.m_strText4 = "\n(" + std::to_string(m_settings.DisplayTime() / 1000) + " sec.)";
    m_entry.m_strMeaning = m_meaning + m_entry.m_strText4;
}

std::string DicPopupContent::Meaning() const {
    return popup_layout::DisplayedMeaning(m_entry.m_strMeaning);
}
