#pragma once

#include "platform/AudioCodec.h"

// The common frame of codecs whose source is a sequence of fixed-size blocks, each of which
// decodes into a fixed number of output bytes (ADPCM blocks, GSM blocks, or single sample
// frames for PCM-like formats). Derived classes decode runs of whole blocks and, where the
// format allows, a trailing partial block at the end of the stream.
class BlockCodec : public AudioCodec {
public:
    const WaveFormatEx& OutputFormat() const override { return m_output; }
    std::size_t EstimateOutputSize(std::size_t sourceBytes) const override;
    bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                 unsigned flags, CodecConversion* result) override;

protected:
    BlockCodec(const WaveFormatEx& output, std::size_t sourceBlockBytes,
               std::size_t outputBlockBytes);

    // Decodes `count` whole blocks from `source` into `out` (count x output block bytes).
    virtual void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) = 0;
    // Decodes a final block shorter than a whole one; returns the bytes written (at most
    // one output block). The default decodes nothing.
    virtual std::size_t DecodePartialBlock(std::span<const std::uint8_t> source, std::uint8_t* out);

    // Output in 16-bit little-endian samples: the usual output of every codec here.
    static void Store16(std::uint8_t* out, int sample) {
        out[0] = static_cast<std::uint8_t>(sample);
        out[1] = static_cast<std::uint8_t>(sample >> 8);
    }

private:
    WaveFormatEx m_output;
    std::size_t m_sourceBlockBytes;
    std::size_t m_outputBlockBytes;
};
