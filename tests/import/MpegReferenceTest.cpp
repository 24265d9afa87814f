// Files made at test time with lame, twolame and ffmpeg, decoded by us and by mpg123 (the
// reference, run as a separate program, never linked) and compared sample by sample.
#include "MpegTestSupport.h"

#include "import/DecodeMpegToWave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace mpegtest;

namespace {

// A test signal that exercises long and short blocks: two steady tones, a chirp, noise
// bursts with sharp attacks and a quiet stretch; different in the two channels.
void WriteTestSignal(const std::string& path, int rate, int seconds) {
    const int frames = rate * seconds;
    std::vector<std::uint8_t> wave(44 + static_cast<std::size_t>(frames) * 4);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            wave[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    std::copy_n("RIFF", 4, wave.begin());
    put32(4, static_cast<std::uint32_t>(wave.size() - 8));
    std::copy_n("WAVEfmt ", 8, wave.begin() + 8);
    put32(16, 16);
    put32(20, 1 | 2 << 16);
    put32(24, static_cast<std::uint32_t>(rate));
    put32(28, static_cast<std::uint32_t>(rate * 4));
    put32(32, 4 | 16 << 16);
    std::copy_n("data", 4, wave.begin() + 36);
    put32(40, static_cast<std::uint32_t>(frames * 4));
    std::uint32_t noise = 12345;
    for (int n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / rate;
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<int>(noise >> 16) / 32768.0 - 1.0;
        const bool burst = std::fmod(t, 0.5) < 0.05;
        const double chirp = std::sin(2 * M_PI * (200 + 2000 * t) * t);
        double left = 0.3 * std::sin(2 * M_PI * 440 * t) + 0.2 * chirp + (burst ? 0.4 * white : 0);
        double right = 0.3 * std::sin(2 * M_PI * 660 * t) + 0.2 * chirp - (burst ? 0.3 * white : 0);
        if (t > seconds - 0.5) {
            left *= 0.01;
            right *= 0.01;
        }
        const auto l = static_cast<std::int16_t>(std::lround(left * 32767));
        const auto r = static_cast<std::int16_t>(std::lround(right * 32767));
        const std::size_t at = 44 + static_cast<std::size_t>(n) * 4;
        wave[at] = static_cast<std::uint8_t>(l);
        wave[at + 1] = static_cast<std::uint8_t>(l >> 8);
        wave[at + 2] = static_cast<std::uint8_t>(r);
        wave[at + 3] = static_cast<std::uint8_t>(r >> 8);
    }
    WriteFile(path, wave);
}

struct Encoding {
    const char* name;
    const char* tool;
    const char* command; // %s IN, %s OUT
    int samplesPerFrame;
};

const Encoding kEncodings[] = {
    {"cbr128_joint", "lame", "lame --quiet -b 128 %s %s", 1152},
    {"cbr320_stereo", "lame", "lame --quiet -m s -b 320 %s %s", 1152},
    {"vbr_v2_xing", "lame", "lame --quiet -V 2 %s %s", 1152},
    {"cbr32_mono", "lame", "lame --quiet -m m -b 32 %s %s", 1152},
    {"lsf22_mono", "lame", "lame --quiet -m m --resample 22.05 -b 32 %s %s", 576},
    {"lsf24_joint", "lame", "lame --quiet --resample 24 -b 64 %s %s", 576},
    {"mpeg25_8k", "lame", "lame --quiet -m m --resample 8 -b 16 %s %s", 576},
    {"mpeg25_11k", "lame", "lame --quiet --resample 11.025 -b 24 %s %s", 576},
    {"mpeg25_12k_crc", "lame", "lame --quiet -p --resample 12 -b 32 %s %s", 576},
    {"id3v2_picture", "lame", "lame --quiet -b 96 --tt Lesson --ta Teacher --ti picture.png %s %s",
     1152},
    {"layer2_twolame", "twolame", "twolame --quiet -b 192 %s %s", 1152},
    {"layer2_lsf_ffmpeg", "ffmpeg",
     "ffmpeg -v quiet -y -i %s -ar 22050 -c:a mp2 -b:a 64k -f mp2 %s", 1152},
};

} // namespace

TEST(MpegReferenceTest, DecodesLikeMpg123) {
    if (!HaveTool("mpg123")) {
        GTEST_SKIP() << "mpg123 (the reference decoder) is not installed; scripts/test "
                        "installs it";
    }
    const std::string dir = ScratchDir("reference");
    const std::string source = dir + "/source.wav";
    WriteTestSignal(source, 44100, 3);
    // A 1x1 PNG for the ID3v2 picture frame; its bytes sit before the first audio frame.
    WriteFile(dir + "/picture.png",
              {0x89, 'P',  'N',  'G',  0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,    0x0D, 'I',  'H',
               'D',  'R',  0,    0,    0,    1,    0,    0,    0,    1,    8,    6,    0,    0,
               0,    0x1F, 0x15, 0xC4, 0x89, 0,    0,    0,    0x0A, 'I',  'D',  'A',  'T',  0x78,
               0x9C, 0x63, 0,    1,    0,    0,    5,    0,    1,    0x0D, 0x0A, 0x2D, 0xB4, 0,
               0,    0,    0,    'I',  'E',  'N',  'D',  0xAE, 0x42, 0x60, 0x82});
    std::printf("%-20s %10s %8s %5s  %s\n", "file", "samples", "RMS", "max", "class");
    int ran = 0;
    for (const Encoding& e : kEncodings) {
        if (!HaveTool(e.tool)) {
            std::printf("%-20s skipped: %s not installed\n", e.name, e.tool);
            continue;
        }
        const std::string mp3 = dir + "/" + e.name + ".mp3";
        char command[512];
        std::snprintf(command, sizeof command, e.command, source.c_str(), mp3.c_str());
        ASSERT_TRUE(RunQuietly("cd " + dir + " && " + command)) << command;
        const std::string refWave = dir + "/" + e.name + ".ref.wav";
        ASSERT_TRUE(RunQuietly("mpg123 -q --no-gapless -w " + refWave + " " + mp3)) << e.name;
        const std::string ourWave = dir + "/" + e.name + ".wav";
        ASSERT_TRUE(DecodeMpegToWave(mp3, ourWave)) << e.name;

        const auto ours = ReadFile(ourWave);
        const int channels = ours.size() > 22 ? ours[22] : 0;
        ASSERT_GT(channels, 0);
        // mpg123 may leave out frames at the start or end: align by whole frames.
        const Accuracy a = Compare(WaveSamples(ours), WaveSamples(ReadFile(refWave)),
                                   static_cast<std::size_t>(e.samplesPerFrame * channels), 3);
        std::printf("%-20s %10zu %8.4f %5d  %s\n", e.name, a.compared, a.rms, a.maxError,
                    AccuracyClass(a));
        EXPECT_STREQ(AccuracyClass(a), "full") << e.name;
        ++ran;
    }
    EXPECT_GT(ran, 0);
}
