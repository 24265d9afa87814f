// Feeds arbitrary bytes through the MPEG audio decoder interface (memory input module) and
// decodes every frame it finds.
#include "import/MpegDecoder.h"
#include "import/MpegMemoryInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()) < 0) {
        return 0;
    }
    const std::string name = MpegMemoryInputName(data, size);
    if (MpegDecoderAttachInput(*decoder, name.c_str(), -1) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return 0;
    }
    for (int frames = 0; frames < 100000; ++frames) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            const MpegOutputBuffer& out = decoder->OutputBuffer();
            volatile std::uint8_t sink = out.size ? out.samples[out.size - 1] : 0;
            (void)sink;
        } else if (result != kMpegErrorInvalidFrame) {
            break;
        }
    }
    return 0;
}
