#pragma once

#include <cstddef>
#include <cstdint>

// The BladeEnc-style encoder library interface as this program uses it: the five entry
// points, their result codes and the LAME layout of the configuration record. The encoder
// library (TesselConv) and the encoder driver both build on this header.
namespace blade {

// Result codes (BE_ERR).
using Error = unsigned long;
constexpr Error kSuccessful = 0;
constexpr Error kInvalidFormat = 1;
constexpr Error kInvalidFormatParameters = 2;
constexpr Error kNoMoreHandles = 3;
constexpr Error kInvalidHandle = 4;
constexpr Error kBufferTooSmall = 5;

// A stream handle (HBE_STREAM).
using Stream = unsigned long;

// The configuration record: packed, little-endian, every field a 32-bit integer at the
// offset given here except the 16-bit quality word. Unused bytes are 0.
namespace config {
constexpr std::size_t kSize = 331;
constexpr std::uint32_t kKindLame = 256;
constexpr std::uint32_t kVersion = 1;

constexpr std::size_t kKind = 0;
constexpr std::size_t kStructVersion = 4;
constexpr std::size_t kStructSize = 8;
constexpr std::size_t kSampleRate = 12;
constexpr std::size_t kOutputSampleRate = 16; // 0: the source's rate
constexpr std::size_t kMode = 20;             // 0 stereo, 1 joint stereo, 2 dual, 3 mono
constexpr std::size_t kBitRate = 24;          // kbit/s; the least bit rate with VBR
constexpr std::size_t kMaxBitRate = 28;       // VBR only
constexpr std::size_t kPrivate = 48;
constexpr std::size_t kCrc = 52;
constexpr std::size_t kCopyright = 56;
constexpr std::size_t kOriginal = 60;
constexpr std::size_t kWriteVbrHeader = 64;
constexpr std::size_t kEnableVbr = 68;
constexpr std::size_t kVbrQuality = 72;
constexpr std::size_t kAbrBitsPerSecond = 76;
constexpr std::size_t kNoBitReservoir = 84;
constexpr std::size_t kStrictIso = 88;
constexpr std::size_t kQuality = 92; // 16 bits: low byte the quality, high byte its complement

constexpr std::uint32_t kModeStereo = 0;
constexpr std::uint32_t kModeMono = 3;
} // namespace config

// Room the output buffer of beEncodeChunk must offer for samplesPerChannel frames of a
// source at sampleRate encoded at up to bitRate kbit/s: the bytes of that much time at the
// bit rate and of four frames the encoder may hold back, a quarter more for frame padding,
// and room for the frames of a flush. The interface passes no buffer size, so the library
// and the program agree on this figure.
constexpr std::size_t OutputBound(std::uint64_t samplesPerChannel, std::uint32_t sampleRate,
                                  std::uint32_t bitRate) {
    if (sampleRate == 0) {
        return 0;
    }
    const std::uint64_t atBitRate = (samplesPerChannel + 4 * 1152) * bitRate * 125 / sampleRate;
    const std::uint64_t perSample = samplesPerChannel * 5 / 4;
    const std::uint64_t larger = atBitRate * 5 / 4 > perSample ? atBitRate * 5 / 4 : perSample;
    return static_cast<std::size_t>(larger + 7200);
}

extern "C" {
using InitStreamFunction = Error (*)(const void* config, std::uint32_t* samplesPerChunk,
                                     std::uint32_t* bufferSize, Stream* stream);
using EncodeChunkFunction = Error (*)(Stream stream, std::uint32_t sampleCount,
                                      const std::int16_t* samples, std::uint8_t* output,
                                      std::uint32_t* outputBytes);
using DeinitStreamFunction = Error (*)(Stream stream, std::uint8_t* output,
                                       std::uint32_t* outputBytes);
using CloseStreamFunction = Error (*)(Stream stream);
using WriteVbrHeaderFunction = Error (*)(const char* path);
}

} // namespace blade
