#include "import/MpegLayer3Requantizer.h"

#include "import/MpegSimd.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// |v|^(4/3) for every magnitude a granule can hold (15 + 2^13 - 1).
constexpr int kMaxMagnitude = 8207;

const float* PowerTable() {
    static const struct Table {
        float value[kMaxMagnitude];
        Table() {
            for (int i = 0; i < kMaxMagnitude; ++i) {
                value[i] = static_cast<float>(std::pow(static_cast<double>(i), 4.0 / 3.0));
            }
        }
    } table;
    return table.value;
}

// 2^(quarters / 4) for every exponent a granule can produce (global gain 0..255 minus
// subblock gain and scalefactors), from a table.
constexpr int kLowestQuarter = -210 - 8 * 7 - 4 * (31 + 3);
constexpr int kHighestQuarter = 255 - 210;

float Gain(int quarters) {
    static const struct Table {
        float value[kHighestQuarter - kLowestQuarter + 1];
        Table() {
            for (int q = kLowestQuarter; q <= kHighestQuarter; ++q) {
                value[q - kLowestQuarter] = static_cast<float>(std::pow(2.0, q / 4.0));
            }
        }
    } table;
    return table.value[std::clamp(quarters, kLowestQuarter, kHighestQuarter) - kLowestQuarter];
}

MPEG_VECTOR_CLONES
void ScaleLines(const int* values, int first, int last, float gain, float* xr) {
    const float* power = PowerTable();
    for (int i = first; i < last; ++i) {
        const int v = values[i];
        const float magnitude = power[std::min(std::abs(v), kMaxMagnitude - 1)] * gain;
        xr[i] = std::copysign(magnitude, static_cast<float>(v));
    }
}

} // namespace

int MpegLayer3Requantizer::MixedLongBands(const Layer3Bands& bands) {
    int band = 0;
    while (band < 22 && bands.longBands[band + 1] <= 36) {
        ++band;
    }
    return band;
}

int MpegLayer3Requantizer::MixedFirstShortBand(const Layer3Bands& bands) {
    int band = 0;
    while (band < 13 && bands.shortBands[band] * 3 < 36) {
        ++band;
    }
    return band;
}

void MpegLayer3Requantizer::Requantize(const Layer3GranuleInfo& g, const Layer3Scalefactors& sf,
                                       const Layer3Bands& bands, const int* values, int count,
                                       float* xr) {
    std::memset(xr, 0, sizeof(float) * 576);
    const int base = g.globalGain - 210;
    const int shift = 2 * (1 + g.scalefacScale);
    int longEnd = 22;
    int firstShort = 13;
    if (g.ShortBlocks()) {
        longEnd = g.mixedBlock ? MixedLongBands(bands) : 0;
        firstShort = g.mixedBlock ? MixedFirstShortBand(bands) : 0;
    }
    for (int band = 0; band < longEnd; ++band) {
        const int first = bands.longBands[band];
        const int last = std::min<int>(bands.longBands[band + 1], count);
        if (first >= last) {
            break;
        }
        const int pre = g.preflag ? kLayer3Pretab[band] : 0;
        ScaleLines(values, first, last, Gain(base - shift * (sf.longBand[band] + pre)), xr);
    }
    for (int band = firstShort; band < 13; ++band) {
        const int width = bands.shortBands[band + 1] - bands.shortBands[band];
        for (int w = 0; w < 3; ++w) {
            const int first = bands.shortBands[band] * 3 + w * width;
            const int last = std::min(first + width, count);
            if (first >= last) {
                break;
            }
            const int quarters = base - 8 * g.subblockGain[w] - shift * sf.shortBand[band][w];
            ScaleLines(values, first, last, Gain(quarters), xr);
        }
    }
}

void MpegLayer3Requantizer::Reorder(const Layer3GranuleInfo& g, const Layer3Bands& bands,
                                    float* xr) {
    if (!g.ShortBlocks()) {
        return;
    }
    const int firstShort = g.mixedBlock ? MixedFirstShortBand(bands) : 0;
    float reordered[576];
    const int start = bands.shortBands[firstShort] * 3;
    std::memcpy(reordered, xr, sizeof(float) * static_cast<std::size_t>(start));
    std::memset(reordered + start, 0, sizeof(float) * static_cast<std::size_t>(576 - start));
    for (int band = firstShort; band < 13; ++band) {
        const int low = bands.shortBands[band];
        const int width = bands.shortBands[band + 1] - low;
        for (int w = 0; w < 3; ++w) {
            const float* source = xr + low * 3 + w * width;
            for (int i = 0; i < width; ++i) {
                const int line = low + i;
                reordered[(line / 6) * 18 + w * 6 + line % 6] = source[i];
            }
        }
    }
    std::memcpy(xr, reordered, sizeof reordered);
}
