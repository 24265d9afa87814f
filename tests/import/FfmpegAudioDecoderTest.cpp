// Decoding through FFmpeg: files of each kind made at test time by the ffmpeg command line,
// each a tone whose frequency and length are checked in the wave file written.
#include "import/FfmpegAudioDecoder.h"
#include "support/TempDir.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Result = FfmpegAudioDecoder::Result;

bool HaveFfmpeg() {
    return std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
}

bool Ffmpeg(const std::string& arguments) {
    return std::system(
               ("ffmpeg -nostdin -loglevel error -y " + arguments + " >/dev/null 2>&1").c_str()) ==
           0;
}

std::string Tone(int frequency, double seconds) {
    return "-f lavfi -i sine=frequency=" + std::to_string(frequency) +
           ":sample_rate=48000:duration=" + std::to_string(seconds) + " ";
}

struct Decoded {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<std::int16_t> samples; // interleaved
    double Seconds() const { return double(samples.size()) / channels / rate; }
    // The first channel's frequency from the periods between its rising crossings, counted
    // with hysteresis so that coding noise near zero (the tone is at 1/8 of full scale) and
    // codec delay at either end count for nothing.
    double Frequency() const {
        long first = -1, last = -1, rising = 0;
        bool low = false;
        for (size_t i = 0; i < samples.size(); i += channels) {
            if (samples[i] < -1000) {
                low = true;
            } else if (low && samples[i] > 1000) {
                low = false;
                last = static_cast<long>(i / channels);
                first = first < 0 ? last : first;
                ++rising;
            }
        }
        return last > first ? (rising - 1) * double(rate) / double(last - first) : 0.0;
    }
};

Decoded ReadWave(const std::string& path) {
    const std::vector<std::uint8_t> bytes = TempDir::Read(path);
    Decoded d;
    if (bytes.size() < 44) {
        return d;
    }
    auto u16 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8; };
    d.channels = u16(22);
    d.rate = static_cast<int>(u16(24) | u16(26) << 16);
    d.bits = u16(34);
    for (size_t at = 44; at + 1 < bytes.size(); at += 2) {
        d.samples.push_back(static_cast<std::int16_t>(u16(at)));
    }
    return d;
}

class FfmpegAudioDecoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveFfmpeg()) {
            GTEST_SKIP() << "ffmpeg is not installed (scripts/test installs it)";
        }
    }
    Result Decode(const std::string& name, std::string* error = nullptr) {
        return FfmpegAudioDecoder::Decode(m_dir.Path(name), m_dir.Path("out.wav"), nullptr, error);
    }
    TempDir m_dir;
};

TEST_F(FfmpegAudioDecoderTest, EachKindDecodesToTheToneItHolds) {
    struct Case {
        std::string file;
        std::string options; // after the inputs
        int rate;
        int channels;
        bool video = false; // a picture stream comes first, the tone second
    };
    const std::string video = "-f lavfi -i testsrc=size=64x48:rate=10:duration=2 ";
    const Case cases[] = {
        {"a.flac", "-ar 44100", 44100, 1},
        {"hires.flac", "-ar 96000 -sample_fmt s32 -ac 2", 48000, 2},
        {"a.ogg", "-c:a libvorbis -ar 22050", 22050, 1},
        {"a.opus", "-c:a libopus -ar 24000", 48000, 1},
        {"a.webm", "-c:a libopus -ac 2", 48000, 2},
        {"a.m4a", "-c:a aac -ar 44100 -ac 2", 44100, 2},
        {"book.m4b", "-c:a aac -ar 32000 -f mp4", 32000, 1},
        {"a.wma", "-c:a wmav2 -ar 44100", 44100, 1},
        {"a.aiff", "-ar 16000 -c:a pcm_s24be", 16000, 1},
        {"surround.flac", "-af 'pan=5.1|c0=c0|c1=c0|c2=c0|c3=c0|c4=c0|c5=c0'", 48000, 2},
        {"film.mp4", "-c:v libx264 -c:a aac -ar 44100", 44100, 1, true},
        {"film.mkv", "-c:v mpeg4 -c:a flac", 48000, 1, true},
        {"film.avi", "-c:v mjpeg -c:a pcm_s16le", 48000, 1, true},
        {"film.mov", "-c:v mpeg4 -c:a aac", 48000, 1, true},
    };
    for (const Case& c : cases) {
        const std::string inputs = (c.video ? video : "") + Tone(440, 2);
        ASSERT_TRUE(Ffmpeg(inputs + c.options + " " + m_dir.Path(c.file))) << c.file;
        std::string error;
        ASSERT_EQ(Decode(c.file, &error), Result::Done) << c.file << ": " << error;
        const Decoded d = ReadWave(m_dir.Path("out.wav"));
        EXPECT_EQ(d.rate, c.rate) << c.file;
        EXPECT_EQ(d.channels, c.channels) << c.file;
        EXPECT_EQ(d.bits, 16) << c.file;
        EXPECT_NEAR(d.Seconds(), 2.0, 0.06) << c.file;
        EXPECT_NEAR(d.Frequency(), 440.0, 440.0 * 0.02) << c.file;
    }
}

