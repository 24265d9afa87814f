#pragma once

#include "export/BladeEncoderApi.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct lame_global_struct;

// One encoder stream of the TesselConv library: a LAME encoder set up from a configuration
// record of the LAME layout, fed interleaved 16-bit samples in chunks of any size.
class TesselConvStream {
public:
    TesselConvStream() = default;
    TesselConvStream(const TesselConvStream&) = delete;
    TesselConvStream& operator=(const TesselConvStream&) = delete;
    ~TesselConvStream();

    // Reads the record (at least config::kSize bytes) and starts the encoder.
    blade::Error Init(const std::uint8_t* record);
    std::uint32_t SamplesPerChunk() const;
    std::size_t OutputBound(std::uint64_t sampleCount) const;

    // sampleCount counts the samples of all channels together.
    blade::Error Encode(const std::int16_t* samples, std::uint32_t sampleCount,
                        std::uint8_t* output, std::uint32_t* outputBytes);
    // Flushes the last frames; a stream that reserved an information frame keeps its final
    // contents in tagFrame.
    blade::Error Finish(std::uint8_t* output, std::uint32_t* outputBytes,
                        std::vector<std::uint8_t>& tagFrame);

private:
    bool Configure(const std::uint8_t* record);
    void ConfigureRates(const std::uint8_t* record);
    void ConfigureVbr(const std::uint8_t* record);

    lame_global_struct* m_lame = nullptr;
    std::uint32_t m_channels = 2;
    std::uint32_t m_sampleRate = 0;
    std::uint32_t m_boundBitRate = 0;
    bool m_finished = false;
};
