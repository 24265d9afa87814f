#include "import/MpegSynthesisFilter.h"

#include "import/MpegSimd.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

// The synthesis window D[0..256] of ISO/IEC 11172-3 Table B.3; every coefficient of the
// standard is a whole multiple of 2^-16, so it is kept exactly as that multiple. The rest of
// the window follows from D[512 - i] = -D[i] (but +D[i] where i is a multiple of 64).
const int kWindowHalf[257] = {
    0,      -1,     -1,     -1,     -1,     -1,     -1,     -2,     -2,     -2,     -2,     -3,
    -3,     -4,     -4,     -5,     -5,     -6,     -7,     -7,     -8,     -9,     -10,    -11,
    -13,    -14,    -16,    -17,    -19,    -21,    -24,    -26,    -29,    -31,    -35,    -38,
    -41,    -45,    -49,    -53,    -58,    -63,    -68,    -73,    -79,    -85,    -91,    -97,
    -104,   -111,   -117,   -125,   -132,   -139,   -147,   -154,   -161,   -169,   -176,   -183,
    -190,   -196,   -202,   -208,   213,    218,    222,    225,    227,    228,    228,    227,
    224,    221,    215,    208,    200,    189,    177,    163,    146,    127,    106,    83,
    57,     29,     -2,     -36,    -72,    -111,   -153,   -197,   -244,   -294,   -347,   -401,
    -459,   -519,   -581,   -645,   -711,   -779,   -848,   -919,   -991,   -1064,  -1137,  -1210,
    -1283,  -1356,  -1428,  -1498,  -1567,  -1634,  -1698,  -1759,  -1817,  -1870,  -1919,  -1962,
    -2001,  -2032,  -2057,  -2075,  -2085,  -2087,  -2080,  -2063,  2037,   2000,   1952,   1893,
    1822,   1739,   1644,   1535,   1414,   1280,   1131,   970,    794,    605,    402,    185,
    -45,    -288,   -545,   -814,   -1095,  -1388,  -1692,  -2006,  -2330,  -2663,  -3004,  -3351,
    -3705,  -4063,  -4425,  -4788,  -5153,  -5517,  -5879,  -6237,  -6589,  -6935,  -7271,  -7597,
    -7910,  -8209,  -8491,  -8755,  -8998,  -9219,  -9416,  -9585,  -9727,  -9838,  -9916,  -9959,
    -9966,  -9935,  -9863,  -9750,  -9592,  -9389,  -9139,  -8840,  -8492,  -8092,  -7640,  -7134,
    6574,   5959,   5288,   4561,   3776,   2935,   2037,   1082,   70,     -998,   -2122,  -3300,
    -4533,  -5818,  -7154,  -8540,  -9975,  -11455, -12980, -14548, -16155, -17799, -19478, -21189,
    -22929, -24694, -26482, -28289, -30112, -31947, -33791, -35640, -37489, -39336, -41176, -43006,
    -44821, -46617, -48390, -50137, -51853, -53534, -55178, -56778, -58333, -59838, -61289, -62684,
    -64019, -65290, -66494, -67629, -68692, -69679, -70590, -71420, -72169, -72835, -73415, -73908,
    -74313, -74630, -74856, -74992, 75038,
};

constexpr double kPi = 3.14159265358979323846;

// Factors 1 / (2 cos(pi (2k + 1) / (2N))) of the odd half of the fast DCT, N = 32..2,
// kept one after the other: N = 32 at 0, 16 at 16, 8 at 24, 4 at 28, 2 at 30.
struct DctFactors {
    float f[31];
    DctFactors() {
        int at = 0;
        for (int n = 32; n >= 2; n /= 2) {
            for (int k = 0; k < n / 2; ++k) {
                f[at++] = static_cast<float>(0.5 / std::cos(kPi * (2 * k + 1) / (2.0 * n)));
            }
        }
    }
};
const DctFactors kDctFactors;

constexpr int FactorOffset(int n) {
    return n == 32 ? 0 : n == 16 ? 16 : n == 8 ? 24 : n == 4 ? 28 : 30;
}

// In-place DCT-II, X[j] = sum x[k] cos(pi j (2k + 1) / 2N), by splitting into the sums and
// the weighted differences of mirrored inputs (B. G. Lee's recursion).
template <int N, typename T> inline __attribute__((always_inline)) void Dct(T* x) {
    if constexpr (N > 1) {
        constexpr int kHalf = N / 2;
        const float* factor = kDctFactors.f + FactorOffset(N);
        T even[kHalf];
        T odd[kHalf];
        for (int k = 0; k < kHalf; ++k) {
            even[k] = x[k] + x[N - 1 - k];
            odd[k] = (x[k] - x[N - 1 - k]) * factor[k];
        }
        Dct<kHalf, T>(even);
        Dct<kHalf, T>(odd);
        for (int m = 0; m < kHalf - 1; ++m) {
            x[2 * m] = even[m];
            x[2 * m + 1] = odd[m] + odd[m + 1];
        }
        x[N - 2] = even[kHalf - 1];
        x[N - 1] = odd[kHalf - 1];
    }
}

