// Every codec against a reference: a test signal is encoded by sox or ffmpeg, decoded by sox
// to 16-bit PCM (without dither) and by ConvertWaveToPcm, and the two are compared sample by
// sample. The tools are only needed at test time; a missing tool skips its cases.
#include "ConversionFixtures.h"
#include "import/ConversionCodecs.h"
#include "import/ConvertWaveToPcm.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

enum class Accuracy { kExact, kOneStep, kSnr };

struct ReferenceCase {
    const char* name;
    const char* tool;   // "sox" or "ffmpeg"
    const char* encode; // the encoder's options between input and output
    bool speech;        // mono 8 kHz (GSM) rather than stereo 44.1 kHz
    std::uint16_t tag;  // format tag the encoder is expected to write
    Accuracy accuracy;
    // The last block is padded (ADPCM): the conversion stops at the source's "fact"
    // count, where sox and ffmpeg decode the whole block.
    bool endsAtFact = false;
};

// ADPCM and GSM are decoded by the same arithmetic as the reference, so their threshold is
// far above what a wrong predictor, step table or frame order would reach (under 30 dB).
constexpr double kMinSnrDb = 90.0;

void PrintTo(const ReferenceCase& c, std::ostream* os) {
    *os << c.name;
}

bool HaveTool(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

std::string EncodeCommand(const ReferenceCase& c, const std::string& in, const std::string& out) {
    if (std::string(c.tool) == "sox") {
        return "sox " + Quote(in) + " " + c.encode + " " + Quote(out);
    }
    return "ffmpeg -nostdin -loglevel error -y -i " + Quote(in) + " " + c.encode + " " + Quote(out);
}

std::uint16_t FormatTag(const std::vector<std::uint8_t>& file) {
    auto fmt = fixtures::FindChunk(file, "fmt ");
    return fmt && fmt->body.size() >= 2
               ? static_cast<std::uint16_t>(fmt->body[0] | fmt->body[1] << 8)
               : 0;
}

class ConversionReference : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ConversionReference, MatchesTheReferenceDecode) {
    const ReferenceCase& c = GetParam();
    if (!HaveTool(c.tool) || !HaveTool("sox")) {
        GTEST_SKIP() << c.tool << " or sox is not installed (scripts/test installs them)";
    }
    TempDir dir;
    int channels = c.speech ? 1 : 2;
    int rate = c.speech ? 8000 : 44100;
    std::vector<std::int16_t> signal = fixtures::TestSignal(channels, rate, rate / 2);
    std::string original = dir.Write("original.wav", fixtures::PcmWave(signal, channels, rate));
    std::string encoded = dir.Path("encoded.wav");
    std::string reference = dir.Path("reference.wav");
    std::string ours = dir.Path("ours.wav");
    if (!RunQuietly(EncodeCommand(c, original, encoded))) {
        GTEST_SKIP() << c.tool << " cannot encode " << c.name << " here";
    }
    ASSERT_EQ(FormatTag(TempDir::Read(encoded)), c.tag);
    ASSERT_TRUE(
        RunQuietly("sox " + Quote(encoded) + " -e signed-integer -b 16 -D " + Quote(reference)));

    PcmConversionReport report;
    ASSERT_TRUE(ConvertWaveToPcm(encoded, ours, ConversionCodecs(), &report)) << report.error;
    EXPECT_EQ(report.format, WaveFormatEx::Pcm(static_cast<std::uint16_t>(channels), rate, 16));

