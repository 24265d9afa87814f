#include "import/MpegLayer3Hybrid.h"

#include "import/MpegSimd.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Tables {
    // Butterfly coefficients of the alias reduction, from c_i of Table B.9.
    float cs[8];
    float ca[8];
    // Windows of block types 0, 1, 3 (36 values) and 2 (12 values).
    float window[4][36];
    // Long IMDCT rows for the outputs 0..8 and 18..26; the others follow by symmetry.
    float longCosByInput[18][24] = {}; // [input k][row], rows padded to 24
    // Short IMDCT, 12 outputs of 6 inputs.
    float shortCos[12][6];

    Tables() {
        static const double c[8] = {-0.6, -0.535, -0.33, -0.185, -0.095, -0.041, -0.0142, -0.0037};
        for (int i = 0; i < 8; ++i) {
            const double root = std::sqrt(1.0 + c[i] * c[i]);
            cs[i] = static_cast<float>(1.0 / root);
            ca[i] = static_cast<float>(c[i] / root);
        }
        for (int i = 0; i < 36; ++i) {
            const double longSine = std::sin(kPi / 36.0 * (i + 0.5));
            window[0][i] = static_cast<float>(longSine);
            double start = 0.0;
            if (i < 18) {
                start = longSine;
            } else if (i < 24) {
                start = 1.0;
            } else if (i < 30) {
                start = std::sin(kPi / 12.0 * (i - 18 + 0.5));
            }
            window[1][i] = static_cast<float>(start);
            double stop = 0.0;
            if (i >= 18) {
                stop = longSine;
            } else if (i >= 12) {
                stop = 1.0;
            } else if (i >= 6) {
                stop = std::sin(kPi / 12.0 * (i - 6 + 0.5));
            }
            window[3][i] = static_cast<float>(stop);
            window[2][i] = i < 12 ? static_cast<float>(std::sin(kPi / 12.0 * (i + 0.5))) : 0.0f;
        }
        for (int row = 0; row < 18; ++row) {
            const int i = row < 9 ? row : row + 9;
            for (int k = 0; k < 18; ++k) {
                longCosByInput[k][row] =
                    static_cast<float>(std::cos(kPi / 72.0 * (2 * i + 19) * (2 * k + 1)));
            }
        }
        for (int i = 0; i < 12; ++i) {
            for (int k = 0; k < 6; ++k) {
                shortCos[i][k] =
                    static_cast<float>(std::cos(kPi / 24.0 * (2 * i + 7) * (2 * k + 1)));
            }
        }
    }
};

const Tables& T() {
    static const Tables tables;
    return tables;
}

MPEG_VECTOR_CLONES
void AliasReduce(float* xr, int firstBoundary, int lastBoundary) {
    const Tables& t = T();
    for (int sb = firstBoundary; sb < lastBoundary; ++sb) {
        float* upper = xr + sb * 18;
        for (int i = 0; i < 8; ++i) {
            const float below = upper[-1 - i];
            const float above = upper[i];
            upper[-1 - i] = below * t.cs[i] - above * t.ca[i];
            upper[i] = above * t.cs[i] + below * t.ca[i];
        }
    }
}

// Inverse MDCT of 18 lines into 36 samples, windowed, overlap-added into `out`.
MPEG_VECTOR_CLONES
void LongImdct(const Tables& t, const float* in, int window, float* overlap, float* out) {
    // Accumulated input by input, so the 18 sums (padded to 24) run side by side.
    MpegVec8 sum0 = {};
    MpegVec8 sum1 = {};
    MpegVec8 sum2 = {};
    for (int k = 0; k < 18; ++k) {
        const float value = in[k];
        const float* c = t.longCosByInput[k];
        MpegVec8 c0, c1, c2;
        MPEG_LOAD8(c0, c);
        MPEG_LOAD8(c1, c + 8);
        MPEG_LOAD8(c2, c + 16);
        sum0 += value * c0;
        sum1 += value * c1;
        sum2 += value * c2;
    }
    float sums[24];
    MPEG_STORE8(sums, sum0);
    MPEG_STORE8(sums + 8, sum1);
    MPEG_STORE8(sums + 16, sum2);
    float x[36];
    for (int row = 0; row < 9; ++row) {
        x[row] = sums[row];
        x[17 - row] = -sums[row];
        x[row + 18] = sums[row + 9];
        x[35 - row] = sums[row + 9];
    }
    const float* w = t.window[window];
    for (int i = 0; i < 18; ++i) {
        out[i] = x[i] * w[i] + overlap[i];
        overlap[i] = x[i + 18] * w[i + 18];
    }
}

} // namespace

MpegLayer3Hybrid::MpegLayer3Hybrid() {
    Reset();
}

void MpegLayer3Hybrid::Reset() {
    std::memset(m_overlap, 0, sizeof m_overlap);
}

void MpegLayer3Hybrid::LongBlock(const float* in, int window, float* overlap, float* out) const {
    LongImdct(T(), in, window, overlap, out);
}

void MpegLayer3Hybrid::ShortBlock(const float* in, float* overlap, float* out) const {
    const Tables& t = T();
    float z[36] = {};
    for (int w = 0; w < 3; ++w) {
        const float* source = in + w * 6;
        for (int i = 0; i < 12; ++i) {
            float sum = 0.0f;
            for (int k = 0; k < 6; ++k) {
                sum += source[k] * t.shortCos[i][k];
            }
            z[6 + 6 * w + i] += sum * t.window[2][i];
        }
    }
    for (int i = 0; i < 18; ++i) {
        out[i] = z[i] + overlap[i];
        overlap[i] = z[i + 18];
    }
}

void MpegLayer3Hybrid::Process(const Layer3GranuleInfo& g, float* xr, int count, float (*out)[32]) {
    // Subbands that may hold non-zero values once alias reduction has spread them.
    const int active = std::min(32, (count + 17) / 18 + 1);
    const bool shortBlocks = g.ShortBlocks();
    if (!shortBlocks) {
        AliasReduce(xr, 1, active);
    } else if (g.mixedBlock) {
        AliasReduce(xr, 1, 2);
    }
    float samples[18];
    for (int sb = 0; sb < 32; ++sb) {
        float* overlap = m_overlap[sb];
        if (sb >= active) {
            std::memcpy(samples, overlap, sizeof samples);
            std::memset(overlap, 0, sizeof(float) * 18);
        } else if (shortBlocks && !(g.mixedBlock && sb < 2)) {
            ShortBlock(xr + sb * 18, overlap, samples);
        } else {
            // The two lowest subbands of a block with the mixed flag use the normal window,
            // whatever the block type.
            const bool normal = shortBlocks || (g.mixedBlock && sb < 2);
            LongBlock(xr + sb * 18, normal ? 0 : g.blockType, overlap, samples);
        }
        const bool invert = (sb & 1) != 0;
        for (int i = 0; i < 18; ++i) {
            out[i][sb] = invert && (i & 1) ? -samples[i] : samples[i];
        }
    }
}
