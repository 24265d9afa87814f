// The loudness measure and the search for the quietest point.
#include "audio/CWaveEngine.h"
#include "audio/WaveFixtures.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

class Level : public ::testing::Test {
protected:
    void Open(const WaveFormat& format, const Bytes& samples) {
        ASSERT_EQ(m_engine.OpenWaveFile(WriteTemp("level.wav", PcmWave(format, samples))), 0);
    }
    CWaveEngine m_engine;
};

} // namespace

TEST_F(Level, DigitalSilenceOfSixteenBitAudioAtCentre128IsZero) {
    Open(Pcm(1, 8000, 16), Bytes(2000, 0));
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(0, 2000), 0);
}

TEST_F(Level, AlternatingEightBitExtremesGive637) {
    Bytes samples;
    for (int i = 0; i < 500; ++i) {
        samples.push_back(i % 2 == 0 ? 0 : 255);
    }
    Open(Pcm(1, 8000, 8), samples);
    m_engine.SetCentringValue(128);
    // Frame measures 640 and 635 alternate; the root of the integer mean of their squares.
    EXPECT_EQ(m_engine.MeasureLevel(0, 500), 637);
}

TEST_F(Level, EightBitZerosGive640) {
    Open(Pcm(1, 8000, 8), Bytes(300, 0));
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(0, 300), 640);
    m_engine.SetCentringValue(0);
    EXPECT_EQ(m_engine.MeasureLevel(0, 300), 0);
}

TEST_F(Level, PositionsOutsideTheDataGiveMinusOne) {
    Open(Pcm(1, 8000, 8), Bytes(300, 0));
    EXPECT_EQ(m_engine.MeasureLevel(301, 10), -1);
    EXPECT_EQ(m_engine.MeasureLevel(300, 10), -1) << "at the end nothing can be read";
    EXPECT_EQ(m_engine.MeasureLevel(0x80000000u, 10), -1) << "negative as a signed value";
    EXPECT_EQ(m_engine.MeasureLevel(0xFFFFFFFFu, 10), -1);
    EXPECT_EQ(m_engine.MeasureLevel(0, 0), -1);
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(290, 0xFFFFFFFFu), 640) << "a huge length reads what exists";
}

TEST_F(Level, SixteenBitLowBytesAreNotLookedAt) {
    Bytes quiet;
    Bytes noisyLow;
    for (int i = 0; i < 400; ++i) {
        quiet.insert(quiet.end(), {0x00, 0x20});
        noisyLow.insert(noisyLow.end(), {static_cast<std::uint8_t>(i * 37), 0x20});
    }
    Open(Pcm(1, 8000, 16), quiet);
    m_engine.SetCentringValue(128);
    const int level = m_engine.MeasureLevel(0, 800);
    EXPECT_EQ(level, 5 * 0x20);
    Open(Pcm(1, 8000, 16), noisyLow);
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(0, 800), level);
}

TEST_F(Level, StereoAveragesTheTwoChannelsPerFrame) {
    Bytes samples;
    for (int i = 0; i < 100; ++i) {
        // Left high byte 0x40 (scale 192, 64 above centre), right silent, then negative left.
        samples.insert(samples.end(), {0x00, 0x40, 0x00, 0x00});
        samples.insert(samples.end(), {0x00, 0xC0, 0x00, 0x00});
    }
    Open(Pcm(2, 8000, 16), samples);
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(0, 800), (5 * 64 + 0) / 2);
}

TEST_F(Level, EightBitStereoTruncatesTheAverage) {
    // v = 1, w = 0: (5 + 0) / 2 = 2.
    Open(Pcm(2, 8000, 8), Bytes{129, 128, 129, 128});
    m_engine.SetCentringValue(128);
    EXPECT_EQ(m_engine.MeasureLevel(0, 4), 2);
}

TEST_F(Level, QuietPointIsTheStartOfTheQuietestTwentieth) {
    // 16-bit mono, 20 sub-windows of 100 bytes; only the one starting at byte 1400 is quiet.
    Bytes samples;
    for (int i = 0; i < 1500; ++i) {
        const bool quiet = i >= 700 && i < 750;
        samples.insert(samples.end(), {0x00, static_cast<std::uint8_t>(quiet ? 0x01 : 0x30)});
    }
    Open(Pcm(1, 8000, 16), samples);
    m_engine.SetCentringValue(77);
    // Centre 1001 rounds down to 1000; the window of 2000 bytes starts at 0.
    EXPECT_EQ(m_engine.FindQuietPoint(1001, 2000), 1400u);
    EXPECT_EQ(m_engine.CentringValue(), 0);
}

TEST_F(Level, QuietPointPrefersTheEarliestOfEqualLevels) {
    Open(Pcm(1, 8000, 8), Bytes(4000, 128));
    EXPECT_EQ(m_engine.FindQuietPoint(2000, 2000), 1000u);
}

TEST_F(Level, SubWindowsBeyondTheDataCountAsQuietest) {
    Bytes samples(1000, 128); // 8-bit silence: level 640 around centre 0
    Open(Pcm(1, 8000, 8), samples);
    // Window 2000 centred on 900 starts at -100, taken as the start of the data: sub-windows
    // from 0 step 100; the one at 1000 lies at the end of the data and measures -1.
    EXPECT_EQ(m_engine.FindQuietPoint(900, 2000), 1000u);
}

TEST_F(Level, QuietPointStartsOnWholeFrames) {
    Open(Pcm(2, 8000, 16), Bytes(8000, 0));
    const std::uint32_t at = m_engine.FindQuietPoint(4003, 402);
    // Centre 4000, minus 201 = 3799, rounded down to whole frames: 3796.
    EXPECT_EQ(at, 3796u);
}
