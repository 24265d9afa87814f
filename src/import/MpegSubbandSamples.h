#pragma once

// Subband samples of one frame (layers I and II) or one granule (layer III), full scale
// 1.0, ready for the synthesis filter: [channel][time slot][subband].
struct MpegSubbandSamples {
    static constexpr int kMaxSlots = 36;
    float value[2][kMaxSlots][32];
    int slots = 0;
};
