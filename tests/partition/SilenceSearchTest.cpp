// The silence search over recordings drawn window by window: each character of a pattern is
// one quarter-second window of an 8-bit mono 4 kHz file (1,000 bytes) at a known level.
#include "audio/CWaveEngine.h"
#include "audio/WaveFixtures.h"
#include "partition/HeadlessProgress.h"
#include "partition/PartitionRecording.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using fixtures::Bytes;
constexpr std::uint32_t kWindow = 1000;

// '.' silence (level 0), 'q' level 5, 'd' level 6, 'T' level 10, 'L' level 20. Samples
// alternate above and below 128, so the centring value is 128.
Bytes DrawWindow(char kind) {
    Bytes window(kWindow, 128);
    for (std::uint32_t i = 0; i < kWindow; ++i) {
        int amplitude = 0;
        switch (kind) {
        case 'q':
            amplitude = 1;
            break;
        // One frame pair in five at amplitude 2: the mean square is 40, its root 6.
        case 'd':
            amplitude = (i / 2) % 5 == 0 ? 2 : 1;
            break;
        case 'T':
            amplitude = 2;
            break;
        case 'L':
            amplitude = 4;
            break;
        default:
            break;
        }
        window[i] = static_cast<std::uint8_t>(i % 2 == 0 ? 128 + amplitude : 128 - amplitude);
    }
    return window;
}

// Parameterised test names hold a slash, so the files go to a folder of this binary's own.
const TempDir& Folder() {
    static const TempDir folder;
    return folder;
}

