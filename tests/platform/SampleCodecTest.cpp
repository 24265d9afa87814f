// The sample-by-sample codecs: G.711, IEEE float and wide integer PCM.
#include "CodecTestSupport.h"
#include "platform/FloatPcmCodec.h"
#include "platform/G711Codec.h"
#include "platform/WidePcmCodec.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

using codec_test::Decode;
using codec_test::Format;
using Samples = std::vector<std::int16_t>;

TEST(G711Codec, ExpandsKnownCodes) {
    EXPECT_EQ(G711Codec::ExpandALaw(0xD5), 8);
    EXPECT_EQ(G711Codec::ExpandALaw(0x55), -8);
    EXPECT_EQ(G711Codec::ExpandALaw(0xAA), 32256);
    EXPECT_EQ(G711Codec::ExpandALaw(0x2A), -32256);
    EXPECT_EQ(G711Codec::ExpandMuLaw(0xFF), 0);
    EXPECT_EQ(G711Codec::ExpandMuLaw(0x7F), 0);
    EXPECT_EQ(G711Codec::ExpandMuLaw(0x80), 32124);
    EXPECT_EQ(G711Codec::ExpandMuLaw(0x00), -32124);
}

TEST(G711Codec, EveryCodeIsTheMirrorOfItsSignFlippedCode) {
    for (int code = 0; code < 256; ++code) {
        auto c = static_cast<std::uint8_t>(code);
        auto flipped = static_cast<std::uint8_t>(code ^ 0x80);
        EXPECT_EQ(G711Codec::ExpandALaw(c), -G711Codec::ExpandALaw(flipped)) << code;
        EXPECT_EQ(G711Codec::ExpandMuLaw(c), -G711Codec::ExpandMuLaw(flipped)) << code;
    }
}

TEST(G711Codec, DecodesInterleavedChannels) {
    auto alaw = G711Codec::Create(Format(6, 2, 8000, 2, 8));
    auto ulaw = G711Codec::Create(Format(7, 1, 8000, 1, 8));
    ASSERT_TRUE(alaw && ulaw);
    EXPECT_EQ(alaw->OutputFormat(), WaveFormatEx::Pcm(2, 8000, 16));
    EXPECT_EQ(Decode(*alaw, {0xD5, 0x55, 0xAA, 0x2A}), (Samples{8, -8, 32256, -32256}));
    EXPECT_EQ(Decode(*ulaw, {0x80, 0x00, 0xFF}), (Samples{32124, -32124, 0}));
    EXPECT_FALSE(G711Codec::Create(Format(6, 2, 8000, 1, 8)));
    EXPECT_FALSE(G711Codec::Create(Format(7, 1, 8000, 2, 16)));
}

