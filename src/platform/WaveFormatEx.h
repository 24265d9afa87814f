#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A wave format record with its extra bytes: the contents of a "fmt " chunk of any format
// tag (the 16-byte PCM record, the extra-bytes count, then that many codec-specific bytes).
struct WaveFormatEx {
    static constexpr std::uint16_t kPcm = 0x0001;
    static constexpr std::uint16_t kMsAdpcm = 0x0002;
    static constexpr std::uint16_t kIeeeFloat = 0x0003;
    static constexpr std::uint16_t kALaw = 0x0006;
    static constexpr std::uint16_t kMuLaw = 0x0007;
    static constexpr std::uint16_t kImaAdpcm = 0x0011;
    static constexpr std::uint16_t kGsm610 = 0x0031;
    static constexpr std::uint16_t kMpeg = 0x0050;
    static constexpr std::uint16_t kMpegLayer3 = 0x0055;
    static constexpr std::uint16_t kExtensible = 0xFFFE;

    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::vector<std::uint8_t> extra; // the bytes after the extra-bytes count

    // Parses chunk contents; fewer than 16 bytes give an all-zero record. The extra bytes
    // are limited to what the contents hold, whatever the stored count says.
    static WaveFormatEx FromBytes(std::span<const std::uint8_t> bytes);
    // A PCM record with consistent block alignment and byte rate.
    static WaveFormatEx Pcm(std::uint16_t channels, std::uint32_t samplesPerSec,
                            std::uint16_t bitsPerSample);

    // The chunk contents: 16 bytes for PCM, else 18 plus the extra bytes.
    std::vector<std::uint8_t> ToBytes() const;
    // A little-endian 16-bit value of the extra bytes, or 0 where they are too short.
    std::uint16_t ExtraU16(std::size_t offset) const;
    // The format tag that describes the samples: for an extensible record whose
    // sub-format is one of the standard tags, that tag; otherwise the format tag itself.
    std::uint16_t SampleTag() const;

    friend bool operator==(const WaveFormatEx&, const WaveFormatEx&) = default;
};
