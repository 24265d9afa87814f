#pragma once

#include "platform/AudioCodec.h"
#include "support/Bytes.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace codec_test {

inline WaveFormatEx Format(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                           std::uint16_t blockAlign, std::uint16_t bits,
                           std::vector<std::uint8_t> extra = {}) {
    WaveFormatEx f;
    f.formatTag = tag;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.avgBytesPerSec = rate * blockAlign;
    f.blockAlign = blockAlign;
    f.bitsPerSample = bits;
    f.extra = std::move(extra);
    return f;
}

// Runs one conversion call and returns the produced samples as 16-bit values.
inline std::vector<std::int16_t> Decode(AudioCodec& codec, const std::vector<std::uint8_t>& source,
                                        unsigned flags = AudioCodec::kBlockAlign,
                                        CodecConversion* done = nullptr) {
    std::vector<std::uint8_t> out(codec.EstimateOutputSize(source.size()) + 64);
    CodecConversion result;
    if (!codec.Convert(source, out, flags, &result)) {
        return {};
    }
    if (done) {
        *done = result;
    }
    std::vector<std::int16_t> samples(result.produced / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(out[2 * i] | out[2 * i + 1] << 8);
    }
    return samples;
}

} // namespace codec_test
