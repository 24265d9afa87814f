#include "platform/MsAdpcmCodec.h"

#include <algorithm>
#include <array>
#include <climits>

namespace {

constexpr int kMaxChannels = 8;

constexpr std::array<int, 16> kAdaptation = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};

// The seven coefficient pairs every Microsoft ADPCM record starts with; used when a record
// carries none.
const std::array<std::pair<int, int>, 7> kStandardCoefs = {
    {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}}};

// Keeps the adapted delta small enough that damaged data cannot overflow the arithmetic.
constexpr int kMaxDelta = INT_MAX / 768;

struct ChannelState {
    int coef1 = 0;
    int coef2 = 0;
    int delta = 0;
    int sample1 = 0;
    int sample2 = 0;

    int Decode(int nibble) {
        int predicted = (sample1 * coef1 + sample2 * coef2) >> 8;
        int signedNibble = nibble - ((nibble & 8) << 1);
        int sample = std::clamp(predicted + signedNibble * delta, -32768, 32767);
        sample2 = sample1;
        sample1 = sample;
        delta = std::clamp((kAdaptation[nibble] * delta) >> 8, 16, kMaxDelta);
        return sample;
    }
};

int Le16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(p[0] | p[1] << 8);
}

} // namespace

std::unique_ptr<AudioCodec> MsAdpcmCodec::Create(const WaveFormatEx& source) {
    int channels = source.channels;
    if (source.formatTag != WaveFormatEx::kMsAdpcm || source.bitsPerSample != 4 || channels < 1 ||
        channels > kMaxChannels || source.samplesPerSec == 0 || source.blockAlign < 7 * channels) {
        return nullptr;
    }
    Coefficients coefs;
    std::size_t stored = std::min<std::size_t>(source.ExtraU16(2), 256);
    stored = std::min(stored, source.extra.size() >= 4 ? (source.extra.size() - 4) / 4 : 0);
    for (std::size_t i = 0; i < stored; ++i) {
        coefs.emplace_back(static_cast<std::int16_t>(source.ExtraU16(4 + 4 * i)),
                           static_cast<std::int16_t>(source.ExtraU16(6 + 4 * i)));
    }
    if (coefs.empty()) {
        coefs.assign(kStandardCoefs.begin(), kStandardCoefs.end());
    }
    std::size_t nibbles = (source.blockAlign - 7 * static_cast<std::size_t>(channels)) * 2;
    std::size_t fullSamples = nibbles / channels + 2;
    std::size_t declared = source.ExtraU16(0);
    std::size_t samples = (declared >= 2 && declared < fullSamples) ? declared : fullSamples;
    return std::unique_ptr<AudioCodec>(new MsAdpcmCodec(source, samples, std::move(coefs)));
}

MsAdpcmCodec::MsAdpcmCodec(const WaveFormatEx& source, std::size_t samplesPerBlock,
                           Coefficients coefs)
    : BlockCodec(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16), source.blockAlign,
                 samplesPerBlock * source.channels * 2),
      m_channels(source.channels), m_blockBytes(source.blockAlign),
      m_samplesPerBlock(samplesPerBlock), m_coefs(std::move(coefs)) {}

void MsAdpcmCodec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    std::size_t outBytes = m_samplesPerBlock * m_channels * 2;
    for (std::size_t i = 0; i < count; ++i) {
        DecodeBlock(source + i * m_blockBytes, m_samplesPerBlock, out + i * outBytes);
    }
}

std::size_t MsAdpcmCodec::DecodePartialBlock(std::span<const std::uint8_t> source,
                                             std::uint8_t* out) {
    std::size_t headerBytes = 7 * m_channels;
    if (source.size() < headerBytes) {
        return 0;
    }
    std::size_t samples = (source.size() - headerBytes) * 2 / m_channels + 2;
    samples = std::min(samples, m_samplesPerBlock);
    DecodeBlock(source.data(), samples, out);
    return samples * m_channels * 2;
}

void MsAdpcmCodec::DecodeBlock(const std::uint8_t* block, std::size_t samples,
                               std::uint8_t* out) const {
    std::array<ChannelState, kMaxChannels> states;
    std::size_t n = m_channels;
    for (std::size_t c = 0; c < n; ++c) {
        std::size_t predictor = std::min<std::size_t>(block[c], m_coefs.size() - 1);
        states[c].coef1 = m_coefs[predictor].first;
        states[c].coef2 = m_coefs[predictor].second;
        states[c].delta = Le16(block + n + 2 * c);
        states[c].sample1 = Le16(block + 3 * n + 2 * c);
        states[c].sample2 = Le16(block + 5 * n + 2 * c);
        // The two initial samples come out oldest first.
        Store16(out + 2 * c, states[c].sample2);
        Store16(out + 2 * (n + c), states[c].sample1);
    }
    const std::uint8_t* data = block + 7 * n;
    std::size_t total = (samples - 2) * n;
    std::uint8_t* o = out + 4 * n;
    for (std::size_t k = 0; k < total; ++k) {
        int nibble = (data[k >> 1] >> ((k & 1) ? 0 : 4)) & 0x0F;
        Store16(o + 2 * k, states[k % n].Decode(nibble));
    }
}
