#include "export/Mp3ExportList.h"
#include "document/CEarlarkWaveSection.h"
#include "export/ExportMessages.h"
#include "export/Mp3ExportChoices.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Option = Mp3ExportOptions::Option;

TEST(Mp3ExportOptions, RadiosEnableTheRangeAndThePatternControls) {
    Mp3ExportOptions options(7, 12);
    EXPECT_TRUE(options.IsChecked(Mp3ExportOptions::kExportAll));
    EXPECT_TRUE(options.IsChecked(Mp3ExportOptions::kUseCurrent));
    EXPECT_EQ(options.SpinUpper(), 12);
    const std::vector<int> ranged = {Mp3ExportOptions::kFirstEdit, Mp3ExportOptions::kFirstSpin,
                                     Mp3ExportOptions::kLastEdit, Mp3ExportOptions::kLastSpin};
    struct Step {
        int click;
        bool rangeEnabled;
        bool patternEnabled;
    };
    for (const Step& step : {Step{0, false, false}, Step{1117, true, false}, Step{1119, true, true},
                             Step{1120, true, false}, Step{1116, false, false},
                             Step{1119, false, true}, Step{1118, false, false}}) {
        options.ClickRadio(step.click);
        for (int id : ranged) {
            EXPECT_EQ(options.IsEnabled(id), step.rangeEnabled) << step.click << " " << id;
        }
        EXPECT_EQ(options.IsEnabled(Mp3ExportOptions::kPatternCombo), step.patternEnabled)
            << step.click;
        EXPECT_TRUE(options.IsEnabled(Mp3ExportOptions::kFormatCombo));
    }
}

TEST(Mp3ExportChoices, UnchosenFormatsEncodeAt48AndTheFilterListsAllTen) {
    EXPECT_EQ(mp3choices::FormatText(3), "MP3 (48 kbps, default)");
    EXPECT_EQ(mp3choices::BitRate(-1), 48);
    EXPECT_EQ(mp3choices::BitRate(10), 48);
    EXPECT_EQ(mp3choices::CurrentSentenceFilter(),
              "MP3 (8 kbps) (*.mp3)|*.mp3|MP3 (16 kbps) (*.mp3)|*.mp3|MP3 (32 kbps) "
              "(*.mp3)|*.mp3|MP3 (48 kbps) (*.mp3)|*.mp3|MP3 (64 kbps) (*.mp3)|*.mp3|MP3 (96 "
              "kbps) (*.mp3)|*.mp3|MP3 (128 kbps) (*.mp3)|*.mp3|MP3 (192 kbps) (*.mp3)|*.mp3|MP3 "
              "(256 kbps) (*.mp3)|*.mp3|MP3 (320 kbps) (*.mp3)|*.mp3||");
    EXPECT_TRUE(mp3choices::PatternSteps(4).empty());
}

class Mp3ExportListTest : public ::testing::Test {
protected:
    Mp3ExportListTest() {
        for (int i = 0; i < 8; ++i) {
            auto sentence = std::make_unique<CEarlarkWaveSection>();
            sentence->m_nStart = 1000 * i;
            sentence->m_nEnd = 1000 * i + 400;
            sentence->m_strListenWrite = i == 6 ? u"" : u"Line " + std::u16string(1, u'0' + i);
            pointers.push_back(sentence.get());
            sentences.push_back(std::move(sentence));
        }
    }
    // Records each use of the pause rule as start, value, proportional; answers value * 10.
    Mp3ExportList::PauseRule Pause() {
        return [this](std::uint32_t start, std::uint32_t, int value, bool proportional) {
            pauses.push_back({start, static_cast<std::uint32_t>(value), proportional ? 1u : 0u});
            return static_cast<std::uint32_t>(value * 10 + (proportional ? 1 : 0));
        };
    }

    std::vector<std::unique_ptr<CEarlarkWaveSection>> sentences;
    std::vector<const CEarlarkWaveSection*> pointers;
    std::vector<std::vector<std::uint32_t>> pauses;
    ScriptedPrompts prompts;
    TempDir dir;
};

