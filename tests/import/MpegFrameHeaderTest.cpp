#include "MpegTestSupport.h"

#include "import/MpegFrameHeader.h"

#include <gtest/gtest.h>

using mpegtest::HeaderWord;

TEST(MpegFrameHeaderTest, ParsesMpeg1LayerIIIAndComputesFrameLength) {
    MpegFrameHeader h;
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(3, 3, 9, 0, 1), h));
    EXPECT_EQ(h.version, MpegFrameHeader::kMpeg1);
    EXPECT_EQ(h.layer, 3);
    EXPECT_EQ(h.Bitrate(), 128);
    EXPECT_EQ(h.SampleRate(), 44100);
    EXPECT_EQ(h.Channels(), 2);
    EXPECT_EQ(h.FrameBytes(), 417);
    EXPECT_EQ(h.SamplesPerFrame(), 1152);
    EXPECT_EQ(h.SideInfoBytes(), 32);
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(3, 3, 9, 0, 1, true), h));
    EXPECT_EQ(h.FrameBytes(), 418);
}

TEST(MpegFrameHeaderTest, LowerSamplingFrequenciesAndElevenBitSync) {
    MpegFrameHeader h;
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(2, 3, 8, 0, 3), h)); // 64 kbit/s 22.05 kHz
    EXPECT_EQ(h.SampleRate(), 22050);
    EXPECT_EQ(h.SamplesPerFrame(), 576);
    EXPECT_EQ(h.FrameBytes(), 72 * 64000 / 22050);
    EXPECT_EQ(h.SideInfoBytes(), 9);
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(0, 3, 2, 2, 3), h)); // 16 kbit/s 8 kHz
    EXPECT_EQ(h.version, MpegFrameHeader::kMpeg25);
    EXPECT_EQ(h.SampleRate(), 8000);
    EXPECT_EQ(h.FrameBytes(), 144);
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(2, 2, 8, 1, 0), h)); // layer II 24 kHz
    EXPECT_EQ(h.SamplesPerFrame(), 1152);
    EXPECT_EQ(h.FrameBytes(), 144 * 64000 / 24000);
}

TEST(MpegFrameHeaderTest, LayerIFrameIsCountedInFourByteSlots) {
    MpegFrameHeader h;
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(3, 1, 12, 0, 0, true), h)); // 384 kbit/s
    EXPECT_EQ(h.Bitrate(), 384);
    EXPECT_EQ(h.FrameBytes(), (12 * 384000 / 44100) * 4 + 4);
    EXPECT_EQ(h.SamplesPerFrame(), 384);
}

TEST(MpegFrameHeaderTest, RefusesBadSyncAndReservedValues) {
    MpegFrameHeader h;
    const std::uint32_t good = HeaderWord(3, 3, 9, 0, 1);
    EXPECT_FALSE(MpegFrameHeader::Parse(good & ~0x00800000u, h));             // sync bit missing
    EXPECT_FALSE(MpegFrameHeader::Parse((good & ~(3u << 19)) | 1u << 19, h)); // version 01
    EXPECT_FALSE(MpegFrameHeader::Parse(good & ~(3u << 17), h));              // layer 00
    EXPECT_FALSE(MpegFrameHeader::Parse(good | 15u << 12, h));                // bitrate 15
    EXPECT_FALSE(MpegFrameHeader::Parse(good | 3u << 10, h));                 // rate 11
    EXPECT_FALSE(MpegFrameHeader::Parse(good | 2u, h));                       // emphasis 10
}

TEST(MpegFrameHeaderTest, JointStereoBoundFollowsModeExtension) {
    MpegFrameHeader h;
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(3, 2, 10, 1, 1) | 2u << 4, h));
    EXPECT_EQ(h.JointBound(), 12);
    ASSERT_TRUE(MpegFrameHeader::Parse(HeaderWord(3, 2, 10, 1, 0), h));
    EXPECT_EQ(h.JointBound(), 32);
}
