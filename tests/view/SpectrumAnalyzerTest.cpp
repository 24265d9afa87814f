// The spectrum of known signals: the FFT against a direct DFT, and the levels of sines.
#include "view/SpectrumAnalyzer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int N = SpectrumAnalyzer::kSize;

WaveFormat Format(int channels, int bits) {
    WaveFormat f;
    f.formatTag = WaveFormat::kPcm;
    f.channels = static_cast<std::uint16_t>(channels);
    f.samplesPerSec = 44100;
    f.bitsPerSample = static_cast<std::uint16_t>(bits);
    f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
    return f;
}

// frames of a sine completing `cycles` periods every N frames (0 amplitude: silence), in
// each channel, as 16-bit or 8-bit PCM.
std::vector<std::uint8_t> Sine(const WaveFormat& f, int frames, double cycles, double amplitude) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2 * std::numbers::pi * cycles * i / N);
        for (int c = 0; c < f.channels; ++c) {
            if (f.bitsPerSample == 16) {
                const auto s = static_cast<std::int16_t>(std::lround(v));
                bytes.push_back(static_cast<std::uint8_t>(s & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>((s >> 8) & 0xFF));
            } else {
                bytes.push_back(static_cast<std::uint8_t>(std::lround(v) + 128));
            }
        }
    }
    return bytes;
}

TEST(SpectrumAnalyzer, FftEqualsTwoOverNTimesTheDft) {
    SpectrumAnalyzer analyzer;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    std::array<double, N> input{};
    for (double& x : input) {
        x = value(random);
    }
    std::array<double, N> data = input;
    analyzer.RealFft(data);
    for (int k = 0; k < SpectrumAnalyzer::kHalf; ++k) {
        std::complex<double> sum;
        for (int n = 0; n < N; ++n) {
            sum += input[static_cast<std::size_t>(n)] *
                   std::polar(1.0, -2 * std::numbers::pi * k * n / N);
        }
        const auto at = static_cast<std::size_t>(analyzer.BinIndex(k));
        // Bin 0 carries the mean only; its imaginary part is 0 by construction.
        EXPECT_NEAR(data[at], 2.0 / N * sum.real(), 1e-9) << k;
        EXPECT_NEAR(data[at + 1], k == 0 ? 0.0 : 2.0 / N * sum.imag(), 1e-9) << k;
    }
}

TEST(SpectrumAnalyzer, LevelsOfKnownSignals) {
    SpectrumAnalyzer analyzer;
    struct Case {
        int channels;
        int bits;
        int frames;
        double cycles;
        double amplitude;
        std::vector<int> lit; // columns at level 16; every other column is below
    };
    // Bin 10 lies in the middle of mono band 1 (bins 7..13) and of stereo band 0 (0..12),
    // whose left and right levels are columns 0 and 1.
    for (const Case& c : std::vector<Case>{
             {1, 16, N, 10, 32767, {1}},
             {2, 16, N, 10, 32767, {0, 1}},
             {1, 8, N, 10, 127, {1}},
             {1, 16, 4 * N, 2.5, 32767, {1}},
             {1, 16, N, 0, 0, {}},
             {1, 16, N - 1, 10, 32767, {}},
         }) {
        const WaveFormat f = Format(c.channels, c.bits);
        const SpectrumAnalyzer::Levels levels =
            analyzer.Compute(Sine(f, c.frames, c.cycles, c.amplitude), f);
        for (int column = 0; column < SpectrumAnalyzer::kColumns; ++column) {
            const bool lit = std::find(c.lit.begin(), c.lit.end(), column) != c.lit.end();
            EXPECT_EQ(levels[static_cast<std::size_t>(column)] == 16, lit)
                << c.channels << "ch " << c.bits << "bit " << c.frames << " frames, column "
                << column;
        }
        if (c.amplitude == 0 || c.frames < N) {
            EXPECT_EQ(levels, SpectrumAnalyzer::Levels{}) << c.frames;
        }
    }
}

TEST(SpectrumAnalyzer, MonoNeverLightsTheLastColumnStereoDoes) {
    SpectrumAnalyzer analyzer;
    // The highest bin: the last mono band is bins 126 and 127 (column 18); stereo's last
    // band pair is columns 18 and 19.
    const WaveFormat mono = Format(1, 16);
    const WaveFormat stereo = Format(2, 16);
    const auto monoLevels = analyzer.Compute(Sine(mono, N, 127, 32767), mono);
    EXPECT_EQ(monoLevels[18], 16);
    EXPECT_EQ(monoLevels[19], 0);
    const auto stereoLevels = analyzer.Compute(Sine(stereo, N, 127, 32767), stereo);
    EXPECT_EQ(stereoLevels[18], 16);
    EXPECT_EQ(stereoLevels[19], 16);
}

} // namespace
