#include "platform/GsmCodec.h"

#include <array>
#include <cstring>

#if __has_include(<gsm.h>)
#include <gsm.h>
#else
#include <gsm/gsm.h>
#endif

namespace {

constexpr std::size_t kBlockBytes = 65;
constexpr std::size_t kFirstFrameBytes = 33;
constexpr std::size_t kFrameSamples = 160;

} // namespace

std::unique_ptr<AudioCodec> GsmCodec::Create(const WaveFormatEx& source) {
    if (source.formatTag != WaveFormatEx::kGsm610 || source.channels != 1 ||
        source.samplesPerSec == 0 || source.blockAlign != kBlockBytes) {
        return nullptr;
    }
    gsm decoder = gsm_create();
    if (!decoder) {
        return nullptr;
    }
    int wav49 = 1;
    gsm_option(decoder, GSM_OPT_WAV49, &wav49);
    return std::unique_ptr<AudioCodec>(new GsmCodec(source, decoder));
}

GsmCodec::GsmCodec(const WaveFormatEx& source, void* decoder)
    : BlockCodec(WaveFormatEx::Pcm(1, source.samplesPerSec, 16), kBlockBytes,
                 2 * kFrameSamples * 2),
      m_decoder(decoder) {}

GsmCodec::~GsmCodec() {
    gsm_destroy(static_cast<gsm>(m_decoder));
}

void GsmCodec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    auto decoder = static_cast<gsm>(m_decoder);
    std::array<gsm_byte, kBlockBytes> block;
    std::array<gsm_signal, 2 * kFrameSamples> samples;
    for (std::size_t i = 0; i < count; ++i) {
        // The library takes its input through a non-const pointer; give it a copy.
        std::memcpy(block.data(), source + i * kBlockBytes, kBlockBytes);
        // In WAV-49 mode the library alternates between the two frame layouts by itself.
        gsm_decode(decoder, block.data(), samples.data());
        gsm_decode(decoder, block.data() + kFirstFrameBytes, samples.data() + kFrameSamples);
        std::uint8_t* o = out + i * 4 * kFrameSamples;
        for (std::size_t s = 0; s < samples.size(); ++s) {
            Store16(o + 2 * s, samples[s]);
        }
    }
}
