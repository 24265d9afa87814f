#include "import/DecodeMpegToWave.h"

#include "import/MpegDecoder.h"
#include "import/MpegFileInput.h"
#include "import/MpegWaveWriter.h"

bool DecodeMpegToWave(const std::string& sourcePath, const std::string& destinationPath) {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess) {
        return false;
    }
    const MpegInputModule fileModule = MpegFileInputModule();
    if (MpegDecoderRegisterInputModule(*decoder, fileModule) < 0 ||
        MpegDecoderAttachInput(*decoder, sourcePath.c_str(), -1) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return false;
    }
    MpegWaveWriter writer;
    if (!writer.Create(destinationPath)) {
        return false;
    }
    for (;;) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegErrorInvalidFrame) {
            continue;
        }
        if (result != kMpegSuccess) {
            break;
        }
        const MpegOutputBuffer& out = decoder->OutputBuffer();
        if (!writer.AppendFrame(out.samples, out.size, out.stereo == 1 ? 2 : 1, out.sampleRate)) {
            return false;
        }
    }
    return writer.Finish();
}
