#include "import/MpegSynthesisFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The synthesis filter exactly as ISO/IEC 11172-3 Figure A.2 draws it, in double: matrixing
// into a 1024-value FIFO, building U, windowing and summing.
class DirectSynthesis {
public:
    void Run(const float* s, std::vector<double>& out) {
        for (int i = 1023; i >= 64; --i) {
            m_v[i] = m_v[i - 64];
        }
        for (int i = 0; i < 64; ++i) {
            double sum = 0;
            for (int k = 0; k < 32; ++k) {
                sum += std::cos((16 + i) * (2 * k + 1) * M_PI / 64) * s[k];
            }
            m_v[i] = sum;
        }
        double u[512];
        for (int i = 0; i < 8; ++i) {
            for (int j = 0; j < 32; ++j) {
                u[i * 64 + j] = m_v[i * 128 + j];
                u[i * 64 + 32 + j] = m_v[i * 128 + 96 + j];
            }
        }
        const float* d = MpegSynthesisFilter::Window();
        for (int j = 0; j < 32; ++j) {
            double sum = 0;
            for (int i = 0; i < 16; ++i) {
                sum += u[j + 32 * i] * d[j + 32 * i];
            }
            out.push_back(sum);
        }
    }

private:
    double m_v[1024] = {};
};

} // namespace

TEST(MpegSynthesisFilterTest, WindowHoldsTheStandardCoefficients) {
    const float* d = MpegSynthesisFilter::Window();
    EXPECT_EQ(d[0], 0.0f);
    EXPECT_NEAR(d[1], -0.000015259, 1e-9);
    EXPECT_NEAR(d[64], 0.003250122, 1e-9);
    EXPECT_NEAR(d[255], -1.144287109, 1e-9);
    EXPECT_NEAR(d[256], 1.144989014, 1e-9);
    EXPECT_NEAR(d[257], 1.144287109, 1e-9);
    EXPECT_NEAR(d[320], 0.100311279, 1e-9);
    EXPECT_NEAR(d[448], 0.003250122, 1e-9);
    EXPECT_NEAR(d[511], 0.000015259, 1e-9);
}

// The fast path (a 32-point DCT and the symmetries of the matrixing) against the direct
// formula, on random subband samples over many time slots.
TEST(MpegSynthesisFilterTest, MatchesTheDirectFilterBank) {
    MpegSynthesisFilter filter;
    DirectSynthesis direct;
    std::srand(7);
    float input[40][32];
    for (auto& slot : input) {
        for (float& v : slot) {
            v = static_cast<float>(std::rand() / static_cast<double>(RAND_MAX)) * 0.08f -
                0.04f; // never clips
        }
    }
    std::vector<std::int16_t> fast(40 * 32);
    filter.Synthesize(input, 40, fast.data(), 1);
    std::vector<double> reference;
    for (auto& slot : input) {
        direct.Run(slot, reference);
    }
    for (std::size_t i = 0; i < fast.size(); ++i) {
        ASSERT_NEAR(fast[i], reference[i] * 32768.0, 0.51) << "sample " << i;
    }
}

TEST(MpegSynthesisFilterTest, ClipsAndRoundsToSixteenBits) {
    EXPECT_EQ(MpegSynthesisFilter::ToPcm(2.0f), 32767);
    EXPECT_EQ(MpegSynthesisFilter::ToPcm(-2.0f), -32768);
    EXPECT_EQ(MpegSynthesisFilter::ToPcm(0.6f / 32768.0f), 1);
    EXPECT_EQ(MpegSynthesisFilter::ToPcm(-1.4f / 32768.0f), -1);
}

TEST(MpegSynthesisFilterTest, SilenceStaysSilentAndResetForgetsHistory) {
    MpegSynthesisFilter filter;
    float loud[18][32];
    for (auto& slot : loud) {
        for (float& v : slot) {
            v = 0.5f;
        }
    }
    std::vector<std::int16_t> out(18 * 32);
    filter.Synthesize(loud, 18, out.data(), 1);
    filter.Reset();
    float quiet[18][32] = {};
    filter.Synthesize(quiet, 18, out.data(), 1);
    for (std::int16_t s : out) {
        ASSERT_EQ(s, 0);
    }
}
