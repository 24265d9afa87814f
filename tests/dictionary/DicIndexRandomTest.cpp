// The B-tree against a sorted list: exact and nearest searches and stepping over tens of
// thousands of keys, in trees from one to five levels deep, with equal keys and with the
// nodes stored in shuffled order.
#include "DictionaryFixture.h"

#include "dictionary/CDicVoca.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

struct RandomCase {
    const char* name;
    int count;
    std::size_t minLength;
    std::size_t maxLength;
    int alphabet;
    bool shuffle;
};

std::string RandomKey(std::mt19937& random, const RandomCase& c) {
    std::uniform_int_distribution<std::size_t> length(c.minLength, c.maxLength);
    std::uniform_int_distribution<int> letter(0, c.alphabet - 1);
    std::string key(length(random), 'a');
    for (char& ch : key) {
        ch = static_cast<char>('a' + letter(random));
    }
    return key;
}

class DicIndexRandom : public testing::TestWithParam<RandomCase> {
protected:
    void SetUp() override {
        const RandomCase& c = GetParam();
        std::mt19937 random(12345);
        std::vector<std::pair<std::string, std::string>> words;
        for (int i = 0; i < c.count; ++i) {
            // A small alphabet and short keys give many equal keys.
            words.emplace_back(RandomKey(random, c), std::to_string(i));
        }
        DicFileWriter::Options options;
        if (c.shuffle) {
            options.shuffleSeed = 7;
        }
        files.Write(words, options);
        sorted = words;
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        ASSERT_EQ(dictionary.OpenDictionary(files.index), 0);
    }

    // The id (meaning) of the sorted position the entry stands at.
    void ExpectAt(const CDicVoca& entry, std::size_t position) {
        ASSERT_LT(position, sorted.size());
        EXPECT_EQ(entry.m_strWord, sorted[position].first);
        EXPECT_EQ(entry.m_strMeaning, sorted[position].second);
    }

    DictionaryFiles files;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary{settings, prompts, ""};
    std::vector<std::pair<std::string, std::string>> sorted;
};

TEST_P(DicIndexRandom, ExactAndNearestMatchTheSortedList) {
    std::mt19937 random(99);
    CDicVoca entry(dictionary);
    DicIndex& index = dictionary.Index();
    for (int probe = 0; probe < 3000; ++probe) {
        // Half the probes are stored keys, half random ones (mostly absent).
        const std::string key =
            probe % 2 ? sorted[random() % sorted.size()].first : RandomKey(random, GetParam());
        auto lower =
            std::lower_bound(sorted.begin(), sorted.end(), key,
                             [](const auto& a, const std::string& k) { return a.first < k; });
        const bool present = lower != sorted.end() && lower->first == key;
        ASSERT_EQ(entry.LookupExact(key), present) << key;
        if (present) {
            ExpectAt(entry, lower - sorted.begin());
        }
        const int nearest = index.NearestSearch(key);
        if (lower == sorted.end()) {
            EXPECT_EQ(nearest, DicIndex::kEnd) << key;
            continue;
        }
        EXPECT_EQ(nearest, present ? DicIndex::kFound : 0) << key;
        EXPECT_EQ(index.Current().key, lower->first);
    }
}

TEST_P(DicIndexRandom, StepsVisitEveryEntryInOrderBothWays) {
    CDicVoca entry(dictionary);
    ASSERT_TRUE(entry.LookupExact(sorted.front().first));
    ExpectAt(entry, 0);
    for (std::size_t k = 1; k < sorted.size(); ++k) {
        ASSERT_EQ(entry.Step(true), CDicVoca::kStepped) << k;
        ASSERT_EQ(entry.m_strMeaning, sorted[k].second) << k;
    }
    EXPECT_EQ(entry.Step(true), CDicVoca::kAtEnd);
    ExpectAt(entry, sorted.size() - 1);
    for (std::size_t k = sorted.size() - 1; k-- > 0;) {
        ASSERT_EQ(entry.Step(false), CDicVoca::kStepped) << k;
        ASSERT_EQ(entry.m_strMeaning, sorted[k].second) << k;
    }
    EXPECT_EQ(entry.Step(false), CDicVoca::kAtEnd);
    ExpectAt(entry, 0);
}

TEST_P(DicIndexRandom, StepsFromRandomLookupsMatchTheSortedList) {
    std::mt19937 random(5);
    CDicVoca entry(dictionary);
    for (int probe = 0; probe < 300; ++probe) {
        const std::size_t start = random() % sorted.size();
        ASSERT_TRUE(entry.LookupExact(sorted[start].first));
        std::size_t at =
            std::lower_bound(sorted.begin(), sorted.end(), sorted[start].first,
                             [](const auto& a, const std::string& k) { return a.first < k; }) -
            sorted.begin();
        ExpectAt(entry, at);
        const bool forward = probe % 2 == 0;
        for (int k = 0; k < 40; ++k) {
            const bool moves = forward ? at + 1 < sorted.size() : at > 0;
            ASSERT_EQ(entry.Step(forward), moves ? CDicVoca::kStepped : CDicVoca::kAtEnd);
            at = moves ? (forward ? at + 1 : at - 1) : at;
            ExpectAt(entry, at);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Trees, DicIndexRandom,
                         testing::Values(RandomCase{"ShortKeysManyEqual", 30000, 1, 4, 6, false},
                                         RandomCase{"WordLikeShuffled", 40000, 3, 12, 26, true},
                                         RandomCase{"LongKeysFiveLevels", 30000, 95, 99, 3, true},
                                         RandomCase{"SingleNode", 20, 1, 8, 26, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
