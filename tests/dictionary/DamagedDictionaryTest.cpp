// Damaged and hostile dictionary files: each is either refused at open or yields no entry,
// and nothing reads outside the files or loops.
#include "DictionaryFixture.h"

#include "dictionary/CDicVoca.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kNone = -1;

// A chain of single-entry nodes, each the leftmost child of the one above: the key "k<n>"
// of the deepest node can only be found by descending through all of them.
std::string Chain(int levels) {
    std::string bytes;
    for (int level = 0; level < levels; ++level) {
        const std::int32_t own = level == 0 ? 0 : 1032 + (level - 1) * 1024;
        const std::int32_t child = level + 1 < levels ? 1032 + level * 1024 : kNone;
        const std::string key = "k" + std::to_string(levels - level);
        bytes += NodeBytes(own, child, {{kNone, 0, key}}, level == 0 ? 1032 : 1024);
    }
    return bytes;
}

struct Damage {
    const char* name;
    std::function<std::string()> index;
    std::string data;
    bool opens;
};

std::string TwoLevels(std::int32_t leftChild, const std::string& leaf) {
    return NodeBytes(0, leftChild, {{kNone, 0, "m"}}, 1032) + leaf;
}

const std::string kEntry = EntryBytes(1, "m", "meaning");

std::vector<Damage> Damages() {
    const std::string leaf = NodeBytes(1032, kNone, {{kNone, 0, "a"}});
    std::string noTerminator = NodeBytes(0, kNone, {{kNone, 0, "abc"}}, 1032);
    noTerminator[12 + 8 + 3] = 'x';
    std::string overfull = leaf;
    overfull[4] = '\xF8';
    overfull[5] = '\x03'; // 1016 bytes used: more than a node holds
    return {
        {"Empty", [] { return std::string(); }, kEntry, false},
        {"TruncatedRoot",
         [] {
             return NodeBytes(0, kNone, {{kNone, 0, "m"}}, 1032).substr(0, 20);
         },
         kEntry, false},
        {"KeyWithoutTerminator", [=] { return noTerminator; }, kEntry, false},
        {"UsedBeyondRoot",
         [] {
             std::string root = NodeBytes(0, kNone, {}, 1032);
             root[4] = '\xFF';
             root[5] = '\x0F';
             return root;
         },
         kEntry, false},
        {"ChildBeyondFile", [=] { return TwoLevels(0x7FFFFF00, leaf); }, kEntry, true},
        {"NegativeChild", [=] { return TwoLevels(-7, leaf); }, kEntry, false},
        {"ChildIntoRoot", [=] { return TwoLevels(0, leaf); }, kEntry, true},
        {"ChildIntoItself",
         [=] {
             return TwoLevels(1032, NodeBytes(1032, 1032, {{kNone, 0, "a"}}));
         },
         kEntry, true},
        {"TruncatedChild", [=] { return TwoLevels(1032, leaf.substr(0, 18)); }, kEntry, true},
        {"OverfullChild", [=] { return TwoLevels(1032, overfull); }, kEntry, true},
        {"NineLevels", [] { return Chain(9); }, EntryBytes(1, "k1", "deep"), true},
    };
}

class DamagedDictionary : public testing::TestWithParam<Damage> {
protected:
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary{settings, prompts, ""};
    DictionaryFiles files;
};

TEST_P(DamagedDictionary, IsRefusedOrYieldsNothingBelowTheRoot) {
    WriteFile(files.index, GetParam().index());
    WriteFile(files.data, GetParam().data);
    const bool opened = dictionary.OpenDictionary(files.index) == 0;
    ASSERT_EQ(opened, GetParam().opens);
    EXPECT_EQ(dictionary.DictionaryReady(), opened);
    EXPECT_EQ(prompts.Messages().size(), opened ? 0u : 1u);
    CDicVoca entry(dictionary);
    for (const char* word : {"a", "b", "k1", "zz"}) {
        EXPECT_FALSE(entry.LookupExact(word)) << word;
        EXPECT_FALSE(entry.LookupWord(word) && entry.m_strWord != "m") << word;
        EXPECT_EQ(entry.Step(true), CDicVoca::kAtEnd);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedDictionary, testing::ValuesIn(Damages()),
                         [](const auto& info) { return std::string(info.param.name); });

class DictionaryEdges : public testing::Test {
protected:
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary{settings, prompts, ""};
    DictionaryFiles files;
};

TEST_F(DictionaryEdges, EightLevelsAreFoundAndNineAreNot) {
    for (int levels : {8, 9}) {
        WriteFile(files.index, Chain(levels));
        WriteFile(files.data, EntryBytes(1, "k1", "deep"));
        ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);
        CDicVoca entry(dictionary);
        EXPECT_EQ(entry.LookupExact("k1"), levels == 8) << levels;
        EXPECT_TRUE(entry.LookupExact("k" + std::to_string(levels)));
    }
}

TEST_F(DictionaryEdges, EntriesThatDoNotFitTheDataFileGiveNothing) {
    std::string absurdLength = EntryBytes(1, "m", "");
    absurdLength.resize(4);
    absurdLength += "\xFF\xFF\xFF\xF0\xFF\xFF\x7F"; // a 2 GB headword
    const std::vector<std::pair<std::uint32_t, std::string>> cases{
        {0, ""},                                  // the data file was created empty
        {0, kEntry.substr(0, kEntry.size() - 1)}, // cut inside the last string
        {0x7FFFFF00, kEntry},                     // a position beyond the file
        {0, absurdLength},
    };
    for (const auto& [value, data] : cases) {
        WriteFile(files.index, NodeBytes(0, kNone, {{kNone, value, "m"}}, 1032));
        WriteFile(files.data, data);
        ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);
        CDicVoca entry(dictionary);
        EXPECT_FALSE(entry.LookupWord("m")) << data.size();
        EXPECT_FALSE(entry.LookupExact("m")) << data.size();
    }
}

TEST_F(DictionaryEdges, WideTextAndFlagBitAreReadAsStored) {
    std::string wide = EntryBytes(0x41, "m", "");
    wide.resize(wide.size() - 2);
    wide += std::string("\xFF\xFE\xFF\x02", 4) + std::string("\xE9\x00\x4C\xD5", 4);
    wide += '\0';
    WriteFile(files.index, NodeBytes(0, kNone, {{kNone, 0x80000000u, "m"}}, 1032));
    WriteFile(files.data, wide);
    ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);
    CDicVoca entry(dictionary);
    ASSERT_TRUE(entry.LookupExact("M"));
    EXPECT_EQ(entry.m_nPos, 0u);
    EXPECT_EQ(entry.m_dwPos, 0x41u);
    EXPECT_EQ(entry.m_strMeaning, "\xC3\xA9\xED\x95\x8C"); // é 한
}

} // namespace
