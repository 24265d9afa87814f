// Rendering ranges into memory: the exact bytes and lengths the player would produce.
#include "audio/EngineHarness.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

using namespace fixtures;

namespace {

// 16-bit mono 44.1 kHz: buffers of 11,024 bytes (5,512 frames).
constexpr std::uint32_t kBuffer = 11024;

class Render : public EngineHarness {
protected:
    void OpenSine(std::uint32_t seconds, int rate = 100) {
        m_data = Sine16(44100 * seconds, 300.0, 44100, 10000);
        Open(Pcm(1, 44100, 16), m_data, rate);
    }
    std::int64_t RenderInto(std::uint32_t start, std::uint32_t end, std::uint32_t interval,
                            int rate) {
        m_out.clear();
        return engine.RenderRange(m_out, start, end, interval, rate);
    }
    static std::vector<std::int32_t> Samples(const Bytes& bytes) {
        auto s = ToSamples16(bytes);
        return std::vector<std::int32_t>(s.begin(), s.end());
    }

    Bytes m_data;
    Bytes m_out;
};

} // namespace

TEST_F(Render, NormalSpeedRendersTheFileBytes) {
    OpenSine(2);
    EXPECT_EQ(RenderInto(1000, 50000, 0, 100), 49000);
    EXPECT_EQ(m_out, Bytes(m_data.begin() + 1000, m_data.begin() + 50000));
}

TEST_F(Render, HalfSpeedDoublesAndDoubleSpeedHalvesEveryBuffer) {
    OpenSine(10);
    EXPECT_EQ(RenderInto(0, 4 * kBuffer, 0, 50), 4 * 22048);
    EXPECT_EQ(RenderInto(0, 4 * kBuffer, 0, 200), 4 * 5512);
    // A last buffer of half a buffer: 5,512 bytes become 11,024 at half speed.
    EXPECT_EQ(RenderInto(0, kBuffer + kBuffer / 2, 0, 50), 22048 + 11024);
}

TEST_F(Render, StretchedSineKeepsItsPitchAndScalesItsLength) {
    OpenSine(10);
    const auto original = Samples(Bytes(m_data.begin(), m_data.begin() + 8 * kBuffer));
    const double expected = ZeroCrossingRate(original);
    for (int rate : {33, 50, 75, 125, 150, 200}) {
        const std::int64_t bytes = RenderInto(0, 8 * kBuffer, 0, rate);
        const double ratio = static_cast<double>(bytes) / (8.0 * kBuffer);
        EXPECT_NEAR(ratio, 100.0 / rate, 0.01) << rate;
        EXPECT_NEAR(ZeroCrossingRate(Samples(m_out)), expected, expected * 0.05) << rate;
    }
}

TEST_F(Render, RangesNearTheEndOfTheDataAreNotStretched) {
    OpenSine(2);
    const auto size = static_cast<std::uint32_t>(m_data.size());
    EXPECT_EQ(RenderInto(size - 2 * kBuffer, size, 0, 50), 2 * kBuffer);
    EXPECT_EQ(m_out, Bytes(m_data.end() - 2 * kBuffer, m_data.end()));
}

TEST_F(Render, IntervalOnlyIsSilenceAtAnySpeed) {
    Open(Pcm(2, 8000, 16), Bytes(32000, 0x55));
    for (int rate : {33, 100, 200}) {
        EXPECT_EQ(RenderInto(0, 0, 1001, rate), 1000) << rate;
        EXPECT_EQ(m_out, Bytes(1000, 0));
    }
    engine.CloseOutput();
    Open(Pcm(1, 8000, 8), Bytes(8000, 0x55));
    EXPECT_EQ(RenderInto(0, 0, 2500, 50), 2500);
    EXPECT_EQ(m_out, Bytes(2500, 128));
}

TEST_F(Render, AudioThenIntervalAtHalfSpeed) {
    OpenSine(10);
    // One buffer of audio (stretched to two) and 1.5 buffers of silence (never stretched).
    EXPECT_EQ(RenderInto(0, kBuffer, kBuffer + kBuffer / 2, 50),
              2 * kBuffer + kBuffer + kBuffer / 2);
    EXPECT_TRUE(
        std::all_of(m_out.begin() + 2 * kBuffer, m_out.end(), [](auto b) { return b == 0; }));
}

TEST_F(Render, StretchedBufferEndingInTheIntervalIsSilentAfterItsAudio) {
    OpenSine(10);
    // Half a buffer of audio and half of silence in one buffer: the audio becomes a whole
    // buffer at half speed, and what follows it must be silence, not look-ahead samples.
    EXPECT_EQ(RenderInto(0, kBuffer / 2, kBuffer / 2, 50), 2 * kBuffer);
    EXPECT_TRUE(std::all_of(m_out.begin() + kBuffer, m_out.end(), [](auto b) { return b == 0; }));
    EXPECT_FALSE(
        std::all_of(m_out.begin(), m_out.begin() + kBuffer, [](auto b) { return b == 0; }));
}

TEST_F(Render, EightBitStereoChannelsAreStretchedSeparately) {
    // Left: a tone around 128; right: silence. After stretching, the right channel is still
    // exact silence and the left one still a tone.
    Bytes data;
    for (int i = 0; i < 8000 * 4; ++i) {
        const double v = 100 * std::sin(2 * std::numbers::pi * 300.0 * i / 8000);
        data.push_back(static_cast<std::uint8_t>(128 + std::lround(v)));
        data.push_back(128);
    }
    Open(Pcm(2, 8000, 8), data);
    EXPECT_EQ(RenderInto(0, 4000, 0, 50), 8000); // two buffers of 2,000 bytes, doubled
    std::vector<std::int32_t> left;
    for (std::size_t i = 0; i + 1 < m_out.size(); i += 2) {
        left.push_back(m_out[i] - 128);
        ASSERT_EQ(m_out[i + 1], 128) << "frame " << i / 2;
    }
    EXPECT_NEAR(ZeroCrossingRate(left), 2 * 300.0 / 8000, 0.1 * 2 * 300.0 / 8000);
}

TEST_F(Render, NothingToRenderAndNoOutputOpen) {
    OpenSine(1);
    EXPECT_EQ(RenderInto(500, 500, 0, 100), 0);
    EXPECT_TRUE(m_out.empty());
    engine.CloseOutput();
    EXPECT_EQ(RenderInto(0, 1000, 0, 100), -1);
    EXPECT_EQ(RenderInto(0, 0, 0, 100), 0);
}

TEST_F(Render, RenderDropsAnyRangeBeingPlayed) {
    OpenSine(10);
    engine.PlayRange(0, 20 * kBuffer, 0);
    ASSERT_EQ(device.QueuedCount(), 10u);
    RenderInto(0, kBuffer, 0, 100);
    EXPECT_EQ(device.QueuedCount(), 0u);
    messages.RunPending();
    EXPECT_EQ(owner.doneNotices, 0);
}
