#include "platform/G711Codec.h"

namespace {

constexpr int kMaxChannels = 8;

} // namespace

int G711Codec::ExpandALaw(std::uint8_t code) {
    int value = code ^ 0x55;
    int segment = (value & 0x70) >> 4;
    int magnitude = (value & 0x0F) << 4;
    if (segment == 0) {
        magnitude += 8;
    } else {
        magnitude = (magnitude + 0x108) << (segment - 1);
    }
    return (value & 0x80) ? magnitude : -magnitude;
}

int G711Codec::ExpandMuLaw(std::uint8_t code) {
    int value = ~code & 0xFF;
    int magnitude = (((value & 0x0F) << 3) + 0x84) << ((value & 0x70) >> 4);
    return (value & 0x80) ? 0x84 - magnitude : magnitude - 0x84;
}

std::unique_ptr<AudioCodec> G711Codec::Create(const WaveFormatEx& source) {
    bool law = source.formatTag == WaveFormatEx::kALaw || source.formatTag == WaveFormatEx::kMuLaw;
    if (!law || source.bitsPerSample != 8 || source.channels < 1 ||
        source.channels > kMaxChannels || source.samplesPerSec == 0 ||
        source.blockAlign != source.channels) {
        return nullptr;
    }
    return std::unique_ptr<AudioCodec>(new G711Codec(source));
}

G711Codec::G711Codec(const WaveFormatEx& source)
    : BlockCodec(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16), source.channels,
                 source.channels * 2u),
      m_channels(source.channels) {
    bool aLaw = source.formatTag == WaveFormatEx::kALaw;
    for (int code = 0; code < 256; ++code) {
        auto byte = static_cast<std::uint8_t>(code);
        m_table[code] = static_cast<std::int16_t>(aLaw ? ExpandALaw(byte) : ExpandMuLaw(byte));
    }
}

void G711Codec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    std::size_t samples = count * m_channels;
    for (std::size_t i = 0; i < samples; ++i) {
        Store16(out + 2 * i, m_table[source[i]]);
    }
}
