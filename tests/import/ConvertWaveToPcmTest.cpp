// ConvertWaveToPcm on crafted files: the destination's layout, which sources convert, hostile
// sources, codecs that hold output back or fail, and what is left behind after a failure.
#include "import/ConvertWaveToPcm.h"
#include "ConversionFixtures.h"
#include "import/ConversionCodecs.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using fixtures::Chunk;
using fixtures::FindChunk;
using fixtures::FormatRecord;
using fixtures::Le32;
using fixtures::WaveFile;

// IMA ADPCM, mono, 8 kHz, 36-byte blocks: a 4-byte header and 32 bytes of nibbles, 65 samples.
constexpr std::uint16_t kImaBlock = 36;
constexpr std::size_t kImaSamples = 65;

std::vector<std::uint8_t> ImaFormat(std::uint16_t blockAlign = kImaBlock,
                                    std::uint32_t byteRate = 4055) {
    return FormatRecord(0x11, 1, 8000, byteRate, blockAlign, 4, Le32(kImaSamples & 0xFFFF));
}

std::vector<std::uint8_t> ImaBlocks(std::size_t count) {
    std::vector<std::uint8_t> data;
    for (std::size_t b = 0; b < count; ++b) {
        data.insert(data.end(), {static_cast<std::uint8_t>(b * 40), 0, 20, 0});
        for (int i = 0; i < 32; ++i) {
            data.push_back(static_cast<std::uint8_t>(i * 37 + b));
        }
    }
    return data;
}

std::size_t OpenDescriptors() {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                      std::filesystem::directory_iterator()));
}

struct Converted {
    bool ok;
    PcmConversionReport report;
    std::vector<std::uint8_t> file;
};

Converted Convert(const TempDir& dir, const std::vector<std::uint8_t>& source,
                  const CodecService& codecs = ConversionCodecs()) {
    std::string in = dir.Write("in.wav", source);
    std::string out = dir.Path("out.wav");
    std::filesystem::remove(out);
    Converted c{};
    c.ok = ConvertWaveToPcm(in, out, codecs, &c.report);
    if (std::filesystem::exists(out)) {
        c.file = TempDir::Read(out);
    }
    return c;
}

std::uint32_t RiffSize(const std::vector<std::uint8_t>& file) {
    return file[4] | file[5] << 8 | file[6] << 16 | static_cast<std::uint32_t>(file[7]) << 24;
}

TEST(ConvertWaveToPcm, WritesFmtFactAndDataInThisOrder) {
    TempDir dir;
    Converted c = Convert(dir, WaveFile({{"LIST", {'I', 'N', 'F', 'O'}},
                                         {"fmt ", ImaFormat()},
                                         {"fact", Le32(190)},
                                         {"data", ImaBlocks(3)}}));
    ASSERT_TRUE(c.ok) << c.report.error;
    std::vector<Chunk> chunks = fixtures::Chunks(c.file);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].id, "fmt ");
    EXPECT_EQ(chunks[1].id, "fact");
    EXPECT_EQ(chunks[2].id, "data");
    EXPECT_EQ(chunks[0].body, FormatRecord(1, 1, 8000, 16000, 2, 16, {}, false));
    EXPECT_EQ(chunks[1].body, Le32(190));
    // Three blocks hold 195 samples; the last five are padding past the "fact" count.
    EXPECT_EQ(chunks[2].body.size(), 190u * 2);
    EXPECT_EQ(RiffSize(c.file), c.file.size() - 8);
    EXPECT_EQ(c.report.sampleCount, 190u);
}

TEST(ConvertWaveToPcm, NeedsAFactChunkForCompressedData) {
    TempDir dir;
    Converted c = Convert(dir, WaveFile({{"fmt ", ImaFormat()}, {"data", ImaBlocks(2)}}));
    EXPECT_FALSE(c.ok);
    EXPECT_NE(c.report.error.find("fact"), std::string::npos) << c.report.error;
}

