#include "import/MpegLayer3Stereo.h"

#include "import/MpegLayer3Requantizer.h"
#include "import/MpegSimd.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kInvSqrt2 = 0.70710678118654752440f;

struct Context {
    const MpegFrameHeader& header;
    const Layer3Scalefactors& sf;
    bool midSide;
    float* left;
    float* right;
};

MPEG_VECTOR_CLONES
void MidSide(float* left, float* right, int first, int last) {
    for (int i = first; i < last; ++i) {
        const float mid = left[i];
        const float side = right[i];
        left[i] = (mid + side) * kInvSqrt2;
        right[i] = (mid - side) * kInvSqrt2;
    }
}

// Left and right weights of an intensity position.
void IntensityWeights(const Context& c, int position, float& kl, float& kr) {
    if (!c.header.Lsf()) {
        const double angle = position * kPi / 12.0;
        const double s = std::sin(angle);
        const double co = std::cos(angle);
        kl = static_cast<float>(s / (s + co));
        kr = static_cast<float>(co / (s + co));
        return;
    }
    const double base = c.sf.intensityScale ? std::sqrt(0.5) : std::pow(2.0, -0.25);
    kl = kr = 1.0f;
    if (position & 1) {
        kl = static_cast<float>(std::pow(base, (position + 1) / 2));
    } else if (position != 0) {
        kr = static_cast<float>(std::pow(base, position / 2));
    }
}

// One band [first, last) above the intensity bound.
void IntensityBand(const Context& c, int position, int illegal, int first, int last) {
    if (position == illegal) {
        if (c.midSide) {
            MidSide(c.left, c.right, first, last);
        }
        return;
    }
    float kl;
    float kr;
    IntensityWeights(c, position, kl, kr);
    for (int i = first; i < last; ++i) {
        const float value = c.left[i];
        c.left[i] = value * kl;
        c.right[i] = value * kr;
    }
}

// The last band (which has no scalefactor) when the band below it is not intensity coded:
// MPEG-1 treats it as an illegal position, the lower sampling frequencies as position 0.
void LastBandAlone(const Context& c, int first, int last) {
    if (c.header.Lsf()) {
        IntensityBand(c, 0, -1, first, last);
    } else if (c.midSide) {
        MidSide(c.left, c.right, first, last);
    }
}

bool AnyNonZero(const float* values, int first, int last) {
    for (int i = first; i < last; ++i) {
        if (values[i] != 0.0f) {
            return true;
        }
    }
    return false;
}

// Long bands [0, longEnd): intensity from the band after the last non-zero one. Returns
// false when no band qualified (so a mixed block's short part may hold the bound).
void LongIntensity(const Context& c, const Layer3Bands& bands, int longEnd, int bound) {
    for (int band = 0; band < longEnd; ++band) {
        const int first = bands.longBands[band];
        const int last = bands.longBands[band + 1];
        if (band < bound) {
            if (c.midSide) {
                MidSide(c.left, c.right, first, last);
            }
            continue;
        }
        if (band == 21 && bound == 21) {
            LastBandAlone(c, first, last);
            continue;
        }
        // The last band has no scalefactor of its own: it follows the band below.
        const int source = band == 21 ? 20 : band;
        IntensityBand(c, c.sf.longBand[source], c.sf.longIllegal[source], first, last);
    }
}

int LastNonZeroLongBand(const float* right, const Layer3Bands& bands, int longEnd) {
    for (int band = longEnd - 1; band >= 0; --band) {
        if (AnyNonZero(right, bands.longBands[band], bands.longBands[band + 1])) {
            return band;
        }
    }
    return -1;
}

void ShortIntensity(const Context& c, const Layer3GranuleInfo& g, const Layer3Bands& bands) {
    const int longEnd = g.mixedBlock ? MpegLayer3Requantizer::MixedLongBands(bands) : 0;
    const int firstShort = g.mixedBlock ? MpegLayer3Requantizer::MixedFirstShortBand(bands) : 0;
    bool shortPartSilent = true;
    for (int w = 0; w < 3; ++w) {
        int bound = firstShort;
        for (int band = 12; band >= firstShort; --band) {
            const int width = bands.shortBands[band + 1] - bands.shortBands[band];
            const int first = bands.shortBands[band] * 3 + w * width;
            if (AnyNonZero(c.right, first, first + width)) {
                bound = band + 1;
                shortPartSilent = false;
                break;
            }
        }
        for (int band = firstShort; band < 13; ++band) {
            const int width = bands.shortBands[band + 1] - bands.shortBands[band];
            const int first = bands.shortBands[band] * 3 + w * width;
            if (band < bound) {
                if (c.midSide) {
                    MidSide(c.left, c.right, first, first + width);
                }
                continue;
            }
            if (band == 12 && bound == 12) {
                LastBandAlone(c, first, first + width);
                continue;
            }
            const int source = band == 12 ? 11 : band;
            IntensityBand(c, c.sf.shortBand[source][w], c.sf.shortIllegal[source], first,
                          first + width);
        }
    }
    if (longEnd > 0) {
        const int bound =
            shortPartSilent ? LastNonZeroLongBand(c.right, bands, longEnd) + 1 : longEnd;
        LongIntensity(c, bands, longEnd, bound);
    }
}

} // namespace

void MpegLayer3Stereo::Process(const MpegFrameHeader& header, const Layer3GranuleInfo& right,
                               const Layer3Scalefactors& rightSf, const Layer3Bands& bands,
                               float* left, float* rightValues, int count[2]) {
    if (header.mode != MpegFrameHeader::kJointStereo) {
        return;
    }
    const bool midSide = (header.modeExtension & 2) != 0;
    const bool intensity = (header.modeExtension & 1) != 0;
    const int extent = std::max(count[0], count[1]);
    if (!intensity) {
        if (midSide) {
            MidSide(left, rightValues, 0, extent);
        }
        count[0] = count[1] = extent;
        return;
    }
    const Context c{header, rightSf, midSide, left, rightValues};
    if (right.ShortBlocks()) {
        ShortIntensity(c, right, bands);
    } else {
        LongIntensity(c, bands, 22, LastNonZeroLongBand(rightValues, bands, 22) + 1);
    }
    count[0] = count[1] = 576;
}
