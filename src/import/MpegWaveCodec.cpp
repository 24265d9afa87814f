#include "import/MpegWaveCodec.h"

#include "import/MpegDecoder.h"
#include "import/Pcm16ChannelMix.h"

#include <algorithm>
#include <cstring>

namespace {

// One layer I/II/III frame holds at most 1152 samples per channel.
constexpr std::size_t kLargestFrameSamples = 1152;
// Source is handed to the decoder in pieces of this size, only as the decoder asks for
// more, so that what the codec holds back stays small when the destination is full.
constexpr std::size_t kPieceBytes = 4096;

// Samples per channel that one source byte can carry at most in standard (not free-format)
// frames of a sample rate: a frame of N samples at bitrate R and rate F is N * R / (8 * F)
// bytes long, so the lowest bitrate of the rate's family gives the most: 32 kbit/s for
// MPEG-1, 8 kbit/s for the lower rates of MPEG-2 and MPEG-2.5.
double SamplesPerSourceByte(std::uint32_t sampleRate) {
    switch (sampleRate) {
    case 32000:
    case 44100:
    case 48000:
        return 8.0 * sampleRate / 32000;
    case 16000:
    case 22050:
    case 24000:
    case 8000:
    case 11025:
    case 12000:
        return 8.0 * sampleRate / 8000;
    default:
        return 24.0; // a rate no frame has: the most of any rate (24 kHz at 8 kbit/s)
    }
}

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
    // The queue may carry a partial frame and the frame that confirms it; one decoded
    // frame may be pending. Frames of another rate or free format are not covered, but
    // need no more than a frame of room: Convert stops where the destination is full.
    const double perByte = SamplesPerSourceByte(m_output.samplesPerSec);
    const double samples = static_cast<double>(sourceBytes) * perByte + 3.0 * kLargestFrameSamples;
    const double bytes = samples * m_output.blockAlign;
    constexpr double kMost = static_cast<double>(std::size_t{1} << 40);
    return static_cast<std::size_t>(std::min(bytes, kMost));
}

bool MpegWaveCodec::Convert(std::span<const std::uint8_t> source,
                            std::span<std::uint8_t> destination, unsigned flags,
                            CodecConversion* result) {
    *result = {};
    if (!m_decoder && !StartDecoding()) {
        return false;
    }
    // Whole sample frames only, so that a call never splits a sample.
    const std::span<std::uint8_t> room =
        destination.first(destination.size() - destination.size() % m_output.blockAlign);
    std::size_t written = Drain(room);
    std::size_t taken = 0;
    while (written < room.size()) {
        const int status = MpegDecoderDecodeFrame(*m_decoder);
        if (status == kMpegSuccess) {
            const MpegOutputBuffer& frame = m_decoder->OutputBuffer();
            const int channels = frame.stereo == 1 ? 2 : 1;
            MixPcm16Channels(frame.samples, frame.size, channels, m_output.channels, m_pending);
            m_pendingPos = 0;
            written += Drain(room.subspan(written));
        } else if (status == kMpegErrorInvalidFrame) {
            continue; // a damaged frame is skipped; decoding goes on
        } else if ((status == kMpegNeedMoreInput || status == kMpegErrorEndOfInput) &&
                   taken < source.size()) {
            // Source after an end of stream continues the stream.
            const std::size_t piece = std::min(kPieceBytes, source.size() - taken);
            MpegDecoderPushInput(*m_decoder, source.data() + taken, piece);
            taken += piece;
        } else if (status == kMpegNeedMoreInput && (flags & kEndOfStream) != 0) {
            // All of this call's source is queued and none follows: decode what is left.
            MpegDecoderEndInput(*m_decoder);
        } else {
            break; // the queue holds no whole frame yet, or the stream has ended
        }
    }
    result->consumed = taken;
    result->produced = written;
    return true;
}

bool MpegWaveCodec::StartDecoding() {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderOpenStream(*decoder) != kMpegSuccess) {
        return false;
    }
    m_decoder = std::move(decoder);
    return true;
}

std::size_t MpegWaveCodec::Drain(std::span<std::uint8_t> destination) {
    const std::size_t count = std::min(destination.size(), m_pending.size() - m_pendingPos);
    if (count > 0) {
        std::memcpy(destination.data(), m_pending.data() + m_pendingPos, count);
        m_pendingPos += count;
    }
    return count;
}
