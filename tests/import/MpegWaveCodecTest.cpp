// MPEG audio stored inside wave files (format tag 0x0055) through the PCM conversion.
#include "import/MpegWaveCodec.h"
#include "MpegTestSupport.h"
#include "import/ConvertWaveToPcm.h"
#include "platform/RiffWriter.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

using namespace mpegtest;

constexpr std::uint32_t Id(const char (&s)[5]) {
    return static_cast<std::uint32_t>(s[0]) | static_cast<std::uint32_t>(s[1]) << 8 |
           static_cast<std::uint32_t>(s[2]) << 16 | static_cast<std::uint32_t>(s[3]) << 24;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A wave file whose data chunk holds an MPEG layer III stream.
void WriteMpegWave(const std::string& path, const std::vector<std::uint8_t>& stream,
                   std::uint16_t channels, bool withFact) {
    std::vector<std::uint8_t> fmt;
    Put16(fmt, 0x0055);
    Put16(fmt, channels);
    Put32(fmt, 44100);
    Put32(fmt, 8000);
    Put16(fmt, 1);
    Put16(fmt, 0);
    Put16(fmt, 12);
    Put16(fmt, 1); // MPEGLAYER3WAVEFORMAT: id, flags, block size, frames per block, delay
    Put32(fmt, 2);
    Put16(fmt, 209);
    Put16(fmt, 1);
    Put16(fmt, 1393);
    RiffWriter out;
    ASSERT_TRUE(out.Create(path));
    ASSERT_TRUE(out.CreateChunk(Id("RIFF"), Id("WAVE")));
    ASSERT_TRUE(out.CreateChunk(Id("fmt ")));
    ASSERT_TRUE(out.Write(fmt.data(), fmt.size()));
    ASSERT_TRUE(out.Ascend());
    if (withFact) {
        std::vector<std::uint8_t> fact;
        Put32(fact, 44100);
        ASSERT_TRUE(out.CreateChunk(Id("fact")));
        ASSERT_TRUE(out.Write(fact.data(), fact.size()));
        ASSERT_TRUE(out.Ascend());
    }
    ASSERT_TRUE(out.CreateChunk(Id("data")));
    ASSERT_TRUE(out.Write(stream.data(), stream.size()));
    ASSERT_TRUE(out.Close());
}

// The samples of the "data" chunk of a converted file.
std::vector<std::int16_t> DataSamples(const std::vector<std::uint8_t>& wave) {
    for (std::size_t pos = 12; pos + 8 <= wave.size();) {
        std::uint32_t size = wave[pos + 4] | wave[pos + 5] << 8 | wave[pos + 6] << 16 |
                             static_cast<std::uint32_t>(wave[pos + 7]) << 24;
        if (std::memcmp(&wave[pos], "data", 4) == 0) {
            std::vector<std::int16_t> samples(std::min<std::size_t>(size, wave.size() - pos - 8) /
                                              2);
            std::memcpy(samples.data(), &wave[pos + 8], samples.size() * 2);
            return samples;
        }
        pos += 8 + size + (size & 1);
    }
    return {};
}

class MpegWaveCodecTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveTool("lame") || !HaveTool("sox")) {
            GTEST_SKIP() << "lame or sox is not installed (scripts/test installs them)";
        }
        m_dir = ScratchDir("mpeg-wave-codec");
        ASSERT_TRUE(RunQuietly("sox -n -r 44100 -c 1 -b 16 '" + m_dir +
                               "/tone.wav' synth 1.5 sine 440 gain -6"));
        ASSERT_TRUE(
            RunQuietly("lame --quiet -b 64 '" + m_dir + "/tone.wav' '" + m_dir + "/tone.mp3'"));
        m_stream = ReadFile(m_dir + "/tone.mp3");
        m_bare = DecodeRaw(m_dir + "/tone.mp3");
        ASSERT_FALSE(m_bare.samples.empty());
    }

    std::string m_dir;
    std::vector<std::uint8_t> m_stream;
    RawDecode m_bare;
};

TEST_F(MpegWaveCodecTest, DecodesToTheSameSamplesAsTheBareStream) {
    WriteMpegWave(m_dir + "/in.wav", m_stream, 1, true);
    ASSERT_TRUE(ConvertWaveToPcm(m_dir + "/in.wav", m_dir + "/out.wav"));
    std::vector<std::int16_t> converted = DataSamples(ReadFile(m_dir + "/out.wav"));
    EXPECT_EQ(converted, m_bare.samples);
}

TEST_F(MpegWaveCodecTest, FramesFollowTheChannelCountOfTheWaveFormat) {
    WriteMpegWave(m_dir + "/stereo.wav", m_stream, 2, true);
    ASSERT_TRUE(ConvertWaveToPcm(m_dir + "/stereo.wav", m_dir + "/out.wav"));
    std::vector<std::int16_t> converted = DataSamples(ReadFile(m_dir + "/out.wav"));
    ASSERT_EQ(converted.size(), 2 * m_bare.samples.size());
    for (std::size_t i = 0; i < m_bare.samples.size(); i += 997) {
        EXPECT_EQ(converted[2 * i], m_bare.samples[i]);
        EXPECT_EQ(converted[2 * i + 1], m_bare.samples[i]);
    }
}

TEST_F(MpegWaveCodecTest, WithoutAFactChunkTheCompressedSourceIsRefused) {
    WriteMpegWave(m_dir + "/nofact.wav", m_stream, 1, false);
    EXPECT_FALSE(ConvertWaveToPcm(m_dir + "/nofact.wav", m_dir + "/out.wav"));
}

TEST(MpegWaveCodecFormats, OnlyMpegTagsWithOneOrTwoChannelsAreTaken) {
    WaveFormatEx format;
    format.formatTag = WaveFormatEx::kMpegLayer3;
    format.channels = 2;
    format.samplesPerSec = 22050;
    EXPECT_NE(MpegWaveCodec::Create(format), nullptr);
    format.formatTag = WaveFormatEx::kMpeg;
    EXPECT_NE(MpegWaveCodec::Create(format), nullptr);
    format.channels = 3;
    EXPECT_EQ(MpegWaveCodec::Create(format), nullptr);
    format.channels = 1;
    format.formatTag = WaveFormatEx::kImaAdpcm;
    EXPECT_EQ(MpegWaveCodec::Create(format), nullptr);
}

} // namespace
