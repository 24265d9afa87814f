#pragma once

#include "platform/BlockCodec.h"

#include <array>
#include <memory>

// G.711 A-law (format tag 0x0006) and µ-law (0x0007), 8 bits per sample, to 16-bit PCM by
// the standard expansion of each byte.
class G711Codec : public BlockCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    // The 16-bit value of one coded byte.
    static int ExpandALaw(std::uint8_t code);
    static int ExpandMuLaw(std::uint8_t code);

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;

private:
    explicit G711Codec(const WaveFormatEx& source);

    std::size_t m_channels;
    std::array<std::int16_t, 256> m_table{};
};
