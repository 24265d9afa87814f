#include "import/MpegWaveCodec.h"

#include "import/MpegDecoder.h"
#include "import/MpegMemoryInput.h"
#include "import/Pcm16ChannelMix.h"

#include <algorithm>
#include <cstring>

namespace {

// One layer I/II/III frame holds at most 1152 samples per channel.
constexpr std::size_t kLargestFrameBytes = 1152 * 2 * 2;

} // namespace

std::unique_ptr<AudioCodec> MpegWaveCodec::Create(const WaveFormatEx& source) {
    const std::uint16_t tag = source.SampleTag();
    if (tag != WaveFormatEx::kMpeg && tag != WaveFormatEx::kMpegLayer3) {
        return nullptr;
    }
    if (source.channels < 1 || source.channels > 2 || source.samplesPerSec == 0) {
        return nullptr;
    }
    return std::make_unique<MpegWaveCodec>(source);
}

MpegWaveCodec::MpegWaveCodec(const WaveFormatEx& source)
    : m_output(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16)) {}

MpegWaveCodec::~MpegWaveCodec() = default;

std::size_t MpegWaveCodec::EstimateOutputSize(std::size_t sourceBytes) const {
    // Output is released per call up to the destination's size, so the estimate only has to
    // hold one frame; a buffer about the size of the decoded source saves calls.
    return std::max(kLargestFrameBytes, std::min<std::size_t>(sourceBytes * 12, 8u << 20));
}

bool MpegWaveCodec::Convert(std::span<const std::uint8_t> source,
                            std::span<std::uint8_t> destination, unsigned flags,
                            CodecConversion* result) {
    *result = {};
    if (!m_decoder) {
        m_source.insert(m_source.end(), source.begin(), source.end());
        result->consumed = source.size();
        if ((flags & kEndOfStream) == 0) {
            return true;
        }
        if (!StartDecoding()) {
            return false;
        }
    } else {
        result->consumed = source.size(); // nothing follows the end of the stream
    }
    result->produced = Drain(destination);
    return true;
}

bool MpegWaveCodec::StartDecoding() {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess) {
        return false;
    }
    const int module = MpegDecoderRegisterInputModule(*decoder, MpegMemoryInputModule());
    const std::string name = MpegMemoryInputName(m_source.data(), m_source.size());
    if (module < 0 || MpegDecoderAttachInput(*decoder, name.c_str(), module) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return false;
    }
    m_decoder = std::move(decoder);
    return true;
}

void MpegWaveCodec::DecodeNextFrame() {
    while (!m_ended && m_pendingPos == m_pending.size()) {
        const int status = MpegDecoderDecodeFrame(*m_decoder);
        if (status == kMpegErrorInvalidFrame) {
            continue; // a damaged frame is skipped; decoding goes on
        }
        if (status != kMpegSuccess) {
            m_ended = true;
            return;
        }
        const MpegOutputBuffer& frame = m_decoder->OutputBuffer();
        const int channels = frame.stereo == 1 ? 2 : 1;
        MixPcm16Channels(frame.samples, frame.size, channels, m_output.channels, m_pending);
        m_pendingPos = 0;
    }
}

std::size_t MpegWaveCodec::Drain(std::span<std::uint8_t> destination) {
    // Whole sample frames only, so that a call never splits a sample.
    const std::size_t room = destination.size() - destination.size() % m_output.blockAlign;
    std::size_t written = 0;
    while (written < room) {
        DecodeNextFrame();
        if (m_pendingPos == m_pending.size()) {
            break;
        }
        const std::size_t count = std::min(room - written, m_pending.size() - m_pendingPos);
        std::memcpy(destination.data() + written, m_pending.data() + m_pendingPos, count);
        written += count;
        m_pendingPos += count;
    }
    return written;
}
