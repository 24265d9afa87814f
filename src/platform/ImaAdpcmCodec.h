#pragma once

#include "platform/BlockCodec.h"

#include <memory>

// IMA ADPCM in wave files (format tag 0x0011, 4 bits per sample) to 16-bit PCM. A block holds,
// per channel, a 4-byte header (first sample, step index), then the channels' nibbles in
// interleaved runs of 4 bytes (8 samples) per channel.
class ImaAdpcmCodec : public BlockCodec {
public:
    // A codec for `source`, or none when the record is not a usable IMA ADPCM format.
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    // The last block is padded; the "fact" count says where the audio ends.
    bool FactCountEndsTheAudio() const override { return true; }

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;
    std::size_t DecodePartialBlock(std::span<const std::uint8_t> source,
                                   std::uint8_t* out) override;

private:
    ImaAdpcmCodec(const WaveFormatEx& source, std::size_t samplesPerBlock);
    void DecodeBlock(const std::uint8_t* block, std::size_t groups, std::size_t samples,
                     std::uint8_t* out) const;

    std::size_t m_channels;
    std::size_t m_blockBytes;
    std::size_t m_samplesPerBlock;
};
