#include "platform/FloatPcmCodec.h"

#include <cmath>
#include <cstring>

namespace {

constexpr int kMaxChannels = 8;

} // namespace

std::unique_ptr<AudioCodec> FloatPcmCodec::Create(const WaveFormatEx& source) {
    int bits = source.bitsPerSample;
    if (source.SampleTag() != WaveFormatEx::kIeeeFloat || (bits != 32 && bits != 64) ||
        source.channels < 1 || source.channels > kMaxChannels || source.samplesPerSec == 0 ||
        source.blockAlign != source.channels * bits / 8) {
        return nullptr;
    }
    return std::unique_ptr<AudioCodec>(new FloatPcmCodec(source));
}

int FloatPcmCodec::ToSample16(double value) {
    if (!(value == value)) {
        return 0; // NaN
    }
    double scaled = std::floor(value * 32768.0 + 0.5);
    if (scaled >= 32767.0) {
        return 32767;
    }
    if (scaled <= -32768.0) {
        return -32768;
    }
    return static_cast<int>(scaled);
}

FloatPcmCodec::FloatPcmCodec(const WaveFormatEx& source)
    : BlockCodec(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16), source.blockAlign,
                 source.channels * 2u),
      m_channels(source.channels), m_bytesPerSample(source.bitsPerSample / 8u) {}

void FloatPcmCodec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    std::size_t samples = count * m_channels;
    if (m_bytesPerSample == 4) {
        for (std::size_t i = 0; i < samples; ++i) {
            float value;
            std::memcpy(&value, source + 4 * i, 4);
            Store16(out + 2 * i, ToSample16(value));
        }
        return;
    }
    for (std::size_t i = 0; i < samples; ++i) {
        double value;
        std::memcpy(&value, source + 8 * i, 8);
        Store16(out + 2 * i, ToSample16(value));
    }
}
