#include "import/MpegLayer2Tables.h"

#include <cmath>

namespace {

// Level lists shared by several subbands; index = allocation value.
const unsigned short kFine[16] = {0,   3,    7,    15,   31,   63,    127,   255,
                                  511, 1023, 2047, 4095, 8191, 16383, 32767, 65535};
const unsigned short kMiddle[16] = {0,   3,   5,   7,    9,    15,   31,   63,
                                    127, 255, 511, 1023, 2047, 4095, 8191, 65535};
const unsigned short kCoarse[16] = {0, 3, 5, 7, 9, 15, 31, 65535};
const unsigned short kFewest[16] = {0, 3, 5, 65535};
const unsigned short kLowRateFine[16] = {0,   3,   5,    9,    15,   31,   63,    127,
                                         255, 511, 1023, 2047, 4095, 8191, 16383, 32767};
const unsigned short kLsfFine[16] = {0,   3,   5,   7,    9,    15,   31,   63,
                                     127, 255, 511, 1023, 2047, 4095, 8191, 16383};
const unsigned short kLowRateCoarse[16] = {0, 3, 5, 9, 15, 31, 63, 127};
const unsigned short kLowRateFewest[16] = {0, 3, 5, 9};

// Tables a and b (high bitrates): a codes 27 subbands, b 30.
const signed char kBitsAB[30] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3,
                                 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2};
const unsigned short* const kLevelsAB[30] = {
    kFine,   kFine,   kFine,   kMiddle, kMiddle, kMiddle, kMiddle, kMiddle, kMiddle, kMiddle,
    kMiddle, kCoarse, kCoarse, kCoarse, kCoarse, kCoarse, kCoarse, kCoarse, kCoarse, kCoarse,
    kCoarse, kCoarse, kCoarse, kFewest, kFewest, kFewest, kFewest, kFewest, kFewest, kFewest};

// Tables c and d (low bitrates): c codes 8 subbands, d 12.
const signed char kBitsCD[12] = {4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
const unsigned short* const kLevelsCD[12] = {
    kLowRateFine,   kLowRateFine,   kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse,
    kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse};

// The single table of the lower sampling frequencies.
const signed char kBitsLsf[30] = {4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2,
                                  2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
const unsigned short* const kLevelsLsf[30] = {
    kLsfFine,       kLsfFine,       kLsfFine,       kLsfFine,       kLowRateCoarse, kLowRateCoarse,
    kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateCoarse, kLowRateFewest,
    kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest,
    kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest,
    kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest, kLowRateFewest};

const Layer2AllocationTable kTableA{27, kBitsAB, kLevelsAB};
const Layer2AllocationTable kTableB{30, kBitsAB, kLevelsAB};
const Layer2AllocationTable kTableC{8, kBitsCD, kLevelsCD};
const Layer2AllocationTable kTableD{12, kBitsCD, kLevelsCD};
const Layer2AllocationTable kTableLsf{30, kBitsLsf, kLevelsLsf};

} // namespace

const Layer2AllocationTable& SelectLayer2Table(const MpegFrameHeader& header) {
    if (header.Lsf()) {
        return kTableLsf;
    }
    const int rate = header.SampleRate();
    if (header.FreeFormat()) {
        return rate == 48000 ? kTableA : kTableB;
    }
    const int perChannel = header.Bitrate() / header.Channels();
    if (perChannel <= 48) {
        return rate == 32000 ? kTableD : kTableC;
    }
    if (perChannel <= 80 || rate == 48000) {
        return kTableA;
    }
    return kTableB;
}

float Layer12Scalefactor(int index) {
    static const struct Table {
        float value[64];
        Table() {
            for (int i = 0; i < 64; ++i) {
                value[i] = static_cast<float>(2.0 * std::pow(2.0, -i / 3.0));
            }
        }
    } table;
    return table.value[index & 63];
}
