// Looking words up as the popup does, and opening dictionaries as start-up and the path
// set-up command do.
#include "DictionaryFixture.h"

#include "dictionary/CDicVoca.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class CDicVocaTest : public testing::Test {
protected:
    void SetUp() override {
        files.Write({{"apple", "1"},
                     {"bank", "river side"},
                     {"bank", "money house"},
                     {"bank", "row"},
                     {"banker", "2"},
                     {"box", "3"},
                     {"boxer", "4"},
                     {"hope", "5"},
                     {"running", "6"},
                     {"zoo", "7"}});
        ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);
    }

    DictionaryFiles files;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary{settings, prompts, files.dir.Path("")};
    CDicVoca entry{dictionary};
};

TEST_F(CDicVocaTest, LookupWordFallsBackAsTheLearnerExpects) {
    struct Case {
        const char* word;
        bool found;
        const char* headword;
    };
    const Case cases[] = {
        {"Running,", true, "running"}, // the comma spoils the first search, not the second
        {"boxes", true, "boxer"},      // "s" removed, then the first headword after "boxe"
        {"hopeless", true, "hope"},    // only the first matching suffix is tried
        {"\"Apple\"", true, "apple"},  // leading and trailing marks dropped
        {"bananas", true, "bank"},     // no entry: the nearest following headword
        {"zoos", true, "zoo"},         // beyond the last headword until the "s" goes
        {"zzz", false, ""},            // nothing at or after the key
        {"", false, ""},
        {"123", false, ""}, // no letters
    };
    for (const Case& c : cases) {
        entry.m_strWord.clear();
        EXPECT_EQ(entry.LookupWord(c.word), c.found) << c.word;
        EXPECT_EQ(entry.m_strWord, c.headword) << c.word;
    }
}

TEST_F(CDicVocaTest, AFailedLookupNeverShowsAnEarlierEntry) {
    ASSERT_TRUE(entry.LookupWord("box"));
    EXPECT_FALSE(entry.LookupWord("zzz"));
    EXPECT_EQ(entry.m_strWord, "box");
    EXPECT_EQ(entry.Step(true), CDicVoca::kAtEnd);
    EXPECT_FALSE(entry.LookupExact("boxe"));
    EXPECT_EQ(entry.m_strWord, "box");
}

TEST_F(CDicVocaTest, EqualHeadwordsComeInOrderAndStepsStopAtBothEnds) {
    ASSERT_TRUE(entry.LookupExact("BANK"));
    EXPECT_EQ(entry.m_strMeaning, "river side");
    ASSERT_EQ(entry.Step(true), CDicVoca::kStepped);
    EXPECT_EQ(entry.m_strMeaning, "money house");
    ASSERT_EQ(entry.Step(true), CDicVoca::kStepped);
    EXPECT_EQ(entry.m_strMeaning, "row");
    ASSERT_EQ(entry.Step(true), CDicVoca::kStepped);
    EXPECT_EQ(entry.m_strWord, "banker");

    ASSERT_TRUE(entry.LookupWord("zoo"));
    EXPECT_EQ(entry.Step(true), CDicVoca::kAtEnd);
    EXPECT_EQ(entry.m_strWord, "zoo");
    ASSERT_EQ(entry.Step(false), CDicVoca::kStepped);
    EXPECT_EQ(entry.m_strWord, "running");

    ASSERT_TRUE(entry.LookupWord("a"));
    EXPECT_EQ(entry.m_strWord, "apple");
    EXPECT_EQ(entry.Step(false), CDicVoca::kAtEnd);
    EXPECT_EQ(entry.m_strWord, "apple");
    EXPECT_EQ(entry.Step(true), CDicVoca::kStepped);
    EXPECT_EQ(entry.m_strMeaning, "river side");
}

TEST_F(CDicVocaTest, PartOfSpeechTextFollowsTheFixedOrder) {
    EXPECT_EQ(CDicVoca::PartOfSpeechText(0x5F), "n.a.vt.vi.v.ad.");
    EXPECT_EQ(CDicVoca::PartOfSpeechText(0x48), "v.ad.");
    EXPECT_EQ(CDicVoca::PartOfSpeechText(0x20), "");
}

TEST_F(CDicVocaTest, OpeningFollowsTheArgumentTheSettingsAndTheDefault) {
    const std::string message = "\n\nCannot open the file.\n\nPlease check the file path and "
                                "the system.";
    EXPECT_EQ(settings::kMiniDicPath0.Read(settings), files.index);
    EXPECT_EQ(dictionary.DictionaryDataPath(), files.data);

    // A missing index is reported only when the user named it; either way none is open.
    EXPECT_EQ(dictionary.OpenDictionary(files.dir.Path("gone.idx")), -1);
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{files.dir.Path("gone.idx") + message});
    EXPECT_FALSE(dictionary.DictionaryReady());
    EXPECT_EQ(dictionary.DictionaryDataPath(), "");
    settings::kMiniDicPath0.Write(settings, files.dir.Path("gone.idx"));
    EXPECT_EQ(dictionary.OpenDictionary(), -1);
    EXPECT_EQ(prompts.Messages().size(), 1u);

    // The settings' path, else the default beside the program; the data file is created.
    settings::kMiniDicPath0.Write(settings, files.index);
    EXPECT_EQ(dictionary.OpenDictionary(), 0);
    std::filesystem::copy_file(files.index, files.dir.Path("lexdic.idx"));
    settings::kMiniDicPath0.Write(settings, "");
    EXPECT_EQ(dictionary.OpenDictionary(), 0);
    EXPECT_EQ(dictionary.DictionaryDataPath(), files.dir.Path("lexdic.dat"));
    EXPECT_TRUE(std::filesystem::exists(files.dir.Path("lexdic.dat")));
    EXPECT_EQ(settings::kMiniDicPath0.Read(settings), files.dir.Path("lexdic.idx"));
    EXPECT_FALSE(entry.LookupWord("box")); // an empty data file holds no entry

    // An index whose file name has no full stop is refused without a word.
    std::filesystem::copy_file(files.index, files.dir.Path("lexdic"));
    std::filesystem::create_directory(files.dir.Path("dir.d"));
    std::filesystem::copy_file(files.index, files.dir.Path("dir.d/lexdic"));
    EXPECT_EQ(dictionary.OpenDictionary(files.dir.Path("lexdic")), -1);
    EXPECT_EQ(dictionary.OpenDictionary(files.dir.Path("dir.d/lexdic")), -1);
    EXPECT_EQ(prompts.Messages().size(), 1u);
    EXPECT_FALSE(dictionary.DictionaryReady());
}

} // namespace
