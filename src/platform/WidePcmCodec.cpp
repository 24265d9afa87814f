#include "platform/WidePcmCodec.h"

#include <cstring>

namespace {

constexpr int kMaxChannels = 8;

// 8-bit samples stay 8-bit (the engine plays them); everything wider becomes 16-bit.
std::uint16_t OutputBits(std::size_t bytesPerSample) {
    return bytesPerSample == 1 ? 8 : 16;
}

} // namespace

std::unique_ptr<AudioCodec> WidePcmCodec::Create(const WaveFormatEx& source) {
    if (source.SampleTag() != WaveFormatEx::kPcm || source.channels < 1 ||
        source.channels > kMaxChannels || source.samplesPerSec == 0 || source.bitsPerSample == 0 ||
        source.bitsPerSample > 32) {
        return nullptr;
    }
    // Samples sit in whole-byte containers; the container decides the layout.
    std::size_t bytes = (source.bitsPerSample + 7u) / 8u;
    if (source.blockAlign != source.channels * bytes) {
        return nullptr;
    }
    return std::unique_ptr<AudioCodec>(new WidePcmCodec(source, bytes));
}

int WidePcmCodec::ToSample16(std::int32_t top) {
    std::int64_t rounded = (static_cast<std::int64_t>(top) + 0x8000) >> 16;
    return rounded > 32767 ? 32767 : static_cast<int>(rounded);
}

WidePcmCodec::WidePcmCodec(const WaveFormatEx& source, std::size_t bytesPerSample)
    : BlockCodec(
          WaveFormatEx::Pcm(source.channels, source.samplesPerSec, OutputBits(bytesPerSample)),
          source.blockAlign, source.channels * (OutputBits(bytesPerSample) / 8u)),
      m_channels(source.channels), m_bytesPerSample(bytesPerSample) {}

void WidePcmCodec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    std::size_t samples = count * m_channels;
    if (m_bytesPerSample <= 2) {
        std::memcpy(out, source, samples * m_bytesPerSample);
        return;
    }
    for (std::size_t i = 0; i < samples; ++i) {
        const std::uint8_t* s = source + i * m_bytesPerSample;
        std::uint32_t top = 0;
        for (std::size_t b = 0; b < m_bytesPerSample; ++b) {
            top |= static_cast<std::uint32_t>(s[b]) << (8 * (4 - m_bytesPerSample + b));
        }
        Store16(out + 2 * i, ToSample16(static_cast<std::int32_t>(top)));
    }
}
