// MPEG audio stored inside wave files (format tags 0x0050 and 0x0055) through the PCM
// conversion. Each case is a short tone made at test time, either as a wave file written by
// ffmpeg or as a bare stream that the project's RIFF writer wraps with a chosen block
// alignment and byte rate; the converted data must be the decode of the same bare stream,
// sample for sample, and its "fact" chunk must count what was decoded.
#include "import/MpegWaveCodec.h"
#include "ConversionFixtures.h"
#include "MpegTestSupport.h"
#include "import/ConversionCodecs.h"
#include "import/ConvertWaveToPcm.h"
#include "import/MpegFrameHeader.h"
#include "platform/RiffChunk.h"
#include "platform/RiffWriter.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace mpegtest;

// Where the wave file comes from.
enum class Source {
    kFfmpegWave, // ffmpeg writes the wave file itself
    kOurWriter,  // ffmpeg writes a bare stream; RiffWriter wraps it
};

struct MpegWaveCase {
    const char* name;
    Source source;
    const char* codec; // ffmpeg encoder: libmp3lame (layer III) or mp2 (layer II)
    const char* bitrate;
    int rate;
    int channels;
    // For kOurWriter: the "fmt " block alignment (0: the first frame's size), the byte rate
    // (0: the stream's), and bytes cut off the end of the stream (a partial last frame).
    int blockAlign = 0;
    int byteRate = 0;
    int cutBytes = 0;
};

void PrintTo(const MpegWaveCase& c, std::ostream* os) {
    *os << c.name;
}

const MpegWaveCase kCases[] = {
    {"ffmpeg_l3_32k_22k_mono", Source::kFfmpegWave, "libmp3lame", "32k", 22050, 1},
    {"ffmpeg_l3_64k_22k_stereo", Source::kFfmpegWave, "libmp3lame", "64k", 22050, 2},
    {"ffmpeg_l3_128k_44k_stereo", Source::kFfmpegWave, "libmp3lame", "128k", 44100, 2},
    {"ffmpeg_l3_128k_44k_mono", Source::kFfmpegWave, "libmp3lame", "128k", 44100, 1},
    {"ffmpeg_l3_320k_44k_stereo", Source::kFfmpegWave, "libmp3lame", "320k", 44100, 2},
    {"ffmpeg_l2_64k_44k_stereo", Source::kFfmpegWave, "mp2", "64k", 44100, 2},
    {"ffmpeg_l2_32k_22k_mono", Source::kFfmpegWave, "mp2", "32k", 22050, 1},
    {"writer_l3_align1", Source::kOurWriter, "libmp3lame", "128k", 44100, 2, 1},
    {"writer_l3_align1152", Source::kOurWriter, "libmp3lame", "128k", 44100, 2, 1152},
    {"writer_l3_align_frame_size", Source::kOurWriter, "libmp3lame", "128k", 48000, 2, 0},
    // Cycles of 300 bytes, shorter than one frame of 418: most cycles end inside a frame.
    {"writer_l3_align1_short_cycles", Source::kOurWriter, "libmp3lame", "128k", 44100, 2, 1, 300},
    // A header without a byte rate, as streaming writers leave it.
    {"writer_l3_no_byte_rate", Source::kOurWriter, "libmp3lame", "32k", 22050, 1, 1, -1},
    {"writer_l2_align1", Source::kOurWriter, "mp2", "64k", 44100, 2, 1},
    {"writer_l2_align1152", Source::kOurWriter, "mp2", "192k", 48000, 2, 1152},
    {"writer_l3_cut_mid_frame", Source::kOurWriter, "libmp3lame", "128k", 44100, 2, 1152, 0, 200},
    {"writer_l2_cut_mid_frame", Source::kOurWriter, "mp2", "64k", 44100, 2, 1, 0, 100},
};

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

std::uint32_t Le32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The "fmt " record of a wave file holding an MPEG stream: MPEGLAYER3WAVEFORMAT for layer
// III (tag 0x0055), MPEG1WAVEFORMAT for layers I and II (tag 0x0050).
std::vector<std::uint8_t> MpegFormat(bool layer3, int channels, int rate, int byteRate,
                                     int blockAlign) {
    Bytes extra;
    if (layer3) {
        extra.U16(1).U32(2).U16(static_cast<std::uint16_t>(blockAlign)).U16(1).U16(1393);
    } else {
        extra.U16(2)
            .U32(static_cast<std::uint32_t>(byteRate) * 8)
            .U16(channels == 1 ? 8 : 1)
            .U16(0)
            .U16(1)
            .U16(0x10)
            .U32(0)
            .U32(0);
    }
    return fixtures::FormatRecord(layer3 ? 0x0055 : 0x0050, static_cast<std::uint16_t>(channels),
                                  static_cast<std::uint32_t>(rate),
                                  static_cast<std::uint32_t>(byteRate),
                                  static_cast<std::uint16_t>(blockAlign), 0, extra.Data());
}

