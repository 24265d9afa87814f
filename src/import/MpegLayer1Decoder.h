#pragma once

#include "import/MpegBitReader.h"
#include "import/MpegFrameHeader.h"
#include "import/MpegSubbandSamples.h"

// Layer I audio data (ISO/IEC 11172-3 2.4.1.5, 2.4.3.2): bit allocation, scalefactors and
// 12 samples per subband.
class MpegLayer1Decoder {
public:
    // Reads the audio data after the header (and CRC); false when the data is not valid.
    static bool Decode(const MpegFrameHeader& header, MpegBitReader& bits, MpegSubbandSamples& out);
};
