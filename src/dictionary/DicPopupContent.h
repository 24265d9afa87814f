#pragma once

#include "dictionary/CDicVoca.h"

#include <string>

class MiniDictionary;
class SettingsStore;

// The popup's display time, shared by every popup: read from the settings when the popup
// feature is enabled at start-up, kept between 2 and 20 seconds, written when changed.
class DicPopupSettings {
public:
    static constexpr int kShortest = 2000;
    static constexpr int kLongest = 20000;
    static constexpr int kChange = 1000;

    explicit DicPopupSettings(SettingsStore& settings) : m_settings(settings) {}

    void Enable(bool enabled);
    bool Enabled() const { return m_enabled; }
    int DisplayTime() const { return m_displayTime; }
    // Adds a change of milliseconds, clamps and stores the result.
    void ChangeDisplayTime(int change);

private:
    SettingsStore& m_settings;
    bool m_enabled = false;
    int m_displayTime = 7000;
};

// What one popup shows: the entry looked up and stepped to, and the display-time note
// under its meaning after the time was changed.
class DicPopupContent {
public:
    DicPopupContent(MiniDictionary& dictionary, DicPopupSettings& settings)
        : m_entry(dictionary), m_settings(settings) {}

    bool Lookup(const std::string& word);
    // True when the popup moved to another headword (and must be laid out again).
    bool Step(bool forward);
    // Page Up (+1) or Page Down (-1): a second more or less, and the note of the new time.
    void ChangeDisplayTime(int direction);

    const std::string& Headword() const { return m_entry.m_strWord; }
    std::string PartOfSpeech() const { return CDicVoca::PartOfSpeechText(m_entry.m_dwPos); }
    // The meaning with the note, shortened and filled in for display.
    std::string Meaning() const;
    const CDicVoca& Entry() const { return m_entry; }

private:
    CDicVoca m_entry;
    DicPopupSettings& m_settings;
    // The meaning as read, so that a new note replaces the earlier one.
    std::string m_meaning;
};