// Wraps a bare stream with the project's RIFF writer: "fmt ", "fact", "data".
void WriteMpegWave(const std::string& path, const std::vector<std::uint8_t>& stream,
                   const std::vector<std::uint8_t>& format, std::uint32_t sampleCount) {
    RiffWriter out;
    ASSERT_TRUE(out.Create(path));
    ASSERT_TRUE(out.CreateChunk(MakeFourCC("RIFF"), MakeFourCC("WAVE")));
    ASSERT_TRUE(out.CreateChunk(MakeFourCC("fmt ")));
    ASSERT_TRUE(out.Write(format.data(), format.size()));
    ASSERT_TRUE(out.Ascend());
    const std::vector<std::uint8_t> fact = fixtures::Le32(sampleCount);
    ASSERT_TRUE(out.CreateChunk(MakeFourCC("fact")));
    ASSERT_TRUE(out.Write(fact.data(), fact.size()));
    ASSERT_TRUE(out.Ascend());
    ASSERT_TRUE(out.CreateChunk(MakeFourCC("data")));
    ASSERT_TRUE(out.Write(stream.data(), stream.size()));
    ASSERT_TRUE(out.Close());
}

std::vector<std::int16_t> DataSamples(const std::string& path) {
    auto data = fixtures::FindChunk(ReadFile(path), "data");
    return data ? fixtures::Samples16(data->body) : std::vector<std::int16_t>{};
}

class MpegWaveCodecTest : public ::testing::TestWithParam<MpegWaveCase> {
protected:
    void SetUp() override {
        if (!HaveTool("ffmpeg")) {
            GTEST_SKIP() << "ffmpeg is not installed (scripts/test installs it); it makes the "
                            "MPEG wave files of these cases";
        }
        m_dir = ScratchDir("mpeg-wave-codec");
    }

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }

    bool Encode(const MpegWaveCase& c, const std::string& format, const std::string& out) {
        // A short tone, made by ffmpeg itself so that no other tool is needed.
        const std::string tone =
            "-f lavfi -i sine=frequency=440:sample_rate=" + std::to_string(c.rate) +
            ":duration=3 -ac " + std::to_string(c.channels);
        const std::string bare =
            format == "mp3" ? " -write_xing 0 -id3v2_version 0" : std::string();
        return RunQuietly("ffmpeg -nostdin -loglevel error -y " + tone + " -c:a " + c.codec +
                          " -b:a " + c.bitrate + bare + " -f " + format + " " + Quote(out));
    }

    std::string m_dir;
};

TEST_P(MpegWaveCodecTest, ConvertsEveryFrameLikeTheBareStream) {
    const MpegWaveCase& c = GetParam();
    const bool layer3 = std::string(c.codec) == "libmp3lame";
    const std::string wave = Path("in.wav");
    const std::string bare = Path("bare.bin");
    if (c.source == Source::kFfmpegWave) {
        ASSERT_TRUE(Encode(c, "wav", wave)) << "ffmpeg cannot encode " << c.name;
        auto data = fixtures::FindChunk(ReadFile(wave), "data");
        ASSERT_TRUE(data);
        WriteFile(bare, data->body);
    } else {
        ASSERT_TRUE(Encode(c, layer3 ? "mp3" : "mp2", bare)) << "ffmpeg cannot encode " << c.name;
        std::vector<std::uint8_t> stream = ReadFile(bare);
        MpegFrameHeader first;
        ASSERT_GE(stream.size(), 4u);
        ASSERT_TRUE(MpegFrameHeader::Parse(static_cast<std::uint32_t>(stream[0]) << 24 |
                                               stream[1] << 16 | stream[2] << 8 | stream[3],
                                           first));
        ASSERT_GT(stream.size(), static_cast<std::size_t>(c.cutBytes));
        stream.resize(stream.size() - static_cast<std::size_t>(c.cutBytes));
        WriteFile(bare, stream);
        const int blockAlign = c.blockAlign > 0 ? c.blockAlign : first.FrameBytes();
        const int byteRate = c.byteRate > 0   ? c.byteRate
                             : c.byteRate < 0 ? 0
                                              : first.Bitrate() * 125;
        WriteMpegWave(wave, stream, MpegFormat(layer3, c.channels, c.rate, byteRate, blockAlign),
                      static_cast<std::uint32_t>(c.rate / 10));
    }
    const RawDecode expected = DecodeRaw(bare);
    ASSERT_FALSE(expected.samples.empty());

    PcmConversionReport report;
    ASSERT_TRUE(ConvertWaveToPcm(wave, Path("out.wav"), ConversionCodecs(), &report))
        << report.error;
    EXPECT_EQ(report.format, WaveFormatEx::Pcm(static_cast<std::uint16_t>(c.channels),
                                               static_cast<std::uint32_t>(c.rate), 16));
    const std::vector<std::int16_t> converted = DataSamples(Path("out.wav"));
    EXPECT_EQ(converted.size(), expected.samples.size());
    EXPECT_TRUE(converted == expected.samples) << "the samples differ from the bare stream's";
    // The "fact" chunk counts the sample frames decoded, not what the source claimed.
    const std::uint32_t frames =
        static_cast<std::uint32_t>(converted.size()) / static_cast<std::uint32_t>(c.channels);
    EXPECT_EQ(report.sampleCount, frames);
    auto fact = fixtures::FindChunk(ReadFile(Path("out.wav")), "fact");
    ASSERT_TRUE(fact && fact->body.size() == 4);
    EXPECT_EQ(Le32At(fact->body, 0), frames);

    // ffmpeg's own decode of the wave file: the same length, within one step. A partial
    // last frame is decoded by ffmpeg as if the rest were there; the decoder here, like its
    // decode of the bare stream, leaves it out.
    ASSERT_TRUE(RunQuietly("ffmpeg -nostdin -loglevel error -y -i " + Quote(wave) + " -f s16le " +
                           Quote(Path("reference.raw"))));
    std::vector<std::int16_t> reference = fixtures::Samples16(ReadFile(Path("reference.raw")));
    if (c.cutBytes > 0) {
        ASSERT_LE(converted.size(), reference.size());
        ASSERT_LE(reference.size() - converted.size(),
                  1152u * static_cast<std::size_t>(c.channels));
        reference.resize(converted.size());
    }
    ASSERT_EQ(converted.size(), reference.size());
    int largest = 0;
    for (std::size_t i = 0; i < converted.size(); ++i) {
        largest = std::max(largest, std::abs(converted[i] - reference[i]));
    }
    EXPECT_LE(largest, 1);
}

