// The builder's readers of free dictionary data, on small files in their formats.
#include "DictionaryFixture.h"

#include "dictionary/DictdSource.h"
#include "dictionary/WordNetSource.h"

#include <gtest/gtest.h>
#include <map>
#include <zlib.h>

namespace {

TEST(DictdSource, NumbersUseDictdDigits) {
    std::uint32_t value = 0;
    const std::pair<const char*, std::uint32_t> good[] = {
        {"A", 0}, {"B", 1}, {"/", 63}, {"BA", 64}, {"Ba", 90}, {"D/////", 0xFFFFFFFF}};
    for (const auto& [digits, expected] : good) {
        ASSERT_TRUE(DictdSource::DecodeNumber(digits, value)) << digits;
        EXPECT_EQ(value, expected) << digits;
    }
    for (const char* bad : {"", "A-", "E/////"}) {
        EXPECT_FALSE(DictdSource::DecodeNumber(bad, value)) << bad;
    }
}

TEST(DictdSource, ReadsEveryIndexLineAgainstTheCompressedText) {
    TempDir dir;
    const std::string text = "00-database-info\nA test.\ncat\nKatze\ncat\nKater\nDog\nHund\n";
    gzFile gz = gzopen(dir.Path("t.dict.dz").c_str(), "wb");
    gzwrite(gz, text.data(), static_cast<unsigned>(text.size()));
    gzclose(gz);
    // Offsets 0, 25, 35, 45 and lengths 25, 10, 10, 9.
    WriteFile(dir.Path("t.index"), "00-database-info\tA\tZ\ncat\tZ\tK\ncat\tj\tK\nDog\tt\tJ\n");
    std::vector<DicSourceEntry> entries;
    std::string error;
    ASSERT_TRUE(DictdSource::Read(dir.Path("t"), entries, error)) << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].key, "cat");
    EXPECT_EQ(entries[0].data.meaning, "cat\nKatze");
    EXPECT_EQ(entries[1].data.meaning, "cat\nKater");
    EXPECT_EQ(entries[2].key, "dog");
    EXPECT_EQ(entries[2].data.headword, "Dog");
    EXPECT_EQ(entries[2].data.meaning, "Dog\nHund");

    WriteFile(dir.Path("t.index"), "cat\tY\tZZ\n");
    EXPECT_FALSE(DictdSource::Read(dir.Path("t"), entries, error));
    EXPECT_NE(error.find("line 1"), std::string::npos);
}

TEST(WordNetSource, GroupsGlossesByPartOfSpeech) {
    TempDir dir;
    const std::string licence = "  1 This software and database is being provided\n";
    WriteFile(dir.Path("data.noun"),
              licence + "00001 05 n 02 dog 0 Domestic_dog 0 000 | a domesticated canid; \"the dog "
                        "barked\"\n00002 05 n 01 dog 1 000 | a dull unattractive girl\n");
    WriteFile(dir.Path("data.verb"), licence + "00003 30 v 01 dog 0 000 00 | go after with the "
                                               "intent to catch\n");
    WriteFile(dir.Path("data.adj"), licence + "00004 00 s 01 short(p) 0 000 | not long\n");
    WriteFile(dir.Path("data.adv"), licence);
    WriteFile(dir.Path("verb.exc"), "dogged dog\nwent go\n");
    // The second noun sense is the more frequent one.
    WriteFile(dir.Path("index.noun"), licence + "dog n 2 1 @ 2 0 00002 00001\n");
    std::vector<DicSourceEntry> entries;
    std::string error;
    ASSERT_TRUE(WordNetSource::Read(dir.Path(""), entries, error)) << error;
    std::map<std::string, DicEntryData> byKey;
    for (const auto& entry : entries) {
        byKey[entry.key] = entry.data;
    }
    ASSERT_EQ(byKey.size(), 4u);
    EXPECT_EQ(byKey["dogged"].partOfSpeech, 0x40u);
    EXPECT_EQ(byKey["dogged"].meaning, "\xE2\x86\x92 dog\nv. go after with the intent to catch");
    EXPECT_EQ(byKey["dog"].partOfSpeech, 0x41u);
    EXPECT_EQ(byKey["dog"].meaning, "n. (1) a dull unattractive girl (2) a domesticated canid\n"
                                    "v. go after with the intent to catch");
    EXPECT_EQ(byKey["domestic dog"].headword, "Domestic dog");
    EXPECT_EQ(byKey["short"].partOfSpeech, 0x04u);
    EXPECT_EQ(byKey["short"].meaning, "a. not long");

    EXPECT_FALSE(WordNetSource::Read(dir.Path("missing"), entries, error));
}

} // namespace
