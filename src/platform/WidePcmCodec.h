#pragma once

#include "platform/BlockCodec.h"

#include <memory>

// Integer PCM (format tag 0x0001, or an extensible record with the PCM sub-format) to the PCM
// the wave engine plays: samples wider than 16 bits (24- and 32-bit containers) are rounded
// to 16 bits; 8- and 16-bit samples are copied, so an extensible record becomes a plain one.
class WidePcmCodec : public BlockCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    // Rounds a sample held in the top bits of a 32-bit value to 16 bits.
    static int ToSample16(std::int32_t top);

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;

private:
    WidePcmCodec(const WaveFormatEx& source, std::size_t bytesPerSample);

    std::size_t m_channels;
    std::size_t m_bytesPerSample;
};
