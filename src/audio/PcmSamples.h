#pragma once

#include "platform/WaveFormat.h"

#include <cstdint>

// Conversions between the bytes of a PCM block and the engine's integer samples. Only two
// layouts are distinguished: 16-bit signed little-endian samples or 8-bit unsigned samples
// (any other width is handled as 8-bit), two channels or one (any other count is handled as
// one channel, the first sample of each frame).
namespace pcm {

// A sample as a signed integer: 16-bit as is, 8-bit as value - 128.
std::int32_t ReadSample(const std::uint8_t* at, bool is16Bit);
// The low 16 bits of value (16-bit), or (value + 128) mod 256 (8-bit).
void WriteSample(std::uint8_t* at, std::int32_t value, bool is16Bit);
// A sample on the common 8-bit scale of the loudness measures (0 to 255, silence about 128):
// the byte itself for 8-bit audio, the high byte taken as signed plus 128 for 16-bit audio.
std::int32_t ScaleTo8Bit(const std::uint8_t* at, bool is16Bit);

// Splits frames of block into first (and, for two channels, second).
void Deinterleave(const std::uint8_t* block, int frames, const WaveFormat& format,
                  std::int32_t* first, std::int32_t* second);
// Writes frames of first (and second) back into block; the bytes of any further channels of a
// frame are set to silence.
void Interleave(const std::int32_t* first, const std::int32_t* second, int frames,
                const WaveFormat& format, std::uint8_t* block);

} // namespace pcm
