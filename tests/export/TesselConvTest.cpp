// The encoder library over LAME, through the driver, checked by an independent decoder.
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3Probe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <dlfcn.h>

namespace {

WaveFormat Format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const auto align = static_cast<std::uint16_t>(channels * bits / 8);
    return {WaveFormat::kPcm, channels, rate, rate * align, align, bits};
}

// A 440 Hz tone at half scale, the same on every channel.
std::vector<std::uint8_t> Tone(const WaveFormat& format, std::uint32_t frames) {
    std::vector<std::uint8_t> pcm;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double value = 0.5 * std::sin(2 * M_PI * 440 * i / format.samplesPerSec);
        for (int c = 0; c < format.channels; ++c) {
            if (format.bitsPerSample == 8) {
                pcm.push_back(static_cast<std::uint8_t>(128 + std::lround(value * 127)));
            } else {
                const auto s = static_cast<std::int16_t>(std::lround(value * 32767));
                pcm.push_back(static_cast<std::uint8_t>(s));
                pcm.push_back(static_cast<std::uint8_t>(s >> 8));
            }
        }
    }
    return pcm;
}

class TesselConvTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveMpg123()) {
            GTEST_SKIP() << "mpg123 is not installed";
        }
    }
    // Encodes pcm in chunks of the given sizes (the last repeated until all is given).
    std::string Encode(const WaveFormat& format, const std::vector<std::uint8_t>& pcm, int bitRate,
                       std::vector<std::size_t> chunks) {
        const std::string path = dir.Path("out.mp3");
        driver.SetOutputPath(path);
        EXPECT_EQ(driver.OpenEncoderStream(bitRate, format), 0);
        for (std::size_t at = 0, i = 0; at < pcm.size(); ++i) {
            const std::size_t n = std::min(chunks[std::min(i, chunks.size() - 1)], pcm.size() - at);
            EXPECT_EQ(driver.EncodeChunk(pcm.data() + at, n), 0);
            at += n;
        }
        EXPECT_EQ(driver.CloseEncoderStream(), 0);
        return path;
    }

    TempDir dir;
    Mp3EncoderDriver driver{TESSELCONV_LIBRARY, nullptr};
};

TEST_F(TesselConvTest, EightBitSilenceDecodesAsDigitalSilence) {
    for (const WaveFormat& format : {Format(1, 22050, 8), Format(2, 44100, 8)}) {
        const std::vector<std::uint8_t> silence(format.avgBytesPerSec * 2, 128);
        const Decoded decoded = DecodeMp3(Encode(format, silence, 48, {100000}));
        ASSERT_TRUE(decoded.ok);
        ASSERT_GT(decoded.Frames(), 44100u);
        EXPECT_TRUE(std::ranges::all_of(decoded.samples, [](std::int16_t s) { return s == 0; }))
            << format.channels;
    }
}

TEST_F(TesselConvTest, FramesKeepTheSourceRateWhereTheBitRateExists) {
    struct Case {
        WaveFormat format;
        int bitRate;
        int outputRate; // 0: the encoder's choice
        int channelMode;
    };
    const std::vector<Case> cases = {
        {Format(2, 44100, 16), 48, 44100, 0},  {Format(1, 22050, 16), 8, 22050, 3},
        {Format(2, 48000, 16), 320, 48000, 0}, {Format(1, 11025, 8), 64, 11025, 3},
        {Format(2, 44100, 16), 8, 0, 0},       {Format(2, 48000, 8), 16, 0, 0},
        {Format(1, 16000, 16), 192, 32000, 3}, {Format(2, 22050, 16), 256, 44100, 0},
    };
    for (const Case& c : cases) {
        const std::uint32_t frames = c.format.samplesPerSec * 3 + 17;
        const std::size_t align = c.format.blockAlign;
        const std::string path =
            Encode(c.format, Tone(c.format, frames), c.bitRate, {705600, 2 * align, 10001 * align});
        const FrameHeader header = FirstFrame(TempDir::Read(path));
        ASSERT_TRUE(header.found) << c.bitRate;
        EXPECT_EQ(header.bitRate, c.bitRate);
        EXPECT_EQ(header.channelMode, c.channelMode);
        EXPECT_TRUE(header.original);
        if (c.outputRate != 0) {
            EXPECT_EQ(header.sampleRate, c.outputRate);
        } else {
            EXPECT_NE(header.sampleRate, static_cast<int>(c.format.samplesPerSec));
        }
        // No information frame: every frame decodes to audio, so the encoder's delay of 1105
        // samples stays, and its padding of less than a frame and 576 samples.
        const Decoded decoded = DecodeMp3(path);
        ASSERT_TRUE(decoded.ok);
        const double expected =
            static_cast<double>(frames) * header.sampleRate / c.format.samplesPerSec;
        const double extra = static_cast<double>(decoded.Frames()) - expected;
        EXPECT_GE(extra, 1105) << c.bitRate;
        EXPECT_LE(extra, 1105.0 + 576 + header.samplesPerFrame) << c.bitRate;
    }
}

TEST(TesselConvEntryPoints, RefuseBadRecordsHandlesAndCounts) {
    void* library = dlopen(TESSELCONV_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    auto init = reinterpret_cast<blade::InitStreamFunction>(dlsym(library, "beInitStream"));
    auto encode = reinterpret_cast<blade::EncodeChunkFunction>(dlsym(library, "beEncodeChunk"));
    auto close = reinterpret_cast<blade::CloseStreamFunction>(dlsym(library, "beCloseStream"));
    std::uint32_t samples = 0;
    std::uint32_t size = 0;
    blade::Stream stream = 0;
    auto record = Mp3EncoderDriver::MakeConfig(48, Format(2, 44100, 16));
    const auto withField = [&](std::size_t offset, std::uint8_t value) {
        auto changed = record;
        changed[offset] = value;
        return init(changed.data(), &samples, &size, &stream);
    };
    EXPECT_EQ(withField(blade::config::kKind + 1, 0), blade::kInvalidFormat);
    EXPECT_EQ(withField(blade::config::kStructSize + 1, 0), blade::kInvalidFormatParameters);
    EXPECT_EQ(withField(blade::config::kMode, 7), blade::kInvalidFormatParameters);
    EXPECT_EQ(withField(blade::config::kSampleRate + 3, 0xFF), blade::kInvalidFormatParameters);

    ASSERT_EQ(init(record.data(), &samples, &size, &stream), blade::kSuccessful);
    EXPECT_EQ(samples, 2304u);
    std::vector<std::uint8_t> out(blade::OutputBound(1152, 44100, 48));
    std::vector<std::int16_t> pcm(2304);
    std::uint32_t bytes = 0;
    EXPECT_EQ(encode(stream, 3, pcm.data(), out.data(), &bytes), blade::kInvalidFormatParameters);
    EXPECT_EQ(encode(stream + 5, 2, pcm.data(), out.data(), &bytes), blade::kInvalidHandle);
    EXPECT_EQ(encode(stream, 2304, pcm.data(), out.data(), &bytes), blade::kSuccessful);
    EXPECT_EQ(close(stream), blade::kSuccessful);
    EXPECT_EQ(close(stream), blade::kInvalidHandle);
    dlclose(library);
}

} // namespace
