#pragma once

#include "import/MpegBitReader.h"
#include "import/MpegFrameHeader.h"

// Side information of one granule of one channel (ISO/IEC 11172-3 2.4.1.7).
struct Layer3GranuleInfo {
    int part23Length = 0;
    int bigValues = 0;
    int globalGain = 0;
    int scalefacCompress = 0;
    bool windowSwitching = false;
    int blockType = 0;
    bool mixedBlock = false;
    int tableSelect[3] = {};
    int subblockGain[3] = {};
    // First line of region 1 and of region 2 (576 when absent).
    int region1Start = 0;
    int region2Start = 0;
    bool preflag = false;
    int scalefacScale = 0;
    int count1Table = 0;

    bool ShortBlocks() const { return windowSwitching && blockType == 2; }
};

// Side information of one layer III frame: one granule for the lower sampling frequencies,
// two for MPEG-1.
struct MpegLayer3SideInfo {
    int mainDataBegin = 0;
    int scfsi[2][4] = {};
    Layer3GranuleInfo granule[2][2]; // [granule][channel]

    // Reads the side information that follows the header (and CRC); false when a field
    // holds a value the standard forbids.
    bool Read(const MpegFrameHeader& header, MpegBitReader& bits);
};
