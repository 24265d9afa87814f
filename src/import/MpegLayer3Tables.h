#pragma once

#include "import/MpegFrameHeader.h"

// Scalefactor band boundaries of layer III (ISO/IEC 11172-3 Table B.8, ISO/IEC 13818-3
// Table B.2 and the 8/11.025/12 kHz rates), in frequency lines of one window.
struct Layer3Bands {
    short longBands[23];  // 22 bands, last boundary 576
    short shortBands[14]; // 13 bands, last boundary 192
};

const Layer3Bands& BandsFor(const MpegFrameHeader& header);

// Preemphasis added to long-block scalefactors when preflag is set (Table B.6).
extern const signed char kLayer3Pretab[22];

// MPEG-1 scalefactor lengths selected by scalefac_compress.
extern const signed char kLayer3Slen1[16];
extern const signed char kLayer3Slen2[16];

// Lower-sampling-frequency scalefactor partitions: [table][block kind][partition], block
// kind 0 = long, 1 = short, 2 = mixed (ISO/IEC 13818-3 2.4.3.2 nr_of_sfb_block).
extern const signed char kLayer3LsfPartitions[6][3][4];
