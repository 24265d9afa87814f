#pragma once

#include <cstdint>

// The PCM wave format record: the first 16 bytes of a "fmt " chunk, little-endian in the
// file. The wave engine plays format tag 1 (PCM) with 8-bit unsigned or 16-bit signed
// samples; the output devices take the same record.
struct WaveFormat {
    static constexpr std::uint16_t kPcm = 1;

    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;

    bool Is16Bit() const { return bitsPerSample == 16; }
    bool IsStereo() const { return channels == 2; }
    // The byte value of digital silence: 0 for 16-bit samples, 128 for 8-bit samples.
    std::uint8_t SilenceByte() const { return Is16Bit() ? 0 : 128; }

    friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};