TEST(ConvertWaveToPcm, ConvertsFloatWithoutFactCountingFramesFromTheDataSize) {
    TempDir dir;
    Bytes data;
    for (float v : {0.5f, -0.5f, 1.5f, -1.0f, 0.0f, 1.0f / 32768}) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        data.U32(bits);
    }
    // A 16-byte record without the extra-bytes count, as many writers store float data.
    Converted c =
        Convert(dir, WaveFile({{"fmt ", FormatRecord(3, 2, 44100, 352800, 8, 32, {}, false)},
                               {"data", data.Data()}}));
    ASSERT_TRUE(c.ok) << c.report.error;
    EXPECT_EQ(c.report.sampleCount, 3u);
    EXPECT_EQ(FindChunk(c.file, "fact")->body, Le32(3));
    EXPECT_EQ(fixtures::Samples16(FindChunk(c.file, "data")->body),
              (std::vector<std::int16_t>{16384, -16384, 32767, -32768, 0, 1}));
}

TEST(ConvertWaveToPcm, ConvertsExtensible24BitPcmWithoutFact) {
    TempDir dir;
    Bytes extra;
    extra.U16(24).U32(4).U16(1).Raw(std::vector<std::uint8_t>{
        0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71});
    Bytes data;
    data.Raw(std::vector<std::uint8_t>{0x80, 0x00, 0x00, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80});
    Converted c = Convert(
        dir, WaveFile({{"fmt ", FormatRecord(0xFFFE, 1, 48000, 144000, 3, 24, extra.Data())},
                       {"data", data.Data()}}));
    ASSERT_TRUE(c.ok) << c.report.error;
    EXPECT_EQ(c.report.format, WaveFormatEx::Pcm(1, 48000, 16));
    EXPECT_EQ(c.report.sampleCount, 3u);
    EXPECT_EQ(fixtures::Samples16(FindChunk(c.file, "data")->body),
              (std::vector<std::int16_t>{1, 32767, -32768}));
}

TEST(ConvertWaveToPcm, RefusesDamagedAndForeignFiles) {
    TempDir dir;
    std::size_t descriptors = OpenDescriptors();
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'a', 'v', 'e'}},
        {"riff only", {'R', 'I', 'F', 'F'}},
        {"other form", Bytes().Raw("RIFF").U32(4).Raw("AVI ").Data()},
        {"no fmt", WaveFile({{"fact", Le32(65)}, {"data", ImaBlocks(1)}})},
        {"no data", WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(65)}})},
        {"short fmt", WaveFile({{"fmt ", {0x11, 0, 1, 0, 0x40, 0x1F, 0, 0, 0, 0}},
                                {"fact", Le32(65)},
                                {"data", ImaBlocks(1)}})},
        {"short fact",
         WaveFile({{"fmt ", ImaFormat()}, {"fact", {65, 0}}, {"data", ImaBlocks(1)}})},
        {"block alignment 0",
         WaveFile({{"fmt ", ImaFormat(0)}, {"fact", Le32(65)}, {"data", ImaBlocks(1)}})},
        {"float block alignment 0",
         WaveFile({{"fmt ", FormatRecord(3, 1, 8000, 32000, 0, 32)}, {"data", Le32(0)}})},
        {"no codec", WaveFile({{"fmt ", FormatRecord(0x161, 2, 44100, 16000, 1, 0, {1, 0})},
                               {"fact", Le32(1152)},
                               {"data", ImaBlocks(1)}})},
    };
    for (const auto& [name, bytes] : cases) {
        Converted c = Convert(dir, bytes);
        EXPECT_FALSE(c.ok) << name;
        EXPECT_FALSE(c.report.error.empty()) << name;
    }
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(ConvertWaveToPcm, ConvertsWhatIsPresentOfADataChunkLargerThanTheFile) {
    TempDir dir;
    std::vector<std::uint8_t> file =
        WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(650)}, {"data", ImaBlocks(3)}});
    // Claim ten blocks, then cut the file in the middle of the third.
    std::size_t dataSizeAt = file.size() - 3 * kImaBlock - 4;
    std::vector<std::uint8_t> claim = Le32(10 * kImaBlock);
    std::copy(claim.begin(), claim.end(), file.begin() + static_cast<long>(dataSizeAt));
    file.resize(file.size() - kImaBlock + 4 + 8);

    Converted c = Convert(dir, file);
    ASSERT_TRUE(c.ok) << c.report.error;
    // Two whole blocks and, of the cut one, its first sample and two runs of eight.
    EXPECT_EQ(FindChunk(c.file, "data")->body.size(), (2 * kImaSamples + 17) * 2);
    EXPECT_EQ(RiffSize(c.file), c.file.size() - 8);
    // The "fact" chunk counts what was decoded, not the 650 the source claimed.
    EXPECT_EQ(FindChunk(c.file, "fact")->body, Le32(2 * kImaSamples + 17));
    EXPECT_EQ(c.report.sampleCount, 2 * kImaSamples + 17);
}

