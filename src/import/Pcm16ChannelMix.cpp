#include "import/Pcm16ChannelMix.h"

#include <cstring>

namespace {

int Get16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

void Put16(std::uint8_t* p, int value) {
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    p[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

} // namespace

void MixPcm16Channels(const std::uint8_t* samples, std::uint32_t bytes, int fromChannels,
                      int toChannels, std::vector<std::uint8_t>& out) {
    const std::uint32_t frames = bytes / (2u * static_cast<std::uint32_t>(fromChannels));
    out.resize(static_cast<std::size_t>(frames) * 2 * static_cast<std::size_t>(toChannels));
    for (std::uint32_t i = 0; i < frames; ++i) {
        if (fromChannels == toChannels) {
            std::memcpy(&out[i * 2u * toChannels], samples + i * 2u * fromChannels,
                        2u * static_cast<std::uint32_t>(toChannels));
        } else if (fromChannels == 1) {
            std::memcpy(&out[i * 4], samples + i * 2, 2);
            std::memcpy(&out[i * 4 + 2], samples + i * 2, 2);
        } else {
            Put16(&out[i * 2], (Get16(samples + i * 4) + Get16(samples + i * 4 + 2)) / 2);
        }
    }
}
