#pragma once

#include <cstdint>

// The polyphase synthesis filter bank of ISO/IEC 11172-3 (2.4.3.2.2 / Annex A.2): turns 32
// subband samples of one channel into 32 PCM samples. Keeps the 16 most recent matrixed
// vectors between calls, so one filter serves one channel for the whole stream.
class MpegSynthesisFilter {
public:
    MpegSynthesisFilter();

    void Reset();
    // `subbands`: `slots` time slots of 32 samples, full scale 1.0. Writes 32 samples per
    // slot to out[0], out[stride], ... one slot after the other.
    void Synthesize(const float (*subbands)[32], int slots, std::int16_t* out, int stride);

    // The 512 window coefficients D[i].
    static const float* Window();
    // Rounds a full-scale-1.0 sample to 16 bits, clipping.
    static std::int16_t ToPcm(float value);

private:
    static constexpr int kSlots = 16;
    // Each matrixed vector of 64 values kept as its two halves.
    float m_low[kSlots][32];
    float m_high[kSlots][32];
    int m_newest = 0;
};
