#include "platform/SettingsTable.h"

#include <array>

namespace settings {
namespace {

constexpr std::array kRecentNames{"File1", "File2", "File3", "File4",
                                  "File5", "File6", "File7", "File8"};

constexpr SettingInfo Int(const IntSetting& s) {
    return {s.section, s.name, ValueType::Integer, s.def, {}};
}
constexpr SettingInfo Str(const StringSetting& s) {
    return {s.section, s.name, ValueType::String, 0, s.def};
}
constexpr SettingInfo Recent(int i) {
    return {kRecentFileSection, kRecentNames[i], ValueType::String, 0, ""};
}

constexpr std::array kTable{
    Recent(0),          Recent(1),
    Recent(2),          Recent(3),
    Recent(4),          Recent(5),
    Recent(6),          Recent(7),
    Str(kEkdOpenDir),   Str(kWavInDir),
    Str(kTextInDir),    Str(kTextOutDir),
    Str(kAudioOutDir),  Int(kAudioFormat),
    Int(kSpectrum),     Int(kOptions),
    Int(kColumn),       Int(kDuration),
    Int(kLevel),        Int(kMiniDicTimer),
    Str(kMiniDicPath0), Str(kRecentConverted),
    Int(kFrameLeft),    Int(kFrameTop),
    Int(kFrameRight),   Int(kFrameBottom),
    Int(kFrameZoomed),
};

} // namespace

StringSetting RecentFile(int index) {
    if (index < 1 || index > kRecentFileCount) {
        index = 1;
    }
    return {kRecentFileSection, kRecentNames[index - 1], ""};
}

std::span<const SettingInfo> AllSettings() {
    return kTable;
}

const SettingInfo* FindSetting(std::string_view section, std::string_view name) {
    for (const SettingInfo& info : kTable) {
        if (info.section == section && info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

} // namespace settings