    auto expected =
        fixtures::Samples16(fixtures::FindChunk(TempDir::Read(reference), "data")->body);
    const std::vector<std::uint8_t> converted = TempDir::Read(ours);
    auto actual = fixtures::Samples16(fixtures::FindChunk(converted, "data")->body);
    if (c.endsAtFact) {
        auto fact = fixtures::FindChunk(TempDir::Read(encoded), "fact");
        ASSERT_TRUE(fact && fact->body.size() >= 4);
        const std::size_t count = fact->body[0] | fact->body[1] << 8 | fact->body[2] << 16 |
                                  static_cast<std::size_t>(fact->body[3]) << 24;
        expected.resize(std::min(expected.size(), count * static_cast<std::size_t>(channels)));
    }
    ASSERT_EQ(actual.size(), expected.size());
    // The converted "fact" chunk counts the sample frames written.
    EXPECT_EQ(fixtures::FindChunk(converted, "fact")->body,
              fixtures::Le32(static_cast<std::uint32_t>(actual.size() / channels)));
    EXPECT_EQ(report.sampleCount, actual.size() / channels);
    ASSERT_GE(actual.size(), signal.size());
    int maxDifference = 0;
    double signalPower = 0;
    double errorPower = 0;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        int d = actual[i] - expected[i];
        maxDifference = std::max(maxDifference, std::abs(d));
        signalPower += static_cast<double>(expected[i]) * expected[i];
        errorPower += static_cast<double>(d) * d;
    }
    double snr = errorPower == 0 ? INFINITY : 10 * std::log10(signalPower / errorPower);
    RecordProperty("max_difference", maxDifference);
    RecordProperty("snr_db", std::isinf(snr) ? "inf" : std::to_string(snr));
    switch (c.accuracy) {
    case Accuracy::kExact:
        EXPECT_EQ(maxDifference, 0);
        break;
    case Accuracy::kOneStep:
        EXPECT_LE(maxDifference, 1);
        break;
    case Accuracy::kSnr:
        EXPECT_GE(snr, kMinSnrDb) << "max difference " << maxDifference;
        break;
    }
}

const ReferenceCase kCases[] = {
    {"sox_ima_adpcm", "sox", "-e ima-adpcm", false, 0x0011, Accuracy::kSnr, true},
    {"sox_ms_adpcm", "sox", "-e ms-adpcm", false, 0x0002, Accuracy::kSnr, true},
    {"sox_alaw", "sox", "-e a-law", false, 0x0006, Accuracy::kExact},
    {"sox_mulaw", "sox", "-e u-law", false, 0x0007, Accuracy::kExact},
    {"sox_float32", "sox", "-e floating-point -b 32", false, 0x0003, Accuracy::kOneStep},
    {"sox_float64", "sox", "-e floating-point -b 64", false, 0x0003, Accuracy::kOneStep},
    {"sox_pcm24_plain", "sox", "-t wavpcm -e signed-integer -b 24", false, 0x0001,
     Accuracy::kOneStep},
    {"sox_pcm32_plain", "sox", "-t wavpcm -e signed-integer -b 32", false, 0x0001,
     Accuracy::kOneStep},
    {"sox_pcm24_extensible", "sox", "-e signed-integer -b 24", false, 0xFFFE, Accuracy::kOneStep},
    {"sox_gsm", "sox", "-e gsm-full-rate", true, 0x0031, Accuracy::kSnr},
    {"ffmpeg_ima_adpcm", "ffmpeg", "-c:a adpcm_ima_wav", false, 0x0011, Accuracy::kSnr, true},
    {"ffmpeg_ms_adpcm", "ffmpeg", "-c:a adpcm_ms", false, 0x0002, Accuracy::kSnr, true},
    {"ffmpeg_alaw", "ffmpeg", "-c:a pcm_alaw", false, 0x0006, Accuracy::kExact},
    {"ffmpeg_mulaw", "ffmpeg", "-c:a pcm_mulaw", false, 0x0007, Accuracy::kExact},
    {"ffmpeg_float32_extensible", "ffmpeg", "-c:a pcm_f32le", false, 0xFFFE, Accuracy::kOneStep},
    {"ffmpeg_pcm24_extensible", "ffmpeg", "-c:a pcm_s24le", false, 0xFFFE, Accuracy::kOneStep},
    {"ffmpeg_pcm32_extensible", "ffmpeg", "-c:a pcm_s32le", false, 0xFFFE, Accuracy::kOneStep},
    {"ffmpeg_gsm", "ffmpeg", "-c:a libgsm_ms", true, 0x0031, Accuracy::kSnr},
};

INSTANTIATE_TEST_SUITE_P(Codecs, ConversionReference, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ReferenceCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
