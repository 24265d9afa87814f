#pragma once

#include "import/MpegFrameHeader.h"
#include "import/MpegLayer3Hybrid.h"
#include "import/MpegLayer3Scalefactors.h"
#include "import/MpegLayer3SideInfo.h"
#include "import/MpegSubbandSamples.h"

#include <cstdint>
#include <vector>

// Layer III frame decoding up to the subband samples: side information, the bit reservoir
// (main data may begin in earlier frames, ISO/IEC 11172-3 2.4.3.4.4), scalefactors,
// Huffman data, requantization, stereo, reordering and the hybrid synthesis.
class MpegLayer3Decoder {
public:
    enum class Result { kDecoded, kCorrupt, kMissingReservoir };

    void Reset();
    // `frame`: the whole frame, header included. On kDecoded, `out` holds 18 slots per
    // granule (36 for MPEG-1, 18 for the lower sampling frequencies).
    Result DecodeFrame(const MpegFrameHeader& header, const std::uint8_t* frame, int size,
                       MpegSubbandSamples& out);

private:
    bool DecodeMainData(const MpegFrameHeader& header, MpegSubbandSamples& out);
    void KeepForReservoir(const std::uint8_t* data, std::size_t size);

    static constexpr std::size_t kReservoirBytes = 511;
    std::vector<std::uint8_t> m_reservoir;
    std::vector<std::uint8_t> m_mainData;
    MpegLayer3SideInfo m_side;
    MpegLayer3Hybrid m_hybrid[2];
    Layer3Scalefactors m_scalefactors[2];
    int m_channels = 0;
};
