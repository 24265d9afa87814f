#pragma once

#include "platform/BlockCodec.h"

#include <memory>

// GSM 06.10 full-rate speech in wave files (format tag 0x0031) to 16-bit PCM, through libgsm.
// Wave files use the WAV-49 packing: 65-byte blocks that hold two 160-sample frames, the
// first frame in 32½ bytes. The decoder carries its filter state from frame to frame.
class GsmCodec : public BlockCodec {
public:
    static std::unique_ptr<AudioCodec> Create(const WaveFormatEx& source);
    ~GsmCodec() override;
    GsmCodec(const GsmCodec&) = delete;
    GsmCodec& operator=(const GsmCodec&) = delete;

protected:
    void DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) override;

private:
    GsmCodec(const WaveFormatEx& source, void* decoder);

    void* m_decoder; // the library's gsm handle
};
