#pragma once

#include "import/MpegFrameHeader.h"
#include "import/MpegLayer3Decoder.h"
#include "import/MpegSubbandSamples.h"
#include "import/MpegSynthesisFilter.h"

#include <cstdint>

// Decodes one complete frame of any layer to interleaved 16-bit PCM: the layer's audio
// data to subband samples, then the synthesis filter bank of each channel. Keeps the state
// that links frames (filter history, layer III overlap and bit reservoir).
class MpegFrameDecoder {
public:
    enum class Result { kDecoded, kCorrupt, kMissingReservoir };

    void Reset();
    // `frame`: the whole frame, header included. `pcm` receives SamplesPerFrame() samples
    // per channel, interleaved; room for 1152 * 2 samples is needed.
    Result Decode(const MpegFrameHeader& header, const std::uint8_t* frame, int size,
                  std::int16_t* pcm);

private:
    void Synthesize(int channels, std::int16_t* pcm);

    MpegSynthesisFilter m_filter[2];
    MpegLayer3Decoder m_layer3;
    MpegSubbandSamples m_samples;
    int m_channels = 0;
};
