#pragma once

#include "platform/WaveFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Wave files made to measure for the tests: any chunks in any order, with sizes that may lie.
namespace fixtures {

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
    std::string id; // four characters
    Bytes contents;
    std::optional<std::uint32_t> size; // the size field, when it should not match contents
};

WaveFormat Pcm(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);
// The 16-byte record of format (size 16, or 18 with a zero extra-size field).
Chunk FmtChunk(const WaveFormat& format, std::uint32_t size = 16);
Chunk DataChunk(Bytes samples);
// "RIFF" size "WAVE" followed by the chunks (each padded to an even size).
Bytes RiffWave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize = {});
Bytes PcmWave(const WaveFormat& format, const Bytes& samples);

// Writes bytes to a fresh file under the test's temporary folder and returns its path.
std::string WriteTemp(const std::string& name, const Bytes& bytes);

// 16-bit little-endian samples of a sine of the given frequency, the same on every channel.
Bytes Sine16(std::uint32_t frames, double frequency, std::uint32_t rate, double amplitude,
             std::uint16_t channels = 1);
Bytes Le16(const std::vector<std::int16_t>& samples);
std::vector<std::int16_t> ToSamples16(const Bytes& bytes);

// Sign changes per frame of a signal: a sine of frequency f at rate r gives about 2f / r.
double ZeroCrossingRate(const std::vector<std::int32_t>& samples);

// The frequency in Hz of the strongest spectral peak of the samples (Hann window over the
// largest power of two of them, peak refined between bins); 0 for fewer than 64 samples.
double DominantFrequency(const std::vector<std::int32_t>& samples, double sampleRate);

} // namespace fixtures
