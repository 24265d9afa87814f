// Start-up opens the Mini-Dictionary: the configured one, else the default beside the
// program or in the installed data folder; a missing one silently leaves none open.
#include "AppFixture.h"

#include "dictionary/DicFileWriter.h"
#include "platform/SettingsTable.h"

#include <filesystem>

namespace {

class StartupDictionaryTest : public AppFixture {
protected:
    void WriteDictionary(const std::string& folder) {
        std::filesystem::create_directories(m_dir.Path(folder));
        const std::string index = m_dir.Path(folder + "/lexdic.idx");
        ASSERT_EQ(
            DicFileWriter::Write({{"word", {}}}, index, m_dir.Path(folder + "/lexdic.dat"), {}),
            "");
    }
};

TEST_F(StartupDictionaryTest, TheDefaultDictionaryOpensFromTheProgramOrTheDataFolder) {
    WriteDictionary("data");
    settings::kMiniDicTimer.Write(m_settings, 12000);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(m_app.Dictionary().DictionaryReady());
    EXPECT_EQ(m_app.Dictionary().DictionaryDataPath(), m_dir.Path("data") + "/lexdic.dat");
    EXPECT_TRUE(m_app.PopupSettings().Enabled());
    EXPECT_EQ(m_app.PopupSettings().DisplayTime(), 12000);
    m_app.ExitInstance();
    EXPECT_FALSE(m_app.Dictionary().DictionaryReady());

    WriteDictionary("program");
    settings::kMiniDicPath0.Write(m_settings, "");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app.Dictionary().DictionaryDataPath(), m_dir.Path("program") + "/lexdic.dat");
}

TEST_F(StartupDictionaryTest, AMissingDictionaryLeavesNoneOpenWithoutAMessage) {
    settings::kMiniDicPath0.Write(m_settings, m_dir.Path("gone.idx"));
    ASSERT_TRUE(Start());
    EXPECT_FALSE(m_app.Dictionary().DictionaryReady());
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_TRUE(m_app.PopupSettings().Enabled());
}

} // namespace
