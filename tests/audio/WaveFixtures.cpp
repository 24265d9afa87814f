#include "audio/WaveFixtures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <complex>
#include <fstream>
#include <numbers>

namespace fixtures {

namespace {

void Put16(Bytes& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutId(Bytes& out, const std::string& id) {
    out.insert(out.end(), id.begin(), id.end());
}

// In-place radix-2 FFT; the size is a power of two.
void Fft(std::vector<std::complex<double>>& a) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; (j & bit) != 0; bit >>= 1) {
            j ^= bit;
        }
        j |= bit;
        if (i < j) {
            std::swap(a[i], a[j]);
        }
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> unit = std::polar(1.0, -2 * std::numbers::pi / len);
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (std::size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[i + k];
                const std::complex<double> v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
                w *= unit;
            }
        }
    }
}

} // namespace

WaveFormat Pcm(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    WaveFormat f;
    f.formatTag = WaveFormat::kPcm;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    f.bitsPerSample = bits;
    return f;
}

Chunk FmtChunk(const WaveFormat& f, std::uint32_t size) {
    Bytes b;
    Put16(b, f.formatTag);
    Put16(b, f.channels);
    Put32(b, f.samplesPerSec);
    Put32(b, f.avgBytesPerSec);
    Put16(b, f.blockAlign);
    Put16(b, f.bitsPerSample);
    b.resize(size, 0);
    return {"fmt ", b, {}};
}

Chunk DataChunk(Bytes samples) {
    return {"data", std::move(samples), {}};
}

Bytes RiffWave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize) {
    Bytes body;
    PutId(body, "WAVE");
    for (const Chunk& c : chunks) {
        PutId(body, c.id);
        Put32(body, c.size.value_or(static_cast<std::uint32_t>(c.contents.size())));
        body.insert(body.end(), c.contents.begin(), c.contents.end());
        if (c.contents.size() % 2 != 0) {
            body.push_back(0);
        }
    }
    Bytes out;
    PutId(out, "RIFF");
    Put32(out, riffSize.value_or(static_cast<std::uint32_t>(body.size())));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes PcmWave(const WaveFormat& format, const Bytes& samples) {
    return RiffWave({FmtChunk(format), DataChunk(samples)});
}

std::string WriteTemp(const std::string& name, const Bytes& bytes) {
    static std::atomic<int> serial{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string path = ::testing::TempDir() + "earlark_" +
                       (info != nullptr ? std::string(info->name()) : std::string("x")) + "_" +
                       std::to_string(serial++) + "_" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return path;
}

Bytes Sine16(std::uint32_t frames, double frequency, std::uint32_t rate, double amplitude,
             std::uint16_t channels) {
    Bytes out;
    out.reserve(static_cast<std::size_t>(frames) * 2 * channels);
    for (std::uint32_t i = 0; i < frames; ++i) {
        double v = amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate);
        auto s = static_cast<std::int16_t>(std::lround(v));
        for (std::uint16_t c = 0; c < channels; ++c) {
            Put16(out, static_cast<std::uint16_t>(s));
        }
    }
    return out;
}

Bytes Le16(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (std::int16_t s : samples) {
        Put16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

std::vector<std::int16_t> ToSamples16(const Bytes& bytes) {
    std::vector<std::int16_t> out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<std::int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return out;
}

double ZeroCrossingRate(const std::vector<std::int32_t>& samples) {
    if (samples.size() < 2) {
        return 0.0;
    }
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) {
            ++crossings;
        }
    }
    return static_cast<double>(crossings) / static_cast<double>(samples.size() - 1);
}

double DominantFrequency(const std::vector<std::int32_t>& samples, double sampleRate) {
    std::size_t n = 64;
    if (samples.size() < n) {
        return 0.0;
    }
    while (2 * n <= samples.size()) {
        n *= 2;
    }
    std::vector<std::complex<double>> spectrum(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * i / (n - 1));
        spectrum[i] = hann * samples[i];
    }
    Fft(spectrum);
    std::vector<double> magnitude(n / 2);
    for (std::size_t i = 0; i < n / 2; ++i) {
        magnitude[i] = std::abs(spectrum[i]);
    }
    std::size_t peak = 1;
    for (std::size_t i = 2; i + 1 < n / 2; ++i) {
        if (magnitude[i] > magnitude[peak]) {
            peak = i;
        }
    }
    // A parabola through the peak bin and its neighbours (on a log scale) places the peak
    // between bins.
    const double a = std::log(magnitude[peak - 1] + 1e-9);
    const double b = std::log(magnitude[peak] + 1e-9);
    const double c = std::log(magnitude[peak + 1] + 1e-9);
    const double denominator = a - 2 * b + c;
    const double shift = denominator == 0 ? 0.0 : 0.5 * (a - c) / denominator;
    return (static_cast<double>(peak) + shift) * sampleRate / static_cast<double>(n);
}

} // namespace fixtures