// Microsoft ADPCM, mono, 8 kHz, 32-byte blocks: a 7-byte header and 25 bytes of nibbles,
// 52 samples; the record carries the seven standard coefficient pairs.
constexpr std::uint16_t kMsBlock = 32;
constexpr std::size_t kMsSamples = 52;

std::vector<std::uint8_t> MsFormat(std::uint32_t byteRate = 4063) {
    Bytes extra;
    extra.U16(kMsSamples).U16(7);
    for (auto [a, b] :
         {std::pair{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}) {
        extra.U16(static_cast<std::uint16_t>(a)).U16(static_cast<std::uint16_t>(b));
    }
    return FormatRecord(0x02, 1, 8000, byteRate, kMsBlock, 4, extra.Data());
}

std::vector<std::uint8_t> MsBlocks(std::size_t count) {
    std::vector<std::uint8_t> data;
    for (std::size_t b = 0; b < count; ++b) {
        // Predictor 1, delta 32, two initial samples, then nibbles.
        data.insert(data.end(), {1, 32, 0, static_cast<std::uint8_t>(b * 10), 0, 0, 1});
        for (int i = 0; i < 25; ++i) {
            data.push_back(static_cast<std::uint8_t>(i * 29 + b));
        }
    }
    return data;
}

// The last block of an ADPCM stream is padded to its full size: the "fact" count says
// where the audio ends, and the converted data stops there, whatever the cycle size.
TEST(ConvertWaveToPcm, AdpcmDataStopsAtTheFactCount) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> format;
        std::vector<std::uint8_t> format2; // the same with a byte rate that gives short cycles
        std::vector<std::uint8_t> blocks;
        std::size_t samplesPerBlock;
    };
    const Case cases[] = {
        {"ima", ImaFormat(), ImaFormat(kImaBlock, 100), ImaBlocks(7), kImaSamples},
        {"ms", MsFormat(), MsFormat(70), MsBlocks(7), kMsSamples},
    };
    TempDir dir;
    for (const Case& k : cases) {
        Converted whole = Convert(dir, WaveFile({{"fmt ", k.format},
                                                 {"fact", Le32(7 * k.samplesPerBlock)},
                                                 {"data", k.blocks}}));
        ASSERT_TRUE(whole.ok) << k.name << ": " << whole.report.error;
        const std::vector<std::uint8_t> all = FindChunk(whole.file, "data")->body;
        ASSERT_EQ(all.size(), 7 * k.samplesPerBlock * 2) << k.name;
        for (std::size_t count : {std::size_t{0}, std::size_t{1}, 2 * k.samplesPerBlock + 3,
                                  7 * k.samplesPerBlock - 1}) {
            for (const auto& format : {k.format, k.format2}) {
                Converted c =
                    Convert(dir, WaveFile({{"fmt ", format},
                                           {"fact", Le32(static_cast<std::uint32_t>(count))},
                                           {"data", k.blocks}}));
                ASSERT_TRUE(c.ok) << k.name << ": " << c.report.error;
                EXPECT_EQ(FindChunk(c.file, "data")->body,
                          std::vector<std::uint8_t>(all.begin(),
                                                    all.begin() + static_cast<long>(count * 2)))
                    << k.name << ", fact " << count;
                EXPECT_EQ(FindChunk(c.file, "fact")->body, Le32(static_cast<std::uint32_t>(count)));
                EXPECT_EQ(c.report.sampleCount, count);
            }
        }
    }
}

