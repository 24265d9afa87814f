#pragma once

#include "platform/AudioCodec.h"

#include <memory>
#include <vector>

class MpegDecoder;

// MPEG audio (layers I, II and III) stored in a wave file, format tags 0x0050 and 0x0055,
// decoded to 16-bit PCM in the channel count of the wave format.
//
// The block alignment of an MPEG wave format is not a frame boundary (writers store 1,
// 1152, a frame size or anything else), so the codec ignores it: it takes the source bytes
// it is handed into the decoder's byte queue and decodes every frame that the queue
// completes, carrying a partial frame over to the next call, and at the end of the stream
// decodes what is left. The frames are those of the bare stream decoded by the same
// decoder, frame for frame, however the source is cut into buffers.
class MpegWaveCodec : public AudioCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    explicit MpegWaveCodec(const WaveFormatEx& source);
    ~MpegWaveCodec() override;

    const WaveFormatEx& OutputFormat() const override { return m_output; }
    // What the frames in `sourceBytes` can produce at the lowest standard bitrate of the
    // format's sample rate, plus the frames the queue may carry over from earlier calls.
    std::size_t EstimateOutputSize(std::size_t sourceBytes) const override;
    // Takes source only as far as its output fits the destination; a decoded frame that
    // does not fit whole is released in the next call.
    bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                 unsigned flags, CodecConversion* result) override;

private:
    bool StartDecoding();
    std::size_t Drain(std::span<std::uint8_t> destination);

    WaveFormatEx m_output;
    std::unique_ptr<MpegDecoder> m_decoder;
    std::vector<std::uint8_t> m_pending; // decoded output not yet released
    std::size_t m_pendingPos = 0;
};
