#pragma once

#include "import/MpegFrameHeader.h"

// One bit allocation table of layer II (ISO/IEC 11172-3 Table B.2a-d, ISO/IEC 13818-3
// Table B.1): for each coded subband, the width of its allocation field and the number of
// quantization levels each allocation value selects (0 = nothing transmitted).
struct Layer2AllocationTable {
    int subbandLimit;
    const signed char* allocationBits;   // per subband
    const unsigned short* const* levels; // per subband, 16 entries
};

// The table that applies to a frame (chosen by rate and bitrate per channel).
const Layer2AllocationTable& SelectLayer2Table(const MpegFrameHeader& header);

// Scalefactor of layers I and II: 2 * 2^(-index / 3).
float Layer12Scalefactor(int index);

// A coded sample of a quantizer with `levels` steps, as a fraction of the scalefactor:
// (2 code - (levels - 1)) / levels.
inline float Layer12Dequantize(int code, int levels) {
    return static_cast<float>(2 * code - (levels - 1)) / static_cast<float>(levels);
}
