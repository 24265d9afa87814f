#pragma once

#include "import/MpegBitReader.h"
#include "import/MpegFrameHeader.h"
#include "import/MpegLayer3SideInfo.h"

// The scalefactors of one granule of one channel, and for each band the intensity position
// that marks "no intensity stereo here" (7 for MPEG-1, the largest codable value for the
// lower sampling frequencies).
struct Layer3Scalefactors {
    int longBand[22] = {};
    int shortBand[13][3] = {};
    int longIllegal[22] = {};
    int shortIllegal[13] = {};
    // Lower sampling frequencies only: intensity_scale of the right channel.
    int intensityScale = 0;
};

// Reads the scalefactors at the start of a granule's main data as ISO/IEC 11172-3 2.4.1.7 and
// ISO/IEC 13818-3 2.4.3.2 lay them out.
class MpegLayer3Scalefactors {
public:
    // MPEG-1. `sf` keeps the previous granule's values of this channel, which scfsi reuses.
    static void ReadMpeg1(MpegBitReader& bits, const Layer3GranuleInfo& g, const int scfsi[4],
                          int granule, Layer3Scalefactors& sf);
    // Lower sampling frequencies; `intensityRight` for the right channel of a frame with
    // intensity stereo, whose scalefactors carry intensity positions. Sets g.preflag, which
    // these rates derive from scalefac_compress.
    static void ReadLsf(MpegBitReader& bits, Layer3GranuleInfo& g, bool intensityRight,
                        Layer3Scalefactors& sf);
};
