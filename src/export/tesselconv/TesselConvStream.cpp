#include "export/tesselconv/TesselConvStream.h"

#include <lame/lame.h>

#include <algorithm>
#include <climits>

namespace cfg = blade::config;

namespace {

std::uint32_t Field(const std::uint8_t* record, std::size_t offset) {
    return static_cast<std::uint32_t>(record[offset]) |
           static_cast<std::uint32_t>(record[offset + 1]) << 8 |
           static_cast<std::uint32_t>(record[offset + 2]) << 16 |
           static_cast<std::uint32_t>(record[offset + 3]) << 24;
}

bool IsMpeg1Rate(std::uint32_t rate) {
    return rate == 32000 || rate == 44100 || rate == 48000;
}

bool IsMpeg2Rate(std::uint32_t rate) {
    return rate == 8000 || rate == 11025 || rate == 12000 || rate == 16000 || rate == 22050 ||
           rate == 24000;
}

// Whether frames of this bit rate exist at this sample rate (MPEG-1 from 32 to 320 kbit/s,
// MPEG-2 and 2.5 from 8 to 160 kbit/s).
bool BitRateExistsAt(std::uint32_t bitRate, std::uint32_t rate) {
    static constexpr std::uint32_t kMpeg1[] = {32,  40,  48,  56,  64,  80,  96,
                                               112, 128, 160, 192, 224, 256, 320};
    static constexpr std::uint32_t kMpeg2[] = {8,  16, 24, 32,  40,  48,  56,
                                               64, 80, 96, 112, 128, 144, 160};
    if (IsMpeg1Rate(rate)) {
        return std::ranges::find(kMpeg1, bitRate) != std::end(kMpeg1);
    }
    if (IsMpeg2Rate(rate)) {
        return std::ranges::find(kMpeg2, bitRate) != std::end(kMpeg2);
    }
    return false;
}

// The MPEG-1 rate of the source rate's family (8, 16, 32 kHz; 11.025, 22.05, 44.1 kHz;
// 12, 24, 48 kHz), where the bit rates above 160 kbit/s exist.
std::uint32_t Mpeg1RateFor(std::uint32_t rate) {
    if (rate % 11025 == 0) {
        return 44100;
    }
    return rate % 12000 == 0 ? 48000 : 32000;
}

} // namespace

TesselConvStream::~TesselConvStream() {
    if (m_lame != nullptr) {
        lame_close(m_lame);
    }
}

blade::Error TesselConvStream::Init(const std::uint8_t* record) {
    if (Field(record, cfg::kKind) != cfg::kKindLame) {
        return blade::kInvalidFormat;
    }
    if (Field(record, cfg::kStructVersion) < cfg::kVersion ||
        Field(record, cfg::kStructSize) < cfg::kSize) {
        return blade::kInvalidFormatParameters;
    }
    m_lame = lame_init();
    if (m_lame == nullptr) {
        return blade::kNoMoreHandles;
    }
    if (!Configure(record) || lame_init_params(m_lame) < 0) {
        return blade::kInvalidFormatParameters;
    }
    return blade::kSuccessful;
}

bool TesselConvStream::Configure(const std::uint8_t* record) {
    const std::uint32_t mode = Field(record, cfg::kMode);
    if (mode > cfg::kModeMono) {
        return false;
    }
    m_channels = mode == cfg::kModeMono ? 1 : 2;
    lame_set_num_channels(m_lame, static_cast<int>(m_channels));
    lame_set_mode(m_lame, static_cast<MPEG_mode>(mode));
    ConfigureRates(record);
    lame_set_extension(m_lame, Field(record, cfg::kPrivate) != 0);
    lame_set_error_protection(m_lame, Field(record, cfg::kCrc) != 0);
    lame_set_copyright(m_lame, Field(record, cfg::kCopyright) != 0);
    lame_set_original(m_lame, Field(record, cfg::kOriginal) != 0);
    lame_set_bWriteVbrTag(m_lame, Field(record, cfg::kWriteVbrHeader) != 0);
    lame_set_disable_reservoir(m_lame, Field(record, cfg::kNoBitReservoir) != 0);
    lame_set_strict_ISO(m_lame, Field(record, cfg::kStrictIso) != 0);
    const std::uint32_t quality = Field(record, cfg::kQuality) & 0xFFFF;
    if ((quality >> 8) == (~quality & 0xFF)) {
        lame_set_quality(m_lame, static_cast<int>(quality & 0xFF));
    }
    ConfigureVbr(record);
    return m_sampleRate > 0 && m_sampleRate <= 192000;
}

