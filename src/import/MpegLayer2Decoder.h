#pragma once

#include "import/MpegBitReader.h"
#include "import/MpegFrameHeader.h"
#include "import/MpegSubbandSamples.h"

// Layer II audio data (ISO/IEC 11172-3 2.4.1.6, 2.4.3.3): bit allocation from the frame's
// table, scalefactor selection information, up to three scalefactors per subband and
// 36 samples per subband, grouped in threes for the coarse quantizers.
class MpegLayer2Decoder {
public:
    static bool Decode(const MpegFrameHeader& header, MpegBitReader& bits, MpegSubbandSamples& out);
};
