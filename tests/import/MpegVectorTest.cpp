// The ISO/IEC 11172-4 compliance streams and the MPEG-2 lower-sampling-frequency streams,
// decoded through the decoder interface and compared with their reference decodes.
#include "MpegTestSupport.h"

#include "import/DecodeMpegToWave.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace mpegtest;

namespace {

const std::string kVectors = EARLARK_SOURCE_DIR "/../shared/mpeg-vectors";

// Without optimisation (sanitizer and debug builds) only the first frames of each stream
// are decoded, which keeps the run short and still covers every stream's features that
// appear early; optimised builds decode every stream to its end.
#ifdef __OPTIMIZE__
constexpr int kFrameLimit = -1;
#else
constexpr int kFrameLimit = 24;
#endif

struct Vector {
    const char* name;
    int samplesPerFrame;
};

const Vector kStreams[] = {
    {"l1-fl1", 384},
    {"l1-fl2", 384},
    {"l1-fl3", 384},
    {"l1-fl4", 384},
    {"l1-fl5", 384},
    {"l1-fl6", 384},
    {"l1-fl7", 384},
    {"l1-fl8", 384},
    {"l2-fl10", 1152},
    {"l2-fl11", 1152},
    {"l2-fl12", 1152},
    {"l2-fl13", 1152},
    {"l2-fl14", 1152},
    {"l2-fl15", 1152},
    {"l2-fl16", 1152},
    {"l2-test32", 1152},
    {"l3-compl", 1152},
    {"l3-he_32khz", 1152},
    {"l3-he_44khz", 1152},
    {"l3-he_48khz", 1152},
    {"l3-he_free", 1152},
    {"l3-hecommon", 1152},
    {"l3-si", 1152},
    {"l3-si_block", 1152},
    {"l3-si_huff", 1152},
    {"l3-sin1k0db", 1152},
    {"l3-test45", 576},
    {"l3-test46", 576},
    {"M2L3_bitrate_16_all", 576},
    {"M2L3_bitrate_22_all", 576},
    {"M2L3_bitrate_24_all", 576},
    {"M2L3_compl24", 576},
    {"M2L3_noise", 576},
};

std::vector<std::int16_t> Reference(const std::string& name) {
    const auto bytes = ReadFile(kVectors + "/" + name + ".pcm");
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return samples;
}

bool VectorsPresent() {
    return std::filesystem::exists(kVectors + "/l3-compl.bit");
}

} // namespace

TEST(MpegVectorTest, EveryComplianceStreamDecodesAtFullAccuracy) {
    if (!VectorsPresent()) {
        GTEST_SKIP() << "compliance streams not found at " << kVectors;
    }
    std::printf("%-22s %10s %8s %5s  %s\n", "vector", "samples", "RMS", "max", "class");
    for (const Vector& v : kStreams) {
        const RawDecode raw = DecodeRaw(kVectors + "/" + v.name + ".bit", kFrameLimit);
        ASSERT_FALSE(raw.frameChannels.empty()) << v.name;
        const int channels = raw.frameChannels.front();
        // The reference may lack a frame or two at the start (a bit reservoir reaching
        // before the stream), and layer I/II references are padded with zeros at the end:
        // compare over our decoded length, aligned by whole frames.
        const Accuracy a = Compare(raw.samples, Reference(v.name),
                                   static_cast<std::size_t>(v.samplesPerFrame * channels), 3);
        std::printf("%-22s %10zu %8.4f %5d  %s\n", v.name, a.compared, a.rms, a.maxError,
                    AccuracyClass(a));
        EXPECT_STREQ(AccuracyClass(a), "full") << v.name;
        EXPECT_GE(a.compared * 10, raw.samples.size() * 9) << v.name << " compared too little";
    }
}

// l3-he_mode switches between mono and stereo; its reference holds every frame in its own
// channel count, one after the other.
TEST(MpegVectorTest, ChannelSwitchingStreamDecodesEachFrameInItsOwnFormat) {
    if (!VectorsPresent()) {
        GTEST_SKIP() << "compliance streams not found at " << kVectors;
    }
    const RawDecode raw = DecodeRaw(kVectors + "/l3-he_mode.bit", kFrameLimit);
    ASSERT_FALSE(raw.frameChannels.empty());
    bool sawMono = false;
    bool sawStereo = false;
    for (int c : raw.frameChannels) {
        sawMono |= c == 1;
        sawStereo |= c == 2;
    }
    if (kFrameLimit < 0) {
        EXPECT_TRUE(sawMono && sawStereo);
    }
    const Accuracy a = Compare(raw.samples, Reference("l3-he_mode"), 1152, 0);
    std::printf("%-22s %10zu %8.4f %5d  %s\n", "l3-he_mode (raw)", a.compared, a.rms, a.maxError,
                AccuracyClass(a));
    EXPECT_STREQ(AccuracyClass(a), "full");
}

// The wave file keeps the first frame's format (mono here); stereo frames are mixed down so
// the data stays in step with the header.
TEST(MpegVectorTest, ChannelSwitchingStreamGivesAConsistentWaveFile) {
    if (!VectorsPresent() || kFrameLimit > 0) {
        GTEST_SKIP() << "needs the compliance streams and an optimised build";
    }
    const std::string out = ScratchDir("he_mode") + "/he_mode.wav";
    ASSERT_TRUE(DecodeMpegToWave(kVectors + "/l3-he_mode.bit", out));
    const auto wave = ReadFile(out);
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ(wave[22], 1); // mono, as the first frame
    // 128 frames of 1152 samples, one channel each.
    EXPECT_EQ(wave.size() - 44, 128u * 1152 * 2);
}
