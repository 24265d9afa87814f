#include "import/MpegFrameDecoder.h"

#include "import/MpegBitReader.h"
#include "import/MpegLayer1Decoder.h"
#include "import/MpegLayer2Decoder.h"

void MpegFrameDecoder::Reset() {
    m_filter[0].Reset();
    m_filter[1].Reset();
    m_layer3.Reset();
    m_channels = 0;
}

MpegFrameDecoder::Result MpegFrameDecoder::Decode(const MpegFrameHeader& header,
                                                  const std::uint8_t* frame, int size,
                                                  std::int16_t* pcm) {
    const int channels = header.Channels();
    if (channels != m_channels) {
        // The second channel starts afresh after a change between mono and stereo.
        m_filter[1].Reset();
        m_channels = channels;
    }
    if (header.layer == 3) {
        const auto result = m_layer3.DecodeFrame(header, frame, size, m_samples);
        if (result != MpegLayer3Decoder::Result::kDecoded) {
            return result == MpegLayer3Decoder::Result::kCorrupt ? Result::kCorrupt
                                                                 : Result::kMissingReservoir;
        }
    } else {
        const int dataStart = 4 + (header.crc ? 2 : 0);
        if (size < dataStart) {
            return Result::kCorrupt;
        }
        MpegBitReader bits(frame + dataStart, static_cast<std::size_t>(size - dataStart));
        const bool ok = header.layer == 1 ? MpegLayer1Decoder::Decode(header, bits, m_samples)
                                          : MpegLayer2Decoder::Decode(header, bits, m_samples);
        if (!ok) {
            return Result::kCorrupt;
        }
    }
    Synthesize(channels, pcm);
    return Result::kDecoded;
}

void MpegFrameDecoder::Synthesize(int channels, std::int16_t* pcm) {
    for (int ch = 0; ch < channels; ++ch) {
        m_filter[ch].Synthesize(m_samples.value[ch], m_samples.slots, pcm + ch, channels);
    }
}
