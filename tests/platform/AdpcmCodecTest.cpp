// IMA and Microsoft ADPCM blocks decoded by hand from the published algorithms.
#include "CodecTestSupport.h"
#include "platform/ImaAdpcmCodec.h"
#include "platform/MsAdpcmCodec.h"

#include <gtest/gtest.h>

namespace {

using codec_test::Decode;
using codec_test::Format;
using Samples = std::vector<std::int16_t>;

std::unique_ptr<AudioCodec> Ima(std::uint16_t channels, std::uint16_t blockAlign,
                                std::uint16_t declared = 0) {
    return ImaAdpcmCodec::Create(
        Format(0x11, channels, 8000, blockAlign, 4, Bytes().U16(declared).Data()));
}

TEST(ImaAdpcmCodec, DecodesAMonoBlockStepByStep) {
    auto codec = Ima(1, 8);
    ASSERT_TRUE(codec);
    // Nibbles 4, C, 7, 0, 0, 0, 0, 0 from predictor 0 at step index 0.
    EXPECT_EQ(Decode(*codec, {0, 0, 0, 0, 0xC4, 0x07, 0x00, 0x00}),
              (Samples{0, 7, -3, 16, 18, 20, 22, 24, 26}));
}

TEST(ImaAdpcmCodec, InterleavesStereoRunsIntoFrames) {
    auto codec = Ima(2, 16);
    ASSERT_TRUE(codec);
    Samples out = Decode(*codec, {100, 0, 0, 0, 0x9C, 0xFF, 0, 0, // headers: 100 and -100
                                  0x44, 0x44, 0x44, 0x44, 0, 0, 0, 0});
    ASSERT_EQ(out.size(), 18u);
    EXPECT_EQ(out[0], 100);
    EXPECT_EQ(out[1], -100);
    EXPECT_EQ(out[2], 107);
    EXPECT_EQ(out[3], -100);
    EXPECT_GT(out[16], out[14]); // the left channel keeps rising
    EXPECT_EQ(out[17], -100);
}

TEST(ImaAdpcmCodec, ClampsTheSampleAndAnOutOfRangeStepIndex) {
    auto codec = Ima(1, 8);
    // Predictor at full scale stays there; a stored step index of 200 counts as 88.
    EXPECT_EQ(Decode(*codec, {0xFF, 0x7F, 88, 0, 0x77, 0, 0, 0})[2], 32767);
    EXPECT_EQ(Decode(*codec, {0, 0, 200, 0, 0x91, 0, 0, 0})[1], 12286);
    EXPECT_EQ(Decode(*codec, {0, 0, 200, 0, 0x91, 0, 0, 0})[2], 12286 - 11172);
}

TEST(ImaAdpcmCodec, HonoursADeclaredShorterBlock) {
    auto codec = Ima(1, 8, 5);
    // Each block yields its first five samples only.
    EXPECT_EQ(Decode(*codec, {0, 0, 0, 0, 0xC4, 0x07, 0, 0, 0, 0, 0, 0, 0x44, 0, 0, 0}),
              (Samples{0, 7, -3, 16, 18, 0, 7, 17, 18, 19}));
}

TEST(ImaAdpcmCodec, DecodesAPartialBlockOnlyAtTheEndWithoutBlockAlignment) {
    auto codec = Ima(1, 12); // 4-byte header, two runs, 17 samples
    std::vector<std::uint8_t> partial = {0, 0, 0, 0, 0xC4, 0x07, 0, 0};
    CodecConversion done;
    EXPECT_TRUE(
        Decode(*codec, partial, AudioCodec::kBlockAlign | AudioCodec::kEndOfStream, &done).empty());
    EXPECT_EQ(done.consumed, 0u);
    EXPECT_EQ(Decode(*codec, partial, AudioCodec::kEndOfStream, &done),
              (Samples{0, 7, -3, 16, 18, 20, 22, 24, 26}));
    EXPECT_EQ(done.consumed, partial.size());
}

TEST(ImaAdpcmCodec, TakesOnlyWhatTheDestinationHasRoomFor) {
    auto codec = Ima(1, 8);
    std::vector<std::uint8_t> source(3 * 8, 0);
    std::vector<std::uint8_t> out(2 * 18 + 5);
    CodecConversion done;
    ASSERT_TRUE(codec->Convert(source, out, AudioCodec::kBlockAlign, &done));
    EXPECT_EQ(done.consumed, 16u);
    EXPECT_EQ(done.produced, 36u);
    EXPECT_EQ(codec->EstimateOutputSize(17), 3u * 18);
}

TEST(ImaAdpcmCodec, RefusesRecordsItCannotDecode) {
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x11, 1, 8000, 256, 3)));
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x11, 2, 8000, 7, 4)));
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x11, 0, 8000, 256, 4)));
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x11, 1, 0, 256, 4)));
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x11, 1, 8000, 0, 4)));
    EXPECT_FALSE(ImaAdpcmCodec::Create(Format(0x02, 1, 8000, 256, 4)));
}

