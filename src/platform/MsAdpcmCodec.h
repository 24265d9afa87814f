#pragma once

#include "platform/BlockCodec.h"

#include <memory>
#include <utility>
#include <vector>

// Microsoft ADPCM (format tag 0x0002, 4 bits per sample) to 16-bit PCM. A block holds, per
// channel, a predictor index, the initial delta and two initial samples, then nibbles (high
// nibble first) with the channels interleaved sample by sample. The predictor coefficient
// pairs come from the format record.
class MsAdpcmCodec : public BlockCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    // The last block is padded; the "fact" count says where the audio ends.
    bool FactCountEndsTheAudio() const override { return true; }

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;
    std::size_t DecodePartialBlock(std::span<const std::uint8_t> source,
                                   std::uint8_t* out) override;

private:
    using Coefficients = std::vector<std::pair<int, int>>;
    MsAdpcmCodec(const WaveFormatEx& source, std::size_t samplesPerBlock, Coefficients coefs);
    void DecodeBlock(const std::uint8_t* block, std::size_t samples, std::uint8_t* out) const;

    std::size_t m_channels;
    std::size_t m_blockBytes;
    std::size_t m_samplesPerBlock;
    Coefficients m_coefs;
};
