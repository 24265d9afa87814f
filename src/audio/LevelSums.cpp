#include "audio/LevelSums.h"

#include "audio/PcmSamples.h"

#include <array>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define EARLARK_LEVEL_AVX2 1
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace level_sums {

namespace {

constexpr std::int32_t kMinCentre = -1024;
constexpr std::int32_t kMaxCentre = 1280;

// Five times the centred amplitude for every byte value, so that each sample is one look-up.
using MeasureTable = std::array<std::uint32_t, 256>;

MeasureTable BuildMeasureTable(bool is16Bit, std::int32_t centre) {
    MeasureTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const std::uint8_t sample[2] = {0, static_cast<std::uint8_t>(byte)};
        const std::int32_t v = pcm::ScaleTo8Bit(is16Bit ? sample : sample + 1, is16Bit) - centre;
        table[byte] = static_cast<std::uint32_t>(5 * (v < 0 ? -v : v));
    }
    return table;
}

// First and Second: where in a frame lie the bytes each channel is measured by.
template <std::size_t Stride, std::size_t First, std::size_t Second, bool Stereo>
std::uint64_t SumFrames(const std::uint8_t* bytes, std::size_t frames, const MeasureTable& t) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* frame = bytes + i * Stride;
        std::uint64_t m = t[frame[First]];
        if constexpr (Stereo) {
            m = (m + t[frame[Second]]) / 2;
        }
        sum += m * m;
    }
    return sum;
}

std::uint64_t TableSum(const std::uint8_t* bytes, std::size_t frames, bool is16Bit, bool stereo,
                       std::int32_t centre) {
    const MeasureTable table = BuildMeasureTable(is16Bit, centre);
    if (is16Bit) {
        return stereo ? SumFrames<4, 1, 3, true>(bytes, frames, table)
                      : SumFrames<2, 1, 0, false>(bytes, frames, table);
    }
    return stereo ? SumFrames<2, 0, 1, true>(bytes, frames, table)
                  : SumFrames<1, 0, 0, false>(bytes, frames, table);
}

#if defined(__SSE2__)
// 16-bit audio, eight samples at a time: the high byte as signed is the sample shifted right
// by 8, its distance from the centre at most 255, so five times it fits 16 bits. madd adds
// each frame's two channels (stereo) or two frames' squares (mono) into one 32-bit lane.
std::uint64_t Sum16(const std::uint8_t* bytes, std::size_t frames, bool stereo, std::int32_t centre,
                    std::size_t& done) {
    const std::size_t samples = frames * (stereo ? 2 : 1);
    const std::size_t blocks = samples / 8;
    const __m128i offset = _mm_set1_epi16(static_cast<short>(128 - centre));
    const __m128i five = _mm_set1_epi16(5);
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t total = 0;
    // Each lane gains at most 2 x 1275^2 per block; 1,024 blocks stay below 2^32.
    for (std::size_t first = 0; first < blocks; first += 1024) {
        const std::size_t last = std::min(blocks, first + 1024);
        __m128i lanes = zero;
        for (std::size_t b = first; b < last; ++b) {
            const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16 * b));
            const __m128i v = _mm_add_epi16(_mm_srai_epi16(s, 8), offset);
            const __m128i a = _mm_max_epi16(v, _mm_sub_epi16(zero, v));
            __m128i m;
            if (stereo) {
                m = _mm_srli_epi32(_mm_madd_epi16(a, five), 1);
            } else {
                m = _mm_mullo_epi16(a, five);
            }
            lanes = _mm_add_epi32(lanes, _mm_madd_epi16(m, m));
        }
        alignas(16) std::uint32_t out[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(out), lanes);
        total += std::uint64_t{out[0]} + out[1] + out[2] + out[3];
    }
    done = blocks * 8 / (stereo ? 2 : 1);
    return total;
}
#endif

#if defined(EARLARK_LEVEL_AVX2)
// The same as Sum16 on sixteen samples at a time, for processors that have AVX2.
__attribute__((target("avx2"))) std::uint64_t Sum16Avx2(const std::uint8_t* bytes,
                                                        std::size_t frames, bool stereo,
                                                        std::int32_t centre, std::size_t& done) {
    const std::size_t samples = frames * (stereo ? 2 : 1);
    const std::size_t blocks = samples / 16;
    const __m256i offset = _mm256_set1_epi16(static_cast<short>(128 - centre));
    const __m256i five = _mm256_set1_epi16(5);
    const __m256i zero = _mm256_setzero_si256();
    std::uint64_t total = 0;
    for (std::size_t first = 0; first < blocks; first += 1024) {
        const std::size_t last = std::min(blocks, first + 1024);
        __m256i lanes = zero;
        for (std::size_t b = first; b < last; ++b) {
            const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32 * b));
            const __m256i a = _mm256_abs_epi16(_mm256_add_epi16(_mm256_srai_epi16(s, 8), offset));
            const __m256i m = stereo ? _mm256_srli_epi32(_mm256_madd_epi16(a, five), 1)
                                     : _mm256_mullo_epi16(a, five);
            lanes = _mm256_add_epi32(lanes, _mm256_madd_epi16(m, m));
        }
        alignas(32) std::uint32_t out[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(out), lanes);
        for (std::uint32_t lane : out) {
            total += lane;
        }
    }
    done = blocks * 16 / (stereo ? 2 : 1);
    return total;
}

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

// The few frames the vector loops leave, measured one by one.
std::uint64_t RemainderSum(const std::uint8_t* bytes, std::size_t frames, bool is16Bit, bool stereo,
                           std::int32_t centre) {
    const std::size_t sample = is16Bit ? 2 : 1;
    std::uint64_t sum = 0;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::uint8_t* frame = bytes + f * sample * (stereo ? 2 : 1);
        const std::int32_t v = pcm::ScaleTo8Bit(frame, is16Bit) - centre;
        std::uint64_t m = static_cast<std::uint64_t>(5 * (v < 0 ? -v : v));
        if (stereo) {
            const std::int32_t w = pcm::ScaleTo8Bit(frame + sample, is16Bit) - centre;
            m = (m + static_cast<std::uint64_t>(5 * (w < 0 ? -w : w))) / 2;
        }
        sum += m * m;
    }
    return sum;
}

} // namespace

bool Handles(std::int32_t centre) {
    return centre >= kMinCentre && centre <= kMaxCentre;
}

std::uint64_t SumOfSquares(const std::uint8_t* bytes, std::size_t frames, bool is16Bit, bool stereo,
                           std::int32_t centre) {
    std::size_t done = 0;
    std::uint64_t sum = 0;
    const bool vector = is16Bit && centre >= 0 && centre <= 255;
#if defined(EARLARK_LEVEL_AVX2)
    if (vector && HasAvx2()) {
        sum = Sum16Avx2(bytes, frames, stereo, centre, done);
    }
#endif
#if defined(__SSE2__)
    if (vector && done == 0) {
        sum = Sum16(bytes, frames, stereo, centre, done);
    }
#endif
    const std::size_t stride = (is16Bit ? 2 : 1) * (stereo ? 2 : 1);
    const std::size_t left = frames - done;
    if (left < 64) {
        return sum + RemainderSum(bytes + done * stride, left, is16Bit, stereo, centre);
    }
    return sum + TableSum(bytes + done * stride, left, is16Bit, stereo, centre);
}

} // namespace level_sums
