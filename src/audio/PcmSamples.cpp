#include "audio/PcmSamples.h"

#include <cstring>

namespace pcm {

std::int32_t ReadSample(const std::uint8_t* at, bool is16Bit) {
    if (is16Bit) {
        return static_cast<std::int16_t>(at[0] | at[1] << 8);
    }
    return static_cast<std::int32_t>(at[0]) - 128;
}

void WriteSample(std::uint8_t* at, std::int32_t value, bool is16Bit) {
    if (is16Bit) {
        const auto bits = static_cast<std::uint32_t>(value);
        at[0] = static_cast<std::uint8_t>(bits & 0xFF);
        at[1] = static_cast<std::uint8_t>((bits >> 8) & 0xFF);
    } else {
        at[0] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(value) + 128u) & 0xFF);
    }
}

std::int32_t ScaleTo8Bit(const std::uint8_t* at, bool is16Bit) {
    if (is16Bit) {
        return static_cast<std::int8_t>(at[1]) + 128;
    }
    return at[0];
}

void Deinterleave(const std::uint8_t* block, int frames, const WaveFormat& format,
                  std::int32_t* first, std::int32_t* second) {
    const bool is16 = format.Is16Bit();
    const std::size_t sampleBytes = is16 ? 2 : 1;
    for (int i = 0; i < frames; ++i) {
        const std::uint8_t* frame = block + static_cast<std::size_t>(i) * format.blockAlign;
        first[i] = ReadSample(frame, is16);
        if (format.IsStereo()) {
            second[i] = ReadSample(frame + sampleBytes, is16);
        }
    }
}

void Interleave(const std::int32_t* first, const std::int32_t* second, int frames,
                const WaveFormat& format, std::uint8_t* block) {
    const bool is16 = format.Is16Bit();
    const std::size_t sampleBytes = is16 ? 2 : 1;
    const std::size_t used = format.IsStereo() ? 2 * sampleBytes : sampleBytes;
    for (int i = 0; i < frames; ++i) {
        std::uint8_t* frame = block + static_cast<std::size_t>(i) * format.blockAlign;
        WriteSample(frame, first[i], is16);
        if (format.IsStereo()) {
            WriteSample(frame + sampleBytes, second[i], is16);
        }
        if (format.blockAlign > used) {
            std::memset(frame + used, format.SilenceByte(), format.blockAlign - used);
        }
    }
}

} // namespace pcm