TEST(FloatPcmCodec, RoundsAndClipsToSixteenBits) {
    EXPECT_EQ(FloatPcmCodec::ToSample16(0.0), 0);
    EXPECT_EQ(FloatPcmCodec::ToSample16(0.5), 16384);
    EXPECT_EQ(FloatPcmCodec::ToSample16(-1.0), -32768);
    EXPECT_EQ(FloatPcmCodec::ToSample16(1.0), 32767);
    EXPECT_EQ(FloatPcmCodec::ToSample16(7.5), 32767);
    EXPECT_EQ(FloatPcmCodec::ToSample16(-7.5), -32768);
    EXPECT_EQ(FloatPcmCodec::ToSample16(1.4 / 32768), 1);
    EXPECT_EQ(FloatPcmCodec::ToSample16(-1.6 / 32768), -2);
    EXPECT_EQ(FloatPcmCodec::ToSample16(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(FloatPcmCodec::ToSample16(std::numeric_limits<double>::infinity()), 32767);
}

TEST(FloatPcmCodec, DecodesThirtyTwoAndSixtyFourBitSamples) {
    Bytes single;
    Bytes twice;
    for (double v : {0.25, -0.25, 2.0}) {
        float f = static_cast<float>(v);
        std::uint32_t b32;
        std::uint64_t b64;
        std::memcpy(&b32, &f, 4);
        std::memcpy(&b64, &v, 8);
        single.U32(b32);
        twice.U32(static_cast<std::uint32_t>(b64)).U32(static_cast<std::uint32_t>(b64 >> 32));
    }
    auto f32 = FloatPcmCodec::Create(Format(3, 1, 44100, 4, 32));
    auto f64 = FloatPcmCodec::Create(Format(3, 1, 44100, 8, 64));
    ASSERT_TRUE(f32 && f64);
    EXPECT_EQ(Decode(*f32, single.Data()), (Samples{8192, -8192, 32767}));
    EXPECT_EQ(Decode(*f64, twice.Data()), (Samples{8192, -8192, 32767}));
    EXPECT_FALSE(FloatPcmCodec::Create(Format(3, 1, 44100, 2, 16)));
    EXPECT_FALSE(FloatPcmCodec::Create(Format(3, 2, 44100, 4, 32)));
}

TEST(WidePcmCodec, RoundsWideSamplesToSixteenBits) {
    EXPECT_EQ(WidePcmCodec::ToSample16(0x00008000), 1);
    EXPECT_EQ(WidePcmCodec::ToSample16(0x00007FFF), 0);
    EXPECT_EQ(WidePcmCodec::ToSample16(0x7FFFFFFF), 32767);
    EXPECT_EQ(WidePcmCodec::ToSample16(INT32_MIN), -32768);
    EXPECT_EQ(WidePcmCodec::ToSample16(-0x8000), 0);
    EXPECT_EQ(WidePcmCodec::ToSample16(-0x8001), -1);

    auto pcm24 = WidePcmCodec::Create(Format(1, 1, 48000, 3, 24));
    ASSERT_TRUE(pcm24);
    EXPECT_EQ(
        Decode(*pcm24, {0x80, 0, 0, 0x7F, 0, 0, 0xFF, 0xFF, 0x7F, 0, 0, 0x80, 0x00, 0x34, 0x12}),
        (Samples{1, 0, 32767, -32768, 0x1234}));
    auto pcm32 = WidePcmCodec::Create(Format(1, 2, 48000, 8, 32));
    ASSERT_TRUE(pcm32);
    EXPECT_EQ(Decode(*pcm32, {0, 0x80, 0xFF, 0xFF, 0xFF, 0x7F, 0x34, 0x12}), (Samples{0, 0x1234}));
}

TEST(WidePcmCodec, KeepsEightBitSamplesAndRewritesExtensibleRecords) {
    auto pcm8 = WidePcmCodec::Create(Format(1, 1, 11025, 1, 8));
    ASSERT_TRUE(pcm8);
    EXPECT_EQ(pcm8->OutputFormat(), WaveFormatEx::Pcm(1, 11025, 8));
    std::vector<std::uint8_t> out(4);
    CodecConversion done;
    ASSERT_TRUE(
        pcm8->Convert(std::vector<std::uint8_t>{0, 128, 255}, out, AudioCodec::kBlockAlign, &done));
    EXPECT_EQ(done.produced, 3u);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0, 128, 255, 0}));

    Bytes extra;
    extra.U16(16).U32(3).U16(1).Raw(std::vector<std::uint8_t>{
        0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    auto extensible = WidePcmCodec::Create(Format(0xFFFE, 2, 44100, 4, 16, extra.Data()));
    ASSERT_TRUE(extensible);
    EXPECT_EQ(extensible->OutputFormat(), WaveFormatEx::Pcm(2, 44100, 16));
    EXPECT_EQ(Decode(*extensible, {1, 0, 0xFF, 0xFF}), (Samples{1, -1}));
}

TEST(WidePcmCodec, RefusesInconsistentRecords) {
    EXPECT_FALSE(WidePcmCodec::Create(Format(1, 2, 48000, 3, 24)));
    EXPECT_FALSE(WidePcmCodec::Create(Format(1, 1, 48000, 5, 40)));
    EXPECT_FALSE(WidePcmCodec::Create(Format(1, 1, 48000, 0, 0)));
}

} // namespace
