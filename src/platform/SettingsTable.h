#pragma once

#include "platform/SettingsStore.h"

#include <span>
#include <string>
#include <string_view>

// Every value the program keeps in the per-user settings store, with its section, name,
// type and default. Code reads and writes settings through these descriptors only, so a
// name or default lives in exactly one place.
namespace settings {

struct IntSetting {
    const char* section;
    const char* name;
    int def;

    int Read(const SettingsStore& store) const { return store.GetInt(section, name, def); }
    void Write(SettingsStore& store, int value) const { store.WriteInt(section, name, value); }
};

struct StringSetting {
    const char* section;
    const char* name;
    const char* def;

    std::string Read(const SettingsStore& store) const {
        return store.GetString(section, name, def);
    }
    void Write(SettingsStore& store, std::string_view value) const {
        store.WriteString(section, name, value);
    }
};

inline constexpr int kRecentFileCount = 8;
inline constexpr const char* kRecentFileSection = "Recent File List";

// "File1" to "File8" of the recent-file list; index counts from 1.
StringSetting RecentFile(int index);
// File1 read at start-up to choose the study: "none" when absent.
inline constexpr StringSetting kStartStudy{kRecentFileSection, "File1", "none"};

inline constexpr StringSetting kEkdOpenDir{"InitialDir", "EkdOpen", ""};
inline constexpr StringSetting kWavInDir{"InitialDir", "WavIn", ""};
inline constexpr StringSetting kTextInDir{"InitialDir", "TextIn", ""};
inline constexpr StringSetting kTextOutDir{"InitialDir", "TextOut", ""};
inline constexpr StringSetting kAudioOutDir{"InitialDir", "audioOut", ""};
inline constexpr IntSetting kAudioFormat{"InitialDir", "audioFormat", 3};

inline constexpr IntSetting kSpectrum{"Etc", "Spectrum", 1};
inline constexpr IntSetting kOptions{"Etc", "Options", 2};
inline constexpr IntSetting kColumn{"Etc", "Column", 70};
inline constexpr IntSetting kDuration{"Etc", "Duration", 8};
inline constexpr IntSetting kLevel{"Etc", "Level", 10};
// Lead-in and tail around every sentence as it plays and is exported, in milliseconds.
inline constexpr IntSetting kPadding{"Etc", "Padding", 0};

inline constexpr IntSetting kMiniDicTimer{"MiniDic", "Timer", 7000};
inline constexpr StringSetting kMiniDicPath0{"MiniDic", "Path0", ""};

inline constexpr StringSetting kRecentConverted{"RecentConverted", "Path", ""};

inline constexpr IntSetting kFrameLeft{"Main Frame", "LEFT", -1};
// TOP, RIGHT and BOTTOM are read with the frame's current edges as defaults.
inline constexpr IntSetting kFrameTop{"Main Frame", "TOP", 0};
inline constexpr IntSetting kFrameRight{"Main Frame", "RIGHT", 0};
inline constexpr IntSetting kFrameBottom{"Main Frame", "BOTTOM", 0};
inline constexpr IntSetting kFrameZoomed{"Main Frame", "IsZoomed", 0};

enum class ValueType { Integer, String };

// One row of the table, for look-up by name.
struct SettingInfo {
    std::string_view section;
    std::string_view name;
    ValueType type;
    int intDefault;
    std::string_view stringDefault;
};

std::span<const SettingInfo> AllSettings();
// The row for a section and value name, or nullptr when the program keeps no such value.
const SettingInfo* FindSetting(std::string_view section, std::string_view name);

} // namespace settings
