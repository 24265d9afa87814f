#include "platform/SettingsTable.h"
#include "platform/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsTable, DefaultsOfTheTable) {
    struct Row {
        const char* section;
        const char* name;
        int def;
    };
    const Row ints[] = {
        {"InitialDir", "audioFormat", 3},
        {"Etc", "Spectrum", 1},
        {"Etc", "Options", 2},
        {"Etc", "Column", 70},
        {"Etc", "Duration", 8},
        {"Etc", "Level", 10},
        {"MiniDic", "Timer", 7000},
        {"Main Frame", "LEFT", -1},
        {"Main Frame", "IsZoomed", 0},
    };
    for (const Row& row : ints) {
        const settings::SettingInfo* info = settings::FindSetting(row.section, row.name);
        ASSERT_NE(info, nullptr) << row.section << "/" << row.name;
        EXPECT_EQ(info->type, settings::ValueType::Integer);
        EXPECT_EQ(info->intDefault, row.def) << row.name;
    }
    for (const char* name : {"EkdOpen", "WavIn", "TextIn", "TextOut", "audioOut"}) {
        const settings::SettingInfo* info = settings::FindSetting("InitialDir", name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(info->type, settings::ValueType::String);
    }
    for (int i = 1; i <= 8; ++i) {
        std::string name = "File" + std::to_string(i);
        EXPECT_NE(settings::FindSetting("Recent File List", name), nullptr) << name;
    }
    EXPECT_EQ(settings::FindSetting("Recent File List", "File9"), nullptr);
    EXPECT_NE(settings::FindSetting("RecentConverted", "Path"), nullptr);
    EXPECT_NE(settings::FindSetting("MiniDic", "Path0"), nullptr);
    EXPECT_EQ(settings::FindSetting("Etc", "spectrum"), nullptr) << "names are exact";
}

TEST(SettingsTable, TypedSettingsReadTheirDefaultsAndWhatWasWritten) {
    MemorySettingsStore store;
    EXPECT_EQ(settings::kMiniDicTimer.Read(store), 7000);
    EXPECT_EQ(settings::kStartStudy.Read(store), "none");
    EXPECT_EQ(settings::kWavInDir.Read(store), "");
    settings::kMiniDicTimer.Write(store, 3000);
    settings::RecentFile(3).Write(store, "/a/b.ekd");
    EXPECT_EQ(store.GetInt("MiniDic", "Timer", 0), 3000);
    EXPECT_EQ(store.GetString("Recent File List", "File3"), "/a/b.ekd");
    store.Remove("MiniDic", "Timer");
    EXPECT_EQ(settings::kMiniDicTimer.Read(store), 7000);
}

} // namespace