// Formats whose blocks are single sample frames keep all of their data.
TEST(ConvertWaveToPcm, OtherFormatsKeepDataPastTheFactCount) {
    TempDir dir;
    std::vector<std::uint8_t> alaw(100, 0xD5);
    Converted c = Convert(dir, WaveFile({{"fmt ", FormatRecord(6, 1, 8000, 8000, 1, 8)},
                                         {"fact", Le32(10)},
                                         {"data", alaw}}));
    ASSERT_TRUE(c.ok) << c.report.error;
    EXPECT_EQ(FindChunk(c.file, "data")->body.size(), 200u);
    EXPECT_EQ(FindChunk(c.file, "fact")->body, Le32(100));
}

TEST(ConvertWaveToPcm, DecodesATrailingPartialBlockLikeTheStartOfAWholeOne) {
    TempDir dir;
    std::vector<std::uint8_t> blocks = ImaBlocks(3);
    Converted whole =
        Convert(dir, WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(195)}, {"data", blocks}}));
    blocks.resize(2 * kImaBlock + 4 + 8);
    Converted cut =
        Convert(dir, WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(147)}, {"data", blocks}}));
    ASSERT_TRUE(whole.ok && cut.ok);
    std::vector<std::uint8_t> full = FindChunk(whole.file, "data")->body;
    std::vector<std::uint8_t> part = FindChunk(cut.file, "data")->body;
    ASSERT_EQ(part.size(), (2 * kImaSamples + 17) * 2);
    EXPECT_TRUE(std::equal(part.begin(), part.end(), full.begin()));
}

TEST(ConvertWaveToPcm, GivesTheSameOutputWhateverTheCycleSize) {
    TempDir dir;
    std::vector<std::uint8_t> blocks = ImaBlocks(7);
    blocks.resize(blocks.size() - kImaBlock / 2); // a half block at the end
    Converted oneCycle =
        Convert(dir, WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(440)}, {"data", blocks}}));
    // A byte rate of 100 gives cycles of two blocks, so the half block is left over, read
    // again and decoded only at the end.
    Converted manyCycles = Convert(
        dir,
        WaveFile({{"fmt ", ImaFormat(kImaBlock, 100)}, {"fact", Le32(440)}, {"data", blocks}}));
    ASSERT_TRUE(oneCycle.ok && manyCycles.ok);
    std::vector<std::uint8_t> expected = FindChunk(oneCycle.file, "data")->body;
    EXPECT_EQ(expected.size(), (6 * kImaSamples + 1 + 3 * 8) * 2);
    EXPECT_EQ(FindChunk(manyCycles.file, "data")->body, expected);
}

// Holds every byte back until the end of the stream, then releases at most one destination
// buffer per call: the shape of a decoder with a long delay.
class HoldBackCodec : public AudioCodec {
public:
    static constexpr std::uint16_t kTag = 0x7A01;

    explicit HoldBackCodec(const WaveFormatEx& source)
        : m_output(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16)) {}
    const WaveFormatEx& OutputFormat() const override { return m_output; }
    std::size_t EstimateOutputSize(std::size_t bytes) const override { return bytes; }
    bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                 unsigned flags, CodecConversion* result) override {
        m_held.insert(m_held.end(), source.begin(), source.end());
        result->consumed = source.size();
        result->produced = 0;
        if (flags & kEndOfStream) {
            result->produced = std::min(destination.size(), m_held.size() - m_released);
            std::memcpy(destination.data(), m_held.data() + m_released, result->produced);
            m_released += result->produced;
        }
        return true;
    }