std::string DrawFile(const std::string& pattern) {
    Bytes data;
    for (char kind : pattern) {
        const Bytes window = DrawWindow(kind);
        data.insert(data.end(), window.begin(), window.end());
    }
    return Folder().Write("drawn.wav", fixtures::PcmWave(fixtures::Pcm(1, 4000, 8), data));
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

struct SearchCase {
    const char* name;
    std::string pattern;
    int quarters;
    int loudness;
    std::vector<SentenceRange> expected;
};

class SilenceSearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SilenceSearch, FindsTheSentencesOfTheDrawing) {
    const SearchCase& c = GetParam();
    CWaveEngine engine;
    ASSERT_EQ(engine.OpenWaveFile(DrawFile(c.pattern)), 0);
    const PartitionResult result = PartitionRecording(engine, c.quarters, c.loudness, nullptr);
    EXPECT_EQ(engine.CentringValue(), 128);
    EXPECT_EQ(engine.PartitionWindow(), static_cast<std::int32_t>(kWindow));
    EXPECT_EQ(result.sentences, c.expected);
    EXPECT_TRUE(result.completed);
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, SilenceSearch,
    ::testing::Values(
        // A second of silence between two words is less than the two seconds that end one.
        SearchCase{"OneSecondPauseStaysOneSentence",
                   "..LL....LL" + Repeat(".", 10),
                   8,
                   10,
                   {{2000, 15000}}},
        // The end lies N sixteenths of a second before the N-th quiet window.
        SearchCase{
            "QuarterSecondEndsAfterOneQuietWindow", "LL..LL..", 1, 10, {{0, 1750}, {4000, 5750}}},
        SearchCase{"HalfSecondSilence", ".LL.LL...L", 2, 10, {{1000, 6500}, {9000, 10000}}},
        SearchCase{"LoudToTheEndEndsAtTheDataSize", "..LLL", 8, 10, {{2000, 5000}}},
        // 2 x 10 / 3 = 6: a dip to 6 keeps the sentence going, a dip to 5 is quiet.
        SearchCase{"DipToTwoThirdsIsNotQuiet",
                   "L" + Repeat("d", 10) + Repeat(".", 8),
                   8,
                   10,
                   {{0, 16000}}},
        SearchCase{"DipBelowTwoThirdsIsQuiet", "L" + Repeat("q", 10), 8, 10, {{0, 6000}}},
        SearchCase{"ThresholdItselfStartsASentence", "qqTq", 1, 10, {{2000, 2750}}},
        SearchCase{"NothingReachesTheThreshold", "qqqdddqq", 1, 10, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PartitionRecording, StopsAtTwoThousandSentences) {
    CWaveEngine engine;
    ASSERT_EQ(engine.OpenWaveFile(DrawFile(Repeat("L.", 2001))), 0);
    const PartitionResult result = PartitionRecording(engine, 1, 10, nullptr);
    ASSERT_EQ(result.sentences.size(), 2000u);
    EXPECT_EQ(result.sentences.back(), (SentenceRange{3998000, 3998750}));
}

TEST(PartitionRecording, CancelLeavesOneWholeSentenceAndTheCancelledFlag) {
    CWaveEngine engine;
    ASSERT_EQ(engine.OpenWaveFile(DrawFile(Repeat("L.", 30))), 0);
    HeadlessProgress progress;
    progress.CancelAtCheck(5);
    const PartitionResult result = PartitionRecording(engine, 1, 10, &progress);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.sentences, (std::vector<SentenceRange>{{0, 59999}}));
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_FALSE(progress.Shown());
    EXPECT_EQ(progress.Status(), "Auto-Split Progressing...");
    EXPECT_EQ(progress.Upper(), 5);
    EXPECT_EQ(progress.Step(), 1);
}

TEST(PartitionRecording, ProgressWithoutCancelChangesNothing) {
    CWaveEngine engine;
    ASSERT_EQ(engine.OpenWaveFile(DrawFile(Repeat("L.", 30))), 0);
    HeadlessProgress progress;
    const PartitionResult result = PartitionRecording(engine, 1, 10, &progress);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(result.sentences.size(), 30u);
    // The position before the last search, in steps of 10,000 bytes.
    EXPECT_EQ(progress.Position(), 5);
    EXPECT_GT(progress.Checks(), 60);
}

TEST(ComputeCentre, MeanHighByteOfSixteenBitAudio) {
    CWaveEngine engine;
    const Bytes data = fixtures::Le16(std::vector<std::int16_t>(5000, 0x1000));
    ASSERT_EQ(engine.OpenWaveFile(fixtures::WriteTemp(
                  "dc.wav", fixtures::PcmWave(fixtures::Pcm(2, 8000, 16), data))),
              0);
    engine.ComputeCentre();
    EXPECT_EQ(engine.CentringValue(), 0x10 + 128);
}

// The analysis stops after the first block that brings the count past ten million.
TEST(ComputeCentre, ReadsAboutTenMillionSamples) {
    constexpr std::size_t kCounted = 2442 * 4096;
    Bytes data(kCounted, 100);
    data.resize(kCounted + 8192, 250);
    CWaveEngine engine;
    ASSERT_EQ(engine.OpenWaveFile(fixtures::WriteTemp(
                  "long.wav", fixtures::PcmWave(fixtures::Pcm(1, 8000, 8), data))),
              0);
    engine.ComputeCentre();
    EXPECT_EQ(engine.CentringValue(), 100);
}

// Headers that open but describe no usable window: the search ends and finds nothing wrong.
TEST(PartitionRecording, HostileHeadersEndCleanly) {
    struct Hostile {
        std::uint16_t channels;
        std::uint32_t rate;
        std::uint16_t align;
        std::uint16_t bits;
    };
    // A window of no bytes; a window far larger than the data (and than 32 bits).
    const Hostile cases[] = {{1, 3, 1, 8}, {2, 0xFFFFFFFF, 4, 16}};
    const Bytes samples = DrawWindow('L');
    for (const Hostile& h : cases) {
        WaveFormat format = fixtures::Pcm(h.channels, h.rate, h.bits);
        format.blockAlign = h.align;
        const std::string path = Folder().Write(
            "hostile.wav",
            fixtures::RiffWave({fixtures::FmtChunk(format), fixtures::DataChunk(samples)}));
        CWaveEngine engine;
        ASSERT_EQ(engine.OpenWaveFile(path), 0) << h.rate;
        const PartitionResult result = PartitionRecording(engine, 1, 10, nullptr);
        ASSERT_LE(result.sentences.size(), 1u) << h.rate;
        for (const SentenceRange& s : result.sentences) {
            EXPECT_LE(s.start, s.end);
        }
    }
}

} // namespace
