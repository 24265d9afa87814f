#pragma once

#include "import/MpegLayer3SideInfo.h"

// The hybrid synthesis of layer III for one channel (ISO/IEC 11172-3 2.4.3.4.10): alias
// reduction between long-block subbands, the inverse MDCT with the window of the block
// type, overlap-add with the previous granule and frequency inversion of odd subbands.
// Keeps the overlap half of every subband between granules.
class MpegLayer3Hybrid {
public:
    MpegLayer3Hybrid();
    void Reset();

    // `xr`: 576 values in subband order (after reordering), `count`: values from there on
    // are zero. Writes 18 time slots of 32 subband samples to out[slot][subband]. Alias
    // reduction modifies `xr`.
    void Process(const Layer3GranuleInfo& g, float* xr, int count, float (*out)[32]);

private:
    void LongBlock(const float* in, int window, float* overlap, float* out) const;
    void ShortBlock(const float* in, float* overlap, float* out) const;

    float m_overlap[32][18];
};
