#pragma once

#include "platform/WaveFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>

// The analysis tables could not be allocated; the program cannot go on without them.
class TableAllocationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The bar spectrum of one output buffer: 256 samples taken evenly across it, a Blackman
// window, a 256-point real FFT, and the bin magnitudes grouped into 20 levels of 0 to 16
// (19 bands for mono, 10 per channel for stereo). The tables are built once; computing a
// spectrum allocates nothing.
class SpectrumAnalyzer {
public:
    static constexpr int kSize = 256;
    static constexpr int kHalf = kSize / 2;
    static constexpr int kColumns = 20;
    static constexpr int kMaxLevel = 16;
    using Levels = std::array<int, kColumns>;

    SpectrumAnalyzer();
    // The analyzer with its tables; throws TableAllocationError when memory runs out.
    static std::unique_ptr<SpectrumAnalyzer> Create();

    // The levels of a buffer of PCM samples in format (8-bit or 16-bit, mono or stereo).
    Levels Compute(std::span<const std::uint8_t> bytes, const WaveFormat& format);
    // The in-place real FFT of kSize samples: for bin k < kHalf, the real part is at
    // BinIndex(k) and the imaginary part at BinIndex(k) + 1, both 2/N times the DFT.
    void RealFft(std::array<double, kSize>& data) const;
    int BinIndex(int bin) const { return m_bitReversed[static_cast<std::size_t>(bin)]; }

private:
    void FillSamples(std::span<const std::uint8_t> bytes, const WaveFormat& format, int step);
    void Butterflies(std::array<double, kSize>& data) const;
    void Unpack(std::array<double, kSize>& data) const;

    std::array<double, kSize> m_window{};
    std::array<double, kSize> m_sine{};
    std::array<int, kHalf> m_bitReversed{};
    std::array<double, kSize> m_left{};
    std::array<double, kSize> m_right{};
};
