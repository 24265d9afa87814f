#pragma once

#include "import/MpegFrameHeader.h"
#include "import/MpegLayer3Scalefactors.h"
#include "import/MpegLayer3SideInfo.h"
#include "import/MpegLayer3Tables.h"

// Joint stereo of layer III (ISO/IEC 11172-3 2.4.3.4.9, ISO/IEC 13818-3 2.4.3.2): mid/side
// and intensity stereo, applied to the requantized values in coded order. Intensity covers
// the bands of the right channel above its last non-zero value (per window for short
// blocks); its scalefactors are the intensity positions.
class MpegLayer3Stereo {
public:
    // `count` holds per channel the line after which values are zero; both become the
    // extent of the processed spectrum.
    static void Process(const MpegFrameHeader& header, const Layer3GranuleInfo& right,
                        const Layer3Scalefactors& rightSf, const Layer3Bands& bands, float* left,
                        float* rightValues, int count[2]);
};