// 32-point DCTs of eight time slots at once, each lane of a vector one slot:
// c[j][lane] = sum over k of in[lane][k] cos(pi j (2k + 1) / 64).
MPEG_VECTOR_CLONES
void DctOfEightSlots(const float (*in)[32], int count, MpegVec8* c) {
    float columns[32][8] = {};
    for (int lane = 0; lane < count; ++lane) {
        for (int k = 0; k < 32; ++k) {
            columns[k][lane] = in[lane][k];
        }
    }
    for (int k = 0; k < 32; ++k) {
        MPEG_LOAD8(c[k], columns[k]);
    }
    Dct<32, MpegVec8>(c);
}

// The 64 values of the matrixing, V[i] = sum S[k] cos((16 + i)(2k + 1) pi / 64), follow
// from the DCT by the symmetries of the cosine: V[0..31] = C16..C31, 0, -C31..-C17 and
// V[32..63] = -C16..-C1, -C0, -C1..-C15.
void Matrix(const MpegVec8* c, int lane, float* low, float* high) {
    for (int i = 0; i < 16; ++i) {
        low[i] = c[16 + i][lane];
        high[i] = -c[16 - i][lane];
    }
    low[16] = 0.0f;
    high[16] = -c[0][lane];
    for (int i = 17; i < 32; ++i) {
        low[i] = -c[48 - i][lane];
        high[i] = -c[i - 16][lane];
    }
}

// out[j] = sum over the 16 most recent vectors t of D[32t + j] times the low half of vector
// t (t even) or its high half (t odd), rounded to 16 bits.
MPEG_VECTOR_CLONES
void WindowAndRound(const float (*low)[32], const float (*high)[32], int newest,
                    std::int16_t* pcm) {
    const float* d = MpegSynthesisFilter::Window();
    MpegVec8 sum[4] = {};
    for (int t = 0; t < 16; ++t) {
        const int slot = (newest + t) & 15;
        const float* v = (t & 1) ? high[slot] : low[slot];
        const float* w = d + 32 * t;
        for (int q = 0; q < 4; ++q) {
            MpegVec8 wq, vq;
            MPEG_LOAD8(wq, w + 8 * q);
            MPEG_LOAD8(vq, v + 8 * q);
            sum[q] += wq * vq;
        }
    }
    // Adding 1.5 * 2^23 leaves each value rounded to the nearest integer (ties to even)
    // in the low mantissa bits.
    const MpegVec8 zero = {};
    for (int q = 0; q < 4; ++q) {
        MpegVec8 scaled = sum[q] * 32768.0f;
        scaled = scaled < -32768.0f ? zero - 32768.0f : scaled;
        scaled = scaled > 32767.0f ? zero + 32767.0f : scaled;
        scaled += 12582912.0f;
        std::int32_t bits[8];
        std::memcpy(bits, &scaled, sizeof bits);
        for (int j = 0; j < 8; ++j) {
            pcm[8 * q + j] = static_cast<std::int16_t>(bits[j] - 0x4B400000);
        }
    }
}

} // namespace

const float* MpegSynthesisFilter::Window() {
    static const struct Table {
        float d[512];
        Table() {
            for (int i = 0; i < 512; ++i) {
                int value;
                if (i <= 256) {
                    value = kWindowHalf[i];
                } else {
                    const int mirror = 512 - i;
                    value = mirror % 64 == 0 ? kWindowHalf[mirror] : -kWindowHalf[mirror];
                }
                d[i] = static_cast<float>(value / 65536.0);
            }
        }
    } table;
    return table.d;
}

MpegSynthesisFilter::MpegSynthesisFilter() {
    Reset();
}

void MpegSynthesisFilter::Reset() {
    std::memset(m_low, 0, sizeof m_low);
    std::memset(m_high, 0, sizeof m_high);
    m_newest = 0;
}

void MpegSynthesisFilter::Synthesize(const float (*subbands)[32], int slots, std::int16_t* out,
                                     int stride) {
    for (int first = 0; first < slots; first += 8) {
        const int count = std::min(8, slots - first);
        alignas(32) MpegVec8 c[32];
        DctOfEightSlots(subbands + first, count, c);
        for (int lane = 0; lane < count; ++lane) {
            m_newest = (m_newest + kSlots - 1) % kSlots;
            Matrix(c, lane, m_low[m_newest], m_high[m_newest]);
            std::int16_t pcm[32];
            WindowAndRound(m_low, m_high, m_newest, pcm);
            std::int16_t* target = out + static_cast<std::ptrdiff_t>(first + lane) * 32 * stride;
            for (int j = 0; j < 32; ++j) {
                target[j * stride] = pcm[j];
            }
        }
    }
}

std::int16_t MpegSynthesisFilter::ToPcm(float value) {
    // Adding 1.5 * 2^23 leaves the value rounded to the nearest integer (ties to even) in
    // the low mantissa bits, without a call into the maths library.
    const float scaled = std::clamp(value * 32768.0f, -32768.0f, 32767.0f) + 12582912.0f;
    return static_cast<std::int16_t>(std::bit_cast<std::int32_t>(scaled) - 0x4B400000);
}
