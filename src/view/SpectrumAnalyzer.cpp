#include "view/SpectrumAnalyzer.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>

namespace {

// |re| + |im| less a share of the smaller: close to the modulus without a square root.
int Magnitude(double re, double im) {
    const int a = std::abs(static_cast<int>(re));
    const int b = std::abs(static_cast<int>(im));
    const int m = std::min(a, b);
    return a + b - (m >> 1) - (m >> 2) + (m >> 4);
}

} // namespace

std::unique_ptr<SpectrumAnalyzer> SpectrumAnalyzer::Create() {
    std::unique_ptr<SpectrumAnalyzer> analyzer(new (std::nothrow) SpectrumAnalyzer);
    if (!analyzer) {
        throw TableAllocationError("Error allocating memory for Sine table.");
    }
    return analyzer;
}

SpectrumAnalyzer::SpectrumAnalyzer() {
    for (int i = 0; i < kHalf; ++i) {
        int reversed = 0;
        for (int mask = kHalf / 2; mask > 0; mask >>= 1) {
            reversed >>= 1;
            if ((i & mask) != 0) {
                reversed += kHalf;
            }
        }
        m_bitReversed[static_cast<std::size_t>(i)] = reversed;
    }
    const double turn = 2 * std::numbers::pi / kSize;
    for (int i = 0; i < kHalf; ++i) {
        const auto at = static_cast<std::size_t>(m_bitReversed[static_cast<std::size_t>(i)]);
        m_sine[at] = -std::sin(turn * i);
        m_sine[at + 1] = -std::cos(turn * i);
    }
    for (int i = 0; i < kSize; ++i) {
        m_window[static_cast<std::size_t>(i)] =
            0.42 - 0.5 * std::cos(turn * i) + 0.08 * std::cos(2 * turn * i);
    }
}

// The array read as kHalf interleaved complex pairs, transformed in place.
void SpectrumAnalyzer::Butterflies(std::array<double, kSize>& d) const {
    for (int g = kHalf / 2; g >= 1; g >>= 1) {
        int group = 0;
        for (int a0 = 0; a0 < kSize; a0 += 4 * g, ++group) {
            const double sin = m_sine[static_cast<std::size_t>(2 * group)];
            const double cos = m_sine[static_cast<std::size_t>(2 * group + 1)];
            for (int a = a0; a < a0 + 2 * g; a += 2) {
                const auto ar = static_cast<std::size_t>(a);
                const auto br = ar + static_cast<std::size_t>(2 * g);
                const double t1 = d[br] * cos + d[br + 1] * sin;
                const double t2 = d[br] * sin - d[br + 1] * cos;
                d[br] = (d[ar] + t1) / 2;
                d[ar] = d[br] - t1;
                d[br + 1] = (d[ar + 1] - t2) / 2;
                d[ar + 1] = d[br + 1] + t2;
            }
        }
    }
}

// The complex transform of the even and odd samples turned into the spectrum of the real
// input.
void SpectrumAnalyzer::Unpack(std::array<double, kSize>& d) const {
    for (int i1 = 1, i2 = kHalf - 1; i1 <= i2; ++i1, --i2) {
        const auto a = static_cast<std::size_t>(BinIndex(i1));
        const auto b = static_cast<std::size_t>(BinIndex(i2));
        const double sin = m_sine[a];
        const double cos = m_sine[a + 1];
        const double hrPlus = d[a] + d[b];
        const double hrMinus = d[a] - d[b];
        const double hiPlus = d[a + 1] - d[b + 1];
        const double hiMinus = d[a + 1] + d[b + 1];
        const double t1 = sin * hrMinus - cos * hiMinus;
        const double t2 = cos * hrMinus + sin * hiMinus;
        d[a] = (hrPlus + t1) / 2;
        d[b] = d[a] - t1;
        d[a + 1] = (hiPlus + t2) / 2;
        d[b + 1] = d[a + 1] - hiPlus;
    }
    d[0] += d[1];
    d[1] = 0;
}

void SpectrumAnalyzer::RealFft(std::array<double, kSize>& data) const {
    Butterflies(data);
    Unpack(data);
}

void SpectrumAnalyzer::FillSamples(std::span<const std::uint8_t> bytes, const WaveFormat& format,
                                   int step) {
    const bool stereo = format.channels == 2;
    const bool wide = format.bitsPerSample == 16;
    const std::size_t frame = format.blockAlign;
    const std::size_t sample = wide ? 2 : 1;
    auto read = [&](std::size_t at) -> double {
        if (wide) {
            return static_cast<std::int16_t>(bytes[at] | (bytes[at + 1] << 8));
        }
        return static_cast<int>(bytes[at]) - 128;
    };
    for (int i = 0; i < kSize; ++i) {
        const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(step) * frame;
        const double w = m_window[static_cast<std::size_t>(i)];
        m_left[static_cast<std::size_t>(i)] = read(at) * w;
        if (stereo) {
            m_right[static_cast<std::size_t>(i)] = read(at + sample) * w;
        }
    }
}

SpectrumAnalyzer::Levels SpectrumAnalyzer::Compute(std::span<const std::uint8_t> bytes,
                                                   const WaveFormat& format) {
    Levels levels{};
    const bool wide = format.bitsPerSample == 16;
    const bool stereo = format.channels == 2;
    const std::size_t needed = static_cast<std::size_t>(format.channels) * (wide ? 2 : 1);
    if (format.blockAlign < needed || needed == 0) {
        return levels;
    }
    const int step = static_cast<int>(bytes.size() / format.blockAlign / kSize);
    if (step < 1) {
        return levels;
    }
    FillSamples(bytes, format, step);
    RealFft(m_left);
    if (stereo) {
        RealFft(m_right);
    }
    const double unit = (wide ? 32768.0 / 3 : 128.0) / 64;
    const int channels = stereo ? 2 : 1;
    const int binsPerBand = kHalf / (kColumns / channels) + 1;
    std::array<int, 2> largest{};
    int filled = 0;
    for (int j = 0; j < kHalf && filled < kColumns; ++j) {
        const auto at = static_cast<std::size_t>(BinIndex(j));
        largest[0] = std::max(largest[0], Magnitude(m_left[at], m_left[at + 1]));
        if (stereo) {
            largest[1] = std::max(largest[1], Magnitude(m_right[at], m_right[at + 1]));
        }
        if ((j + 1) % binsPerBand != 0 && j + 1 != kHalf) {
            continue;
        }
        for (int c = 0; c < channels && filled < kColumns; ++c) {
            const int level = static_cast<int>(largest[static_cast<std::size_t>(c)] / unit);
            levels[static_cast<std::size_t>(filled++)] = std::min(level, kMaxLevel);
            largest[static_cast<std::size_t>(c)] = 0;
        }
    }
    return levels;
}