TEST_F(Mp3ExportListTest, NormalSlowNormalGivesSixPassesInOrder) {
    Mp3ExportList list(Pause(), prompts);
    Mp3ExportOptions options(3, 8);
    options.ClickRadio(Mp3ExportOptions::kExportRange);
    options.first = 2;
    options.last = 3;
    options.ClickRadio(Mp3ExportOptions::kUsePatterns);
    ASSERT_TRUE(list.Build(pointers, options, {}, dir.Folder().string()));
    std::vector<std::vector<std::uint32_t>> passes;
    for (const PlayItem& item : list.Items()) {
        passes.push_back({item.start, item.end, static_cast<std::uint32_t>(item.rate),
                          item.repetitions, item.intervalBytes});
    }
    // 0.2 s (value 2, not proportional), then twice the sentence's length (proportional).
    EXPECT_EQ(passes, (std::vector<std::vector<std::uint32_t>>{{1000, 1400, 100, 1, 20},
                                                               {1000, 1400, 80, 1, 21},
                                                               {1000, 1400, 100, 1, 21},
                                                               {2000, 2400, 100, 1, 20},
                                                               {2000, 2400, 80, 1, 21},
                                                               {2000, 2400, 100, 1, 21}}));
    EXPECT_TRUE(list.Files().empty());
}

TEST_F(Mp3ExportListTest, CurrentSettingsUseTheStudy) {
    Mp3ExportList list(Pause(), prompts);
    pointers[1] = nullptr;
    ASSERT_TRUE(list.Build(pointers, Mp3ExportOptions(3, 8), {0, 75, 7, true}, "/x"));
    ASSERT_EQ(list.Items().size(), 7u) << "the missing sentence is skipped";
    EXPECT_EQ(list.Items()[1].start, 2000u);
    EXPECT_EQ(list.Items()[1].rate, 75);
    EXPECT_EQ(list.Items()[1].repetitions, 0u);
    EXPECT_EQ(list.Items()[1].intervalBytes, 71u);
}

TEST_F(Mp3ExportListTest, BadRangesFailWithTheMessageInEveryMode) {
    for (Option option : {Option::Current, Option::EachSentence}) {
        for (auto [first, last] : {std::pair{3, 2}, std::pair{0, 1}, std::pair{1, 9}}) {
            Mp3ExportOptions options(3, 8);
            options.useRange = true;
            options.option = option;
            options.first = first;
            options.last = last;
            prompts.Clear();
            Mp3ExportList list(Pause(), prompts);
            EXPECT_FALSE(list.Build(pointers, options, {}, dir.Folder().string()));
            EXPECT_EQ(prompts.Messages(), std::vector<std::string>{exportmsg::kInvalidOptions});
            EXPECT_TRUE(list.Items().empty());
        }
    }
}

TEST_F(Mp3ExportListTest, EachSentenceNamesItsFileOrAsksForTheNumber) {
    Mp3ExportOptions options(3, 8);
    options.ClickRadio(Mp3ExportOptions::kEachSentence);
    Mp3ExportList list(Pause(), prompts);
    const std::string folder = dir.Folder().string();
    ASSERT_TRUE(list.Build(pointers, options, {5, 50, 9, true}, folder));
    EXPECT_EQ(list.Files()[0], folder + "/Line 0.mp3");
    EXPECT_EQ(list.Files()[6], folder + "/007.mp3");
    EXPECT_EQ(list.Items()[6].rate, 100);
    EXPECT_EQ(list.Items()[6].intervalBytes, 0u);
    EXPECT_TRUE(prompts.Questions().empty());

    // In a folder that cannot take files the name question comes; No ends it silently.
    const std::string missing = dir.Path("missing");
    prompts.QueueAnswer(PromptAnswer::Yes);
    prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(list.Build(pointers, options, {}, missing));
    ASSERT_EQ(prompts.Questions().size(), 2u);
    EXPECT_EQ(prompts.Questions()[1].substr(0, 2), "2 ");
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_TRUE(list.Files().empty());
}

} // namespace