INSTANTIATE_TEST_SUITE_P(Streams, MpegWaveCodecTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<MpegWaveCase>& info) {
                             return std::string(info.param.name);
                         });

// Without ffmpeg: the fuzz seeds of MPEG wave files, which the project made the same way.
TEST(MpegWaveCodecSeeds, ConvertLikeTheirBareStreams) {
    const std::filesystem::path seeds = EARLARK_SOURCE_DIR "/tests/fuzz/seeds/wavconvert";
    const std::string dir = ScratchDir("seeds");
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("mpeg_", 0) != 0) {
            continue;
        }
        ++found;
        auto data = fixtures::FindChunk(ReadFile(entry.path().string()), "data");
        ASSERT_TRUE(data) << name;
        WriteFile(dir + "/bare.bin", data->body);
        const RawDecode expected = DecodeRaw(dir + "/bare.bin");
        EXPECT_FALSE(expected.samples.empty()) << name;
        ASSERT_TRUE(ConvertWaveToPcm(entry.path().string(), dir + "/out.wav")) << name;
        EXPECT_TRUE(DataSamples(dir + "/out.wav") == expected.samples) << name;
    }
    EXPECT_GE(found, 5);
}

TEST(MpegWaveCodecFormats, WithoutAFactChunkTheCompressedSourceIsRefused) {
    const std::string dir = ScratchDir("nofact");
    std::vector<std::uint8_t> stream;
    Append(stream, SilentFrame(HeaderWord(3, 3, 9, 0, 1)), 4);
    WriteFile(dir + "/in.wav", fixtures::WaveFile({{"fmt ", MpegFormat(true, 2, 44100, 16000, 1)},
                                                   {"data", stream}}));
    EXPECT_FALSE(ConvertWaveToPcm(dir + "/in.wav", dir + "/out.wav"));
}

// A mono stream in a wave format of two channels: each sample goes to both.
TEST(MpegWaveCodecFormats, FramesFollowTheChannelCountOfTheWaveFormat) {
    const std::string dir = ScratchDir("channels");
    auto data = fixtures::FindChunk(
        ReadFile(EARLARK_SOURCE_DIR "/tests/fuzz/seeds/wavconvert/mpeg_l3_ffmpeg_mono.wav"),
        "data");
    ASSERT_TRUE(data);
    WriteFile(dir + "/bare.bin", data->body);
    const RawDecode mono = DecodeRaw(dir + "/bare.bin");
    ASSERT_FALSE(mono.samples.empty());
    WriteFile(dir + "/in.wav", fixtures::WaveFile({{"fmt ", MpegFormat(true, 2, 22050, 4000, 1)},
                                                   {"fact", fixtures::Le32(1)},
                                                   {"data", data->body}}));
    PcmConversionReport report;
    ASSERT_TRUE(ConvertWaveToPcm(dir + "/in.wav", dir + "/out.wav", ConversionCodecs(), &report));
    EXPECT_EQ(report.format.channels, 2);
    EXPECT_EQ(report.sampleCount, mono.samples.size());
    const std::vector<std::int16_t> stereo = DataSamples(dir + "/out.wav");
    ASSERT_EQ(stereo.size(), 2 * mono.samples.size());
    for (std::size_t i = 0; i < mono.samples.size(); ++i) {
        ASSERT_EQ(stereo[2 * i], mono.samples[i]) << i;
        ASSERT_EQ(stereo[2 * i + 1], mono.samples[i]) << i;
    }
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
