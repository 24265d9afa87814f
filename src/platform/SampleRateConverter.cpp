#include "platform/SampleRateConverter.h"

#include <samplerate.h>

#include <algorithm>

namespace {

// Frames handed to the converter at a time: few enough that the bytes taken from the
// buffers (and so their finished notices) run little ahead of the sound, 32 ms at 8 kHz.
constexpr std::size_t kChunkFrames = 256;

} // namespace

SampleRateConverter::SampleRateConverter(int channels, int bitsPerSample, double inputRate,
                                         double outputRate, Source source)
    : m_channels(channels), m_sampleBytes(bitsPerSample == 16 ? 2 : 1),
      m_ratio(inputRate > 0 ? outputRate / inputRate : 1.0), m_source(std::move(source)),
      m_bytes(kChunkFrames * static_cast<std::size_t>(channels * m_sampleBytes)),
      m_input(kChunkFrames * static_cast<std::size_t>(channels)) {
    int error = 0;
    if (channels > 0 && inputRate > 0 && outputRate > 0 && src_is_valid_ratio(m_ratio)) {
        m_state = src_callback_new(&SampleRateConverter::Supply, SRC_SINC_FASTEST, channels, &error,
                                   this);
    }
}

SampleRateConverter::~SampleRateConverter() {
    if (m_state != nullptr) {
        src_delete(m_state);
    }
}

void SampleRateConverter::Read(float* out, std::size_t frames) {
    std::size_t done = 0;
    while (m_state != nullptr && done < frames) {
        const long got = src_callback_read(m_state, m_ratio, static_cast<long>(frames - done),
                                           out + done * static_cast<std::size_t>(m_channels));
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    std::fill(out + done * static_cast<std::size_t>(m_channels),
              out + frames * static_cast<std::size_t>(m_channels), 0.0f);
}

void SampleRateConverter::Reset() {
    if (m_state != nullptr) {
        src_reset(m_state);
    }
}

long SampleRateConverter::Supply(void* self, float** data) {
    return static_cast<SampleRateConverter*>(self)->Supply(data);
}

long SampleRateConverter::Supply(float** data) {
    m_source(m_bytes.data(), m_bytes.size());
    const std::size_t samples = m_input.size();
    if (m_sampleBytes == 2) {
        for (std::size_t i = 0; i < samples; ++i) {
            const auto value =
                static_cast<std::int16_t>(m_bytes[2 * i] | (m_bytes[2 * i + 1] << 8));
            m_input[i] = static_cast<float>(value) / 32768.0f;
        }
    } else {
        for (std::size_t i = 0; i < samples; ++i) {
            m_input[i] = static_cast<float>(static_cast<int>(m_bytes[i]) - 128) / 128.0f;
        }
    }
    *data = m_input.data();
    return static_cast<long>(kChunkFrames);
}
