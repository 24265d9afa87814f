#pragma once

#include "import/MpegLayer3Scalefactors.h"
#include "import/MpegLayer3SideInfo.h"
#include "import/MpegLayer3Tables.h"

// Turns quantized layer III values into spectral values (ISO/IEC 11172-3 2.4.3.4.7.1):
// sign(v) |v|^(4/3) 2^((gain - scalefactor terms) / 4), band by band, in the order the
// values were coded. Reorder() then brings short-block windows together per subband.
class MpegLayer3Requantizer {
public:
    // `count`: values from there on are zero.
    static void Requantize(const Layer3GranuleInfo& g, const Layer3Scalefactors& sf,
                           const Layer3Bands& bands, const int* values, int count, float* xr);
    // For short (and the short part of mixed) blocks: from band/window/line order to
    // subband order, line i of window w of subband sb at sb * 18 + w * 6 + i.
    static void Reorder(const Layer3GranuleInfo& g, const Layer3Bands& bands, float* xr);

    // The long bands and the first short band of the short part of a mixed block.
    static int MixedLongBands(const Layer3Bands& bands);
    static int MixedFirstShortBand(const Layer3Bands& bands);
};
