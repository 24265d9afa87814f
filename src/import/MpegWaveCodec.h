#pragma once

#include "platform/AudioCodec.h"

#include <memory>
#include <vector>

class MpegDecoder;

// MPEG audio (layers I, II and III) stored in a wave file, format tags 0x0050 and 0x0055,
// decoded to 16-bit PCM in the channel count and rate of the wave format. The frames of a
// wave file need not line up with its blocks, so the codec keeps the source until the end
// of the stream and then releases the decoded audio one destination buffer at a time.
class MpegWaveCodec : public AudioCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);

    explicit MpegWaveCodec(const WaveFormatEx& source);
    ~MpegWaveCodec() override;

    const WaveFormatEx& OutputFormat() const override { return m_output; }
    std::size_t EstimateOutputSize(std::size_t sourceBytes) const override;
    bool Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                 unsigned flags, CodecConversion* result) override;

private:
    bool StartDecoding();
    // Decodes frames until some audio is pending or the stream ends.
    void DecodeNextFrame();
    std::size_t Drain(std::span<std::uint8_t> destination);

    WaveFormatEx m_output;
    std::vector<std::uint8_t> m_source;
    std::unique_ptr<MpegDecoder> m_decoder;
    std::vector<std::uint8_t> m_pending;
    std::size_t m_pendingPos = 0;
    bool m_ended = false;
};
