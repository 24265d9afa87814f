#include "audio/SentencePadding.h"

#include "platform/WaveFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(SentencePadding, WholeFramesWithinTheData) {
    WaveFormat stereo;
    stereo.avgBytesPerSec = 176400;
    stereo.blockAlign = 4;
    WaveFormat odd;
    odd.avgBytesPerSec = 33075; // 11,025 Hz, 3-byte frames: 50 ms is 1,653.75 bytes
    odd.blockAlign = 3;
    EXPECT_EQ(SentencePadding::Bytes(250, stereo), 44100u);
    EXPECT_EQ(SentencePadding::Bytes(1200, stereo), 176400u) << "at most one second";
    EXPECT_EQ(SentencePadding::Bytes(-50, stereo), 0u);
    EXPECT_EQ(SentencePadding::Bytes(50, odd), 1653u);
    EXPECT_EQ(SentencePadding::ValidMs(275), 250);

    struct Case {
        std::uint32_t start, end, padding, dataSize, paddedStart, paddedEnd;
    };
    for (const Case& c : {Case{1000, 2000, 400, 10000, 600, 2400},
                          Case{100, 9990, 400, 10000, 0, 9999}, Case{0, 9999, 400, 10000, 0, 9999},
                          Case{5, 0xFFFFFFF0u, 400, 0xFFFFFFFFu, 0, 0xFFFFFFFEu},
                          Case{500, 600, 0, 10000, 500, 600}, Case{500, 600, 400, 0, 500, 600}}) {
        std::uint32_t start = c.start;
        std::uint32_t end = c.end;
        SentencePadding::Apply(start, end, c.padding, c.dataSize);
        EXPECT_EQ(start, c.paddedStart) << c.start;
        EXPECT_EQ(end, c.paddedEnd) << c.end;
    }
}

} // namespace