std::vector<std::uint8_t> MsExtra(std::uint16_t samples, std::vector<std::pair<int, int>> coefs) {
    Bytes b;
    b.U16(samples).U16(static_cast<std::uint16_t>(coefs.size()));
    for (auto [a, c] : coefs) {
        b.U16(static_cast<std::uint16_t>(a)).U16(static_cast<std::uint16_t>(c));
    }
    return b.Data();
}

TEST(MsAdpcmCodec, DecodesAMonoBlockStepByStep) {
    auto codec = MsAdpcmCodec::Create(Format(0x02, 1, 8000, 8, 4, MsExtra(4, {{256, 0}})));
    ASSERT_TRUE(codec);
    // Predictor 0, delta 16, sample1 100, sample2 50, then nibbles 1 and 8 (-8).
    EXPECT_EQ(Decode(*codec, {0, 16, 0, 100, 0, 50, 0, 0x18}), (Samples{50, 100, 116, -12}));
}

TEST(MsAdpcmCodec, UsesTheRecordsCoefficientsAndClampsThePredictorIndex) {
    // One pair that predicts the sample before last.
    auto codec = MsAdpcmCodec::Create(Format(0x02, 1, 8000, 8, 4, MsExtra(4, {{0, 256}})));
    ASSERT_TRUE(codec);
    EXPECT_EQ(Decode(*codec, {0, 16, 0, 100, 0, 50, 0, 0x00}), (Samples{50, 100, 50, 100}));
    EXPECT_EQ(Decode(*codec, {9, 16, 0, 100, 0, 50, 0, 0x00}), (Samples{50, 100, 50, 100}));
}

TEST(MsAdpcmCodec, InterleavesStereoNibbles) {
    auto codec = MsAdpcmCodec::Create(Format(0x02, 2, 8000, 15, 4));
    ASSERT_TRUE(codec); // no coefficients stored: the standard seven apply
    // Left: predictor 0, delta 16, 10, 0; right: predictor 2 (0, 0), delta 16, -10, 0.
    Samples out = Decode(*codec, {0, 2, 16, 0, 16, 0, 10, 0, 0xF6, 0xFF, 0, 0, 0, 0, 0x1F});
    EXPECT_EQ(out, (Samples{0, 0, 10, -10, 26, -16}));
}

TEST(MsAdpcmCodec, SurvivesAHugeDelta) {
    auto codec = MsAdpcmCodec::Create(Format(0x02, 1, 8000, 207, 4));
    std::vector<std::uint8_t> block(207, 0x77);
    block[0] = 0;
    block[1] = 0xFF;
    block[2] = 0x7F;
    Samples out = Decode(*codec, block);
    ASSERT_EQ(out.size(), 402u);
    EXPECT_EQ(out.back(), 32767);
}

TEST(MsAdpcmCodec, RefusesRecordsItCannotDecode) {
    EXPECT_FALSE(MsAdpcmCodec::Create(Format(0x02, 2, 8000, 13, 4)));
    EXPECT_FALSE(MsAdpcmCodec::Create(Format(0x02, 1, 8000, 256, 8)));
    EXPECT_FALSE(MsAdpcmCodec::Create(Format(0x02, 9, 8000, 2048, 4)));
}

} // namespace