private:
    WaveFormatEx m_output;
    std::vector<std::uint8_t> m_held;
    std::size_t m_released = 0;
};

std::vector<std::uint8_t> CountingData(std::size_t bytes) {
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    }
    return data;
}

TEST(ConvertWaveToPcm, ACodecThatHoldsBackOutputStillYieldsAllOfIt) {
    TempDir dir;
    CodecService codecs({[](const WaveFormatEx& f) -> std::unique_ptr<AudioCodec> {
        if (f.formatTag != HoldBackCodec::kTag) {
            return nullptr;
        }
        return std::make_unique<HoldBackCodec>(f);
    }});
    // About three and a half cycles of one second each.
    std::vector<std::uint8_t> data = CountingData(56000);
    Converted c =
        Convert(dir,
                WaveFile({{"fmt ", FormatRecord(HoldBackCodec::kTag, 1, 8000, 16000, 2, 16)},
                          {"fact", Le32(28000)},
                          {"data", data}}),
                codecs);
    ASSERT_TRUE(c.ok) << c.report.error;
    EXPECT_EQ(FindChunk(c.file, "data")->body, data);
}

// Converts the first call like PCM and fails on the second.
class FailingCodec : public HoldBackCodec {
public:
    using HoldBackCodec::HoldBackCodec;
    bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                 unsigned, CodecConversion* result) override {
        if (++m_calls > 1) {
            return false;
        }
        result->consumed = result->produced = std::min(source.size(), destination.size());
        std::memcpy(destination.data(), source.data(), result->produced);
        return true;
    }

private:
    int m_calls = 0;
};

TEST(ConvertWaveToPcm, AFailureLeavesNothingOpenAndTheDestinationWithValidSizes) {
    TempDir dir;
    CodecService codecs({[](const WaveFormatEx& f) -> std::unique_ptr<AudioCodec> {
        return std::make_unique<FailingCodec>(f);
    }});
    std::size_t descriptors = OpenDescriptors();
    std::vector<std::uint8_t> data = CountingData(48001);
    Converted c =
        Convert(dir,
                WaveFile({{"fmt ", FormatRecord(HoldBackCodec::kTag, 1, 8000, 16000, 2, 16)},
                          {"fact", Le32(24000)},
                          {"data", data}}),
                codecs);
    EXPECT_FALSE(c.ok);
    EXPECT_EQ(OpenDescriptors(), descriptors);
    ASSERT_EQ(RiffSize(c.file), c.file.size() - 8);
    std::vector<std::uint8_t> written = FindChunk(c.file, "data")->body;
    ASSERT_EQ(written.size(), 16000u);
    EXPECT_TRUE(std::equal(written.begin(), written.end(), data.begin()));
    EXPECT_EQ(FindChunk(c.file, "fact")->body, Le32(8000)); // what was written
}

TEST(ConvertWaveToPcm, FailsWhenTheDestinationCannotBeCreated) {
    TempDir dir;
    std::string in = dir.Write(
        "in.wav", WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(65)}, {"data", ImaBlocks(1)}}));
    std::size_t descriptors = OpenDescriptors();
    EXPECT_FALSE(ConvertWaveToPcm(in, dir.Path("missing-folder/out.wav")));
    EXPECT_FALSE(ConvertWaveToPcm(in, dir.Folder().string()));
    EXPECT_EQ(OpenDescriptors(), descriptors);
}

TEST(ConvertWaveToPcm, RefusesToWriteOverItsOwnSource) {
    TempDir dir;
    std::vector<std::uint8_t> source =
        WaveFile({{"fmt ", ImaFormat()}, {"fact", Le32(65)}, {"data", ImaBlocks(1)}});
    std::string in = dir.Write("in.wav", source);
    EXPECT_FALSE(ConvertWaveToPcm(in, in));
    EXPECT_EQ(TempDir::Read(in), source);
}

} // namespace
