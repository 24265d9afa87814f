// The search's inner loop against the loudness formula written out frame by frame, over
// random bytes, both layouts, several centres and frame counts that leave a remainder.
#include "audio/LevelSums.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

std::uint64_t Reference(const std::vector<std::uint8_t>& bytes, std::size_t frames, bool is16,
                        bool stereo, int centre) {
    const std::size_t sample = is16 ? 2 : 1;
    const auto scaled = [&](std::size_t at) {
        return is16 ? static_cast<std::int8_t>(bytes[at + 1]) + 128 : bytes[at];
    };
    std::uint64_t sum = 0;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::size_t at = f * sample * (stereo ? 2 : 1);
        std::int64_t m = 5 * std::abs(scaled(at) - centre);
        if (stereo) {
            m = (m + 5 * std::abs(scaled(at + sample) - centre)) / 2;
        }
        sum += static_cast<std::uint64_t>(m * m);
    }
    return sum;
}

TEST(LevelSums, MatchTheFormulaFrameByFrame) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> bytes(4 * 10007);
    for (auto& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    // Full scale in the middle, so that the lane sums are tested at their largest.
    std::fill(bytes.begin() + 8000, bytes.begin() + 24000, 0x80);
    for (bool is16 : {true, false}) {
        for (bool stereo : {true, false}) {
            for (int centre : {0, 1, 127, 128, 200, 255, -3, 300}) {
                for (std::size_t frames : {0u, 3u, 9u, 10007u}) {
                    EXPECT_EQ(level_sums::SumOfSquares(bytes.data(), frames, is16, stereo, centre),
                              Reference(bytes, frames, is16, stereo, centre))
                        << is16 << stereo << ' ' << centre << ' ' << frames;
                }
            }
        }
    }
}

} // namespace
