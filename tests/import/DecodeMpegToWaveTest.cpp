#include "MpegTestSupport.h"

#include "import/DecodeMpegToWave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace mpegtest;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

struct WaveHeader {
    std::uint32_t riffSize, fmtSize, formatTag, channels, rate, byteRate, blockAlign, bits,
        dataSize;
};

WaveHeader Header(const std::vector<std::uint8_t>& w) {
    EXPECT_GE(w.size(), 44u);
    EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
    EXPECT_EQ(std::string(w.begin() + 8, w.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(std::string(w.begin() + 36, w.begin() + 40), "data");
    return {U32(w, 4),  U32(w, 16), U16(w, 20), U16(w, 22), U32(w, 24),
            U32(w, 28), U16(w, 32), U16(w, 34), U32(w, 40)};
}

// Decodes `stream` written to a file; returns the wave file's bytes.
std::vector<std::uint8_t> Decode(const std::string& test, const std::vector<std::uint8_t>& stream) {
    const std::string dir = ScratchDir(test);
    WriteFile(dir + "/in.mp3", stream);
    EXPECT_TRUE(DecodeMpegToWave(dir + "/in.mp3", dir + "/out.wav"));
    return ReadFile(dir + "/out.wav");
}

} // namespace

TEST(DecodeMpegToWaveTest, StereoLayerIIIAt44100) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 4);
    const auto wave = Decode("stereo44", stream);
    const WaveHeader h = Header(wave);
    EXPECT_EQ(h.formatTag, 1u);
    EXPECT_EQ(h.fmtSize, 16u);
    EXPECT_EQ(h.channels, 2u);
    EXPECT_EQ(h.rate, 44100u);
    EXPECT_EQ(h.byteRate, 176400u);
    EXPECT_EQ(h.blockAlign, 4u);
    EXPECT_EQ(h.bits, 16u);
    EXPECT_EQ(h.dataSize, 4u * 4608);
    EXPECT_EQ(h.riffSize, h.dataSize + 36);
    EXPECT_EQ(wave.size(), 44u + h.dataSize);
}

TEST(DecodeMpegToWaveTest, MonoLayerIIIAt22050HasFramesOf1152Bytes) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(2, 3, 8, 0, 3)), 5);
    const WaveHeader h = Header(Decode("mono22", stream));
    EXPECT_EQ(h.channels, 1u);
    EXPECT_EQ(h.rate, 22050u);
    EXPECT_EQ(h.byteRate, 44100u);
    EXPECT_EQ(h.blockAlign, 2u);
    EXPECT_EQ(h.dataSize, 5u * 1152);
}

TEST(DecodeMpegToWaveTest, NoDecodableFrameGivesTheDefaultHeaderAndNoData) {
    std::vector<std::uint8_t> junk(5000);
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<std::uint8_t>(i * 7 % 251); // never 0xFF
    }
    const auto wave = Decode("nothing", junk);
    ASSERT_EQ(wave.size(), 44u);
    const WaveHeader h = Header(wave);
    EXPECT_EQ(h.riffSize, 36u);
    EXPECT_EQ(h.dataSize, 0u);
    EXPECT_EQ(h.channels, 1u);
    EXPECT_EQ(h.rate, 11025u);
    EXPECT_EQ(h.byteRate, 11025u);
    EXPECT_EQ(h.blockAlign, 1u);
    EXPECT_EQ(h.bits, 8u);
    EXPECT_EQ(Header(Decode("empty", {})).dataSize, 0u);
}

// An ID3v2 tag whose picture bytes contain frame-sync patterns, then junk, then frames.
TEST(DecodeMpegToWaveTest, SkipsTagsAndJunkBeforeTheFirstFrame) {
    std::vector<std::uint8_t> picture(3000);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = i % 5 == 0 ? 0xFF : static_cast<std::uint8_t>(0xE0 + i % 31);
    }
    std::vector<std::uint8_t> stream{'I', 'D', '3', 3, 0, 0};
    const std::size_t size = picture.size();
    stream.push_back(static_cast<std::uint8_t>(size >> 21 & 0x7F));
    stream.push_back(static_cast<std::uint8_t>(size >> 14 & 0x7F));
    stream.push_back(static_cast<std::uint8_t>(size >> 7 & 0x7F));
    stream.push_back(static_cast<std::uint8_t>(size & 0x7F));
    Append(stream, picture);
    Append(stream, {0x00, 0xFF, 0xFB, 0x12, 0x34, 0xFF});       // junk, one false sync
    Append(stream, SilentFrame(HeaderWord(3, 2, 10, 1, 0)), 3); // layer II 48 kHz
    Append(stream, {'T', 'A', 'G'});
    Append(stream, std::vector<std::uint8_t>(125, 0x20));
    const WaveHeader h = Header(Decode("tags", stream));
    EXPECT_EQ(h.rate, 48000u);
    EXPECT_EQ(h.channels, 2u);
    EXPECT_EQ(h.dataSize, 3u * 4608);
}

TEST(DecodeMpegToWaveTest, TruncatedFileEndsAfterItsLastWholeFrame) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 6);
    stream.resize(stream.size() - 200);
    const WaveHeader h = Header(Decode("truncated", stream));
    EXPECT_EQ(h.dataSize, 5u * 4608);
}

// The header keeps the first frame's format; frames with another channel count are
// converted to it so the data never goes out of step with the header.
TEST(DecodeMpegToWaveTest, MonoFramesAfterStereoOnesAreUpMixed) {
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 0)), 2);
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 3)), 3);
    const WaveHeader h = Header(Decode("switch", stream));
    EXPECT_EQ(h.channels, 2u);
    EXPECT_EQ(h.dataSize, 5u * 4608);
}

TEST(DecodeMpegToWaveTest, FailsWithoutTouchingTheDestinationWhenTheSourceCannotBeOpened) {
    const std::string dir = ScratchDir("missing");
    EXPECT_FALSE(DecodeMpegToWave(dir + "/nope.mp3", dir + "/out.wav"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/out.wav"));
}

TEST(DecodeMpegToWaveTest, FailsWhenTheDestinationCannotBeWritten) {
    const std::string dir = ScratchDir("unwritable");
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 2);
    WriteFile(dir + "/in.mp3", stream);
    EXPECT_FALSE(DecodeMpegToWave(dir + "/in.mp3", dir + "/no-such-folder/out.wav"));
}
