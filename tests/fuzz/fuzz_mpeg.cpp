// Feeds arbitrary bytes through the MPEG audio decoder interface (memory input module) and
// decodes every frame it finds; then decodes the same bytes through the stream input, pushed
// in pieces whose sizes the first byte chooses, and stops the run if the two give different
// frames (the stream input must not depend on how the bytes are cut).
#include "import/MpegDecoder.h"
#include "import/MpegMemoryInput.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kMaxFrames = 100000;

struct Decoded {
    std::vector<std::uint8_t> samples;
    std::vector<std::uint32_t> sizes;
};

void Take(const MpegDecoder& decoder, Decoded& out) {
    const MpegOutputBuffer& frame = decoder.OutputBuffer();
    out.samples.insert(out.samples.end(), frame.samples, frame.samples + frame.size);
    out.sizes.push_back(frame.size);
}

bool DecodeWhole(const std::uint8_t* data, std::size_t size, Decoded& out) {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule()) < 0) {
        return false;
    }
    const std::string name = MpegMemoryInputName(data, size);
    if (MpegDecoderAttachInput(*decoder, name.c_str(), -1) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return false;
    }
    for (int frames = 0; frames < kMaxFrames; ++frames) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            Take(*decoder, out);
        } else if (result != kMpegErrorInvalidFrame) {
            return true;
        }
    }
    return false;
}

bool DecodePushed(const std::uint8_t* data, std::size_t size, std::size_t piece, Decoded& out) {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderOpenStream(*decoder) != kMpegSuccess) {
        return false;
    }
    std::size_t at = 0;
    for (int calls = 0; calls < 4 * kMaxFrames + static_cast<int>(size); ++calls) {
        const int result = MpegDecoderDecodeFrame(*decoder);
        if (result == kMpegSuccess) {
            Take(*decoder, out);
        } else if (result == kMpegNeedMoreInput) {
            if (at < size) {
                const std::size_t count = std::min(piece, size - at);
                MpegDecoderPushInput(*decoder, data + at, count);
                at += count;
            } else {
                MpegDecoderEndInput(*decoder);
            }
        } else if (result != kMpegErrorInvalidFrame) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Decoded whole;
    if (!DecodeWhole(data, size, whole)) {
        return 0;
    }
    const std::size_t piece = size > 0 ? 1 + data[0] * 7u : 1;
    Decoded pushed;
    if (DecodePushed(data, size, piece, pushed) &&
        (pushed.sizes != whole.sizes || pushed.samples != whole.samples)) {
        std::abort();
    }
    return 0;
}
