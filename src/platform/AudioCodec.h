#pragma once

#include "platform/WaveFormatEx.h"

#include <cstddef>
#include <cstdint>
#include <span>

// What one conversion call did: source bytes taken and destination bytes written.
struct CodecConversion {
    std::size_t consumed = 0;
    std::size_t produced = 0;
};

// One open conversion stream from a source wave format to a PCM format. Calls feed the
// source in order; a codec with state (a predictor, a filter history, a decoder delay)
// carries it from one call to the next.
class AudioCodec {
public:
    // Convert flags. Block-aligned: take whole source blocks only. End of stream: no more
    // source follows, so anything held back is released and a trailing partial block may be
    // decoded (the latter only without the block-aligned flag).
    static constexpr unsigned kBlockAlign = 1;
    static constexpr unsigned kEndOfStream = 2;

    virtual ~AudioCodec() = default;

    virtual const WaveFormatEx& OutputFormat() const = 0;
    // The largest number of destination bytes that `sourceBytes` of source can produce.
    virtual std::size_t EstimateOutputSize(std::size_t sourceBytes) const = 0;
    // True when the source's "fact" sample count ends the audio inside the last block: the
    // format pads its last block, and decoded samples past the count are that padding.
    virtual bool FactCountEndsTheAudio() const { return false; }
    // Converts as much of `source` as fits into `destination`. False on a stream error.
    virtual bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                         unsigned flags, CodecConversion* result) = 0;
};