TEST_F(FfmpegAudioDecoderTest, WiderSamplesAreCutTo16BitsWithoutDither) {
    // A silent 24-bit file stays exactly silent: dither would add noise.
    ASSERT_TRUE(Ffmpeg("-f lavfi -i anullsrc=r=44100:cl=mono -t 1 -c:a pcm_s24le " +
                       m_dir.Path("silence.wav")));
    ASSERT_EQ(Decode("silence.wav"), Result::Done);
    const Decoded d = ReadWave(m_dir.Path("out.wav"));
    ASSERT_EQ(d.samples.size(), 44100u);
    for (std::int16_t s : d.samples) {
        ASSERT_EQ(s, 0);
    }
}

TEST_F(FfmpegAudioDecoderTest, BrokenFilesAreRefusedOrKeptAsFarAsTheyDecode) {
    ASSERT_TRUE(Ffmpeg(Tone(440, 4) + "-ar 44100 " + m_dir.Path("long.flac")));
    auto bytes = TempDir::Read(m_dir.Path("long.flac"));
    bytes.resize(bytes.size() / 2);
    m_dir.Write("half.flac", bytes);
    ASSERT_EQ(Decode("half.flac"), Result::Done);
    const Decoded half = ReadWave(m_dir.Path("out.wav"));
    EXPECT_GT(half.Seconds(), 1.0);
    EXPECT_LT(half.Seconds(), 3.0);

    ASSERT_TRUE(Ffmpeg("-f lavfi -i testsrc=size=64x48:rate=10:duration=1 -c:v mpeg4 " +
                       m_dir.Path("silent-film.mkv")));
    std::vector<std::uint8_t> junk(5000);
    for (size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<std::uint8_t>(i * 7919 >> 3);
    }
    m_dir.Write("junk.m4a", junk);
    bytes.resize(100); // the stream header only: no frame at all
    m_dir.Write("header.flac", bytes);
    for (const char* name : {"silent-film.mkv", "junk.m4a", "header.flac", "missing.ogg"}) {
        std::string error;
        EXPECT_EQ(Decode(name, &error), Result::Failed) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(error.find('\n'), std::string::npos) << name;
    }
}

TEST_F(FfmpegAudioDecoderTest, ProgressRisesAndCancelStops) {
    ASSERT_TRUE(Ffmpeg(Tone(440, 30) + "-ar 8000 " + m_dir.Path("long.flac")));
    std::vector<int> seen;
    auto watch = [&](int percent) {
        seen.push_back(percent);
        return true;
    };
    ASSERT_EQ(FfmpegAudioDecoder::Decode(m_dir.Path("long.flac"), m_dir.Path("out.wav"), watch),
              Result::Done);
    ASSERT_GT(seen.size(), 2u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GT(seen.back(), 80);

    int calls = 0;
    auto cancel = [&](int) { return ++calls < 2; };
    EXPECT_EQ(FfmpegAudioDecoder::Decode(m_dir.Path("long.flac"), m_dir.Path("out.wav"), cancel),
              Result::Cancelled);
    EXPECT_EQ(calls, 2);
}

} // namespace
