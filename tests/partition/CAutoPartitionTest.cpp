// The Auto-Partition dialog's model: the factors it reads and writes, Default, and the
// working list that only OK hands to the study.
#include "partition/CAutoPartition.h"
#include "audio/WaveFixtures.h"
#include "document/CEarlarkDoc.h"
#include "partition/HeadlessProgress.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// A study of one sentence over a recording of a loud quarter second, then 2.5 s of silence,
// then one more loud quarter second (8-bit mono 4 kHz).
class AutoPartitionModel : public ::testing::Test {
protected:
    AutoPartitionModel() {
        fixtures::Bytes data;
        for (int w = 0; w < 12; ++w) {
            const bool loud = w == 0 || w == 11;
            for (int i = 0; i < 1000; ++i) {
                data.push_back(loud ? (i % 2 ? 100 : 156) : 128);
            }
        }
        path = folder.Write("a.wav", fixtures::PcmWave(fixtures::Pcm(1, 4000, 8), data));
        auto s = std::make_unique<CEarlarkWaveSection>();
        s->m_nEnd = 11999;
        s->m_strOriginal = u"text";
        doc.m_sections.Add(std::move(s));
    }

    CAutoPartition Model() {
        return CAutoPartition(doc, settings, prompts,
                              [this] { return doc.m_player.OpenWaveFile(path) == 0; });
    }

    TempDir folder;
    std::string path;
    CEarlarkDoc doc;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
};

TEST_F(AutoPartitionModel, StartsFromCopiesAndTheStoredFactors) {
    settings.WriteInt("Etc", "Duration", 1);
    settings.WriteInt("Etc", "Level", 30);
    CAutoPartition model = Model();
    model.Start();
    EXPECT_EQ(model.SilenceText(), "0.25 sec");
    EXPECT_EQ(model.LoudnessText(), "30");
    EXPECT_EQ(model.CountText(), "1");
    EXPECT_EQ(model.Sentences()[0]->m_strOriginal, u"text");
    EXPECT_FALSE(model.SetSilence(41));
    EXPECT_FALSE(model.SetLoudness(2));
    EXPECT_EQ(model.Silence(), 1);
}

// Default then Partition runs with 2.00 s and 10: the 2.5 s pause ends the first sentence.
TEST_F(AutoPartitionModel, DefaultThenPartition) {
    settings.WriteInt("Etc", "Duration", 40);
    CAutoPartition model = Model();
    model.Start();
    model.Default();
    EXPECT_EQ(model.SilenceText(), "2.00 sec");
    HeadlessProgress progress;
    EXPECT_TRUE(model.Partition(&progress));
    ASSERT_EQ(model.Count(), 2);
    EXPECT_EQ(model.Sentences()[0]->m_nEnd, 6000u);
    EXPECT_TRUE(model.Sentences()[0]->m_strOriginal.empty());
    EXPECT_FALSE(doc.m_player.IsWaveFileOpen());
    // The study itself is not touched before OK.
    EXPECT_EQ(doc.m_sections.GetAt(0)->m_strOriginal, u"text");
}

TEST_F(AutoPartitionModel, OkWritesBothFactorsAndCancelWritesNone) {
    {
        CAutoPartition cancelled = Model();
        cancelled.Start();
        cancelled.SetSilence(3);
    }
    EXPECT_FALSE(settings.Contains("Etc", "Duration"));
    EXPECT_FALSE(settings.Contains("Etc", "Level"));
    CAutoPartition model = Model();
    model.Start();
    model.Ok();
    EXPECT_EQ(settings.GetInt("Etc", "Duration", 0), 8);
    EXPECT_EQ(settings.GetInt("Etc", "Level", 0), 10);
}

TEST_F(AutoPartitionModel, UnreadableAudioKeepsTheWorkingList) {
    path = folder.Path("missing.wav");
    CAutoPartition model = Model();
    model.Start();
    EXPECT_FALSE(model.Partition(nullptr));
    EXPECT_EQ(model.Count(), 1);
    EXPECT_EQ(model.Sentences()[0]->m_strOriginal, u"text");
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0], "Cannot open selected Wave file.");
}

} // namespace
