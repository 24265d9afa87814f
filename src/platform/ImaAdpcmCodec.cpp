#include "platform/ImaAdpcmCodec.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMaxChannels = 8;
constexpr int kMaxStepIndex = 88;

constexpr std::array<int, kMaxStepIndex + 1> kStepSizes = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

constexpr std::array<int, 8> kIndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

// Per step index and nibble: the signed difference to the predictor and the next step
// index, so that decoding a nibble is two table look-ups.
struct ImaTables {
    std::array<int, (kMaxStepIndex + 1) * 16> difference{};
    std::array<std::uint8_t, (kMaxStepIndex + 1) * 16> nextIndex{};

    ImaTables() {
        for (int index = 0; index <= kMaxStepIndex; ++index) {
            int step = kStepSizes[index];
            for (int nibble = 0; nibble < 16; ++nibble) {
                int diff = step >> 3;
                if (nibble & 4) {
                    diff += step;
                }
                if (nibble & 2) {
                    diff += step >> 1;
                }
                if (nibble & 1) {
                    diff += step >> 2;
                }
                difference[index * 16 + nibble] = (nibble & 8) ? -diff : diff;
                int next = std::clamp(index + kIndexAdjust[nibble & 7], 0, kMaxStepIndex);
                nextIndex[index * 16 + nibble] = static_cast<std::uint8_t>(next);
            }
        }
    }
};

const ImaTables& Tables() {
    static const ImaTables tables;
    return tables;
}

} // namespace

std::unique_ptr<AudioCodec> ImaAdpcmCodec::Create(const WaveFormatEx& source) {
    int channels = source.channels;
    if (source.formatTag != WaveFormatEx::kImaAdpcm || source.bitsPerSample != 4 || channels < 1 ||
        channels > kMaxChannels || source.samplesPerSec == 0 || source.blockAlign < 4 * channels) {
        return nullptr;
    }
    std::size_t headerBytes = 4 * static_cast<std::size_t>(channels);
    std::size_t fullSamples = (source.blockAlign - headerBytes) / headerBytes * 8 + 1;
    // A block may be declared to hold fewer samples than its bytes could.
    std::size_t declared = source.ExtraU16(0);
    std::size_t samples = (declared > 0 && declared < fullSamples) ? declared : fullSamples;
    return std::unique_ptr<AudioCodec>(new ImaAdpcmCodec(source, samples));
}

ImaAdpcmCodec::ImaAdpcmCodec(const WaveFormatEx& source, std::size_t samplesPerBlock)
    : BlockCodec(WaveFormatEx::Pcm(source.channels, source.samplesPerSec, 16), source.blockAlign,
                 samplesPerBlock * source.channels * 2),
      m_channels(source.channels), m_blockBytes(source.blockAlign),
      m_samplesPerBlock(samplesPerBlock) {}

void ImaAdpcmCodec::DecodeBlocks(const std::uint8_t* source, std::size_t count, std::uint8_t* out) {
    std::size_t groups = (m_blockBytes - 4 * m_channels) / (4 * m_channels);
    std::size_t outBytes = m_samplesPerBlock * m_channels * 2;
    for (std::size_t i = 0; i < count; ++i) {
        DecodeBlock(source + i * m_blockBytes, groups, m_samplesPerBlock, out + i * outBytes);
    }
}

std::size_t ImaAdpcmCodec::DecodePartialBlock(std::span<const std::uint8_t> source,
                                              std::uint8_t* out) {
    std::size_t headerBytes = 4 * m_channels;
    if (source.size() < headerBytes) {
        return 0;
    }
    std::size_t groups = (source.size() - headerBytes) / headerBytes;
    std::size_t samples = std::min(groups * 8 + 1, m_samplesPerBlock);
    DecodeBlock(source.data(), groups, samples, out);
    return samples * m_channels * 2;
}

// Decodes one block of `groups` runs per channel into `samples` interleaved frames.
void ImaAdpcmCodec::DecodeBlock(const std::uint8_t* block, std::size_t groups, std::size_t samples,
                                std::uint8_t* out) const {
    const ImaTables& tables = Tables();
    std::size_t stride = m_channels * 2;
    for (std::size_t c = 0; c < m_channels; ++c) {
        const std::uint8_t* header = block + 4 * c;
        int predictor = static_cast<std::int16_t>(header[0] | header[1] << 8);
        int index = std::min<int>(header[2], kMaxStepIndex);
        std::uint8_t* o = out + 2 * c;
        Store16(o, predictor);
        o += stride;
        std::size_t written = 1;
        const std::uint8_t* data = block + 4 * m_channels + 4 * c;
        for (std::size_t g = 0; g < groups && written < samples; ++g) {
            const std::uint8_t* run = data + g * 4 * m_channels;
            for (int b = 0; b < 8 && written < samples; ++b, ++written) {
                int nibble = (run[b >> 1] >> ((b & 1) * 4)) & 0x0F;
                int slot = index * 16 + nibble;
                predictor = std::clamp(predictor + tables.difference[slot], -32768, 32767);
                index = tables.nextIndex[slot];
                Store16(o, predictor);
                o += stride;
            }
        }
    }
}