// The output keeps the source's rate unless the record names one, or unless the bit rate
// does not exist at the source's rate. Then LAME picks a rate for the low bit rates; for
// those above 160 kbit/s it would keep a low rate and lower the bit rate instead, so the
// rate is raised to the MPEG-1 rate of the source's family.
void TesselConvStream::ConfigureRates(const std::uint8_t* record) {
    m_sampleRate = Field(record, cfg::kSampleRate);
    const std::uint32_t bitRate = Field(record, cfg::kBitRate);
    std::uint32_t outputRate = Field(record, cfg::kOutputSampleRate);
    if (outputRate == 0 && BitRateExistsAt(bitRate, m_sampleRate)) {
        outputRate = m_sampleRate;
    } else if (outputRate == 0 && bitRate > 160) {
        outputRate = Mpeg1RateFor(m_sampleRate);
    }
    lame_set_in_samplerate(m_lame, static_cast<int>(m_sampleRate));
    lame_set_out_samplerate(m_lame, static_cast<int>(outputRate));
    lame_set_brate(m_lame, static_cast<int>(bitRate));
    m_boundBitRate = std::clamp<std::uint32_t>(bitRate, 8, 320);
}

void TesselConvStream::ConfigureVbr(const std::uint8_t* record) {
    if (Field(record, cfg::kEnableVbr) == 0) {
        lame_set_VBR(m_lame, vbr_off);
        return;
    }
    const std::uint32_t abr = Field(record, cfg::kAbrBitsPerSecond);
    if (abr > 0) {
        lame_set_VBR(m_lame, vbr_abr);
        lame_set_VBR_mean_bitrate_kbps(m_lame, static_cast<int>(abr / 1000));
    } else {
        lame_set_VBR(m_lame, vbr_default);
        lame_set_VBR_q(
            m_lame, static_cast<int>(std::min<std::uint32_t>(Field(record, cfg::kVbrQuality), 9)));
    }
    lame_set_VBR_min_bitrate_kbps(m_lame, static_cast<int>(Field(record, cfg::kBitRate)));
    const std::uint32_t maxBitRate = Field(record, cfg::kMaxBitRate);
    if (maxBitRate > 0) {
        lame_set_VBR_max_bitrate_kbps(m_lame, static_cast<int>(maxBitRate));
    }
    m_boundBitRate = 320;
}

std::uint32_t TesselConvStream::SamplesPerChunk() const {
    return static_cast<std::uint32_t>(lame_get_framesize(m_lame)) * m_channels;
}

std::size_t TesselConvStream::OutputBound(std::uint64_t sampleCount) const {
    return blade::OutputBound(sampleCount / m_channels, m_sampleRate, m_boundBitRate);
}

blade::Error TesselConvStream::Encode(const std::int16_t* samples, std::uint32_t sampleCount,
                                      std::uint8_t* output, std::uint32_t* outputBytes) {
    *outputBytes = 0;
    if (m_finished || sampleCount % m_channels != 0 || OutputBound(sampleCount) > INT_MAX) {
        return blade::kInvalidFormatParameters;
    }
    const int frames = static_cast<int>(sampleCount / m_channels);
    if (frames == 0) {
        return blade::kSuccessful;
    }
    const int room = static_cast<int>(OutputBound(sampleCount));
    // LAME reads the samples without changing them (mono or stereo without downmixing).
    auto* pcm = const_cast<short*>(samples);
    const int written = m_channels == 1
                            ? lame_encode_buffer(m_lame, pcm, pcm, frames, output, room)
                            : lame_encode_buffer_interleaved(m_lame, pcm, frames, output, room);
    if (written < 0) {
        return written == -1 ? blade::kBufferTooSmall : blade::kInvalidFormatParameters;
    }
    *outputBytes = static_cast<std::uint32_t>(written);
    return blade::kSuccessful;
}

blade::Error TesselConvStream::Finish(std::uint8_t* output, std::uint32_t* outputBytes,
                                      std::vector<std::uint8_t>& tagFrame) {
    *outputBytes = 0;
    if (m_finished) {
        return blade::kInvalidHandle;
    }
    m_finished = true;
    const int written = lame_encode_flush(m_lame, output, 7200);
    if (written < 0) {
        return blade::kBufferTooSmall;
    }
    *outputBytes = static_cast<std::uint32_t>(written);
    tagFrame.resize(lame_get_lametag_frame(m_lame, nullptr, 0));
    if (!tagFrame.empty() &&
        lame_get_lametag_frame(m_lame, tagFrame.data(), tagFrame.size()) != tagFrame.size()) {
        tagFrame.clear();
    }
    return blade::kSuccessful;
}
