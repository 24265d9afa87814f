#pragma once

#include "platform/BlockCodec.h"

#include <memory>

// IEEE floating-point samples (format tag 0x0003, or an extensible record with the float
// sub-format), 32 or 64 bits, to 16-bit PCM: full scale is ±1.0, values beyond it are
// clipped, and the result is rounded to the nearest step.
class FloatPcmCodec : public BlockCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    static int ToSample16(double value);

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;

private:
    explicit FloatPcmCodec(const WaveFormatEx& source);

    std::size_t m_channels;
    std::size_t m_bytesPerSample;
};
