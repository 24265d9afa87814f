// The stretcher against a plain, unoptimised transcription of the same algorithm: the offset
// search keeps running sums for speed, and must still pick exactly the same offsets, so the
// outputs must be identical sample for sample.
#include "audio/TimeStretch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <vector>

namespace {

// Every sum written out in full for every offset, as the algorithm states it.
int ReferenceSearch(const std::vector<std::int32_t>& out, const std::vector<std::int32_t>& in,
                    const TimeStretchParams& p, int outAt, int inAt, int fallback) {
    int best = fallback;
    double bestScore = 0.0;
    for (int j = 0; j < p.searchRange; ++j) {
        std::int64_t c = 0;
        std::int64_t e = 0;
        for (int t = 0; t < p.overlap; t += p.step) {
            const std::int64_t x = in[inAt + j + t];
            c += out[outAt + t] * x;
            e += x * x;
        }
        const double cd = static_cast<double>(c);
        const double score = cd * std::abs(cd) / static_cast<double>(e == 0 ? 1 : e);
        if (score > bestScore) {
            bestScore = score;
            best = j;
        }
    }
    return best;
}

std::vector<std::int32_t> ReferenceStretch(const std::vector<std::int32_t>& in, int f, int rate) {
    const TimeStretchParams p = TimeStretchParams::For(f, rate);
    std::vector<std::int32_t> out(static_cast<std::size_t>(p.OutputFramesNeeded()), 0);
    std::copy_n(in.begin(), p.segment, out.begin());
    const std::int64_t n = p.overlap;
    int previous = 0;
    for (int k = 1; k < p.segments; ++k) {
        const int outAt = k * p.outputHop;
        const int inAt = k * p.inputHop;
        int o = previous + p.outputHop - p.inputHop;
        if (o < 0 || o > p.searchRange) {
            o = ReferenceSearch(out, in, p, outAt, inAt, previous);
        }
        const int at = inAt + o;
        for (int t = 0; t < p.overlap; ++t) {
            out[outAt + t] =
                static_cast<std::int32_t>(((n - t) * out[outAt + t] + t * in[at + t]) / n);
        }
        for (int t = p.overlap; t < p.segment; ++t) {
            out[outAt + t] = in[at + t];
        }
        previous = o;
        if (k == p.segments - 1) {
            for (int t = 0; t < p.overlap; ++t) {
                const int last = p.outputFrames - 1 - t;
                out[last] =
                    static_cast<std::int32_t>(((n - t) * in[f - 1 - t] + t * out[last]) / n);
            }
        }
    }
    out.resize(static_cast<std::size_t>(p.outputFrames));
    return out;
}

// Signals that exercise the search differently: noise (scores of both signs), a tone, a
// gliding voice-like tone, silence with clicks (zero energies, ties), full-scale extremes.
std::vector<std::vector<std::int32_t>> Signals(int frames) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> any(-32768, 32767);
    std::vector<std::vector<std::int32_t>> signals(5, std::vector<std::int32_t>(frames));
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        signals[0][i] = any(random);
        signals[1][i] = static_cast<std::int32_t>(12000 * std::sin(0.05 * i));
        phase += 2 * std::numbers::pi * (0.003 + 0.002 * std::sin(0.0007 * i));
        signals[2][i] =
            static_cast<std::int32_t>(8000 * std::sin(phase) + 3000 * std::sin(3 * phase));
        signals[3][i] = i % 997 == 0 ? 20000 : 0;
        signals[4][i] = (i / 7) % 2 == 0 ? 32767 : -32768;
    }
    return signals;
}

} // namespace

TEST(TimeStretchReference, SameOutputAsThePlainAlgorithm) {
    for (int f : {5512, 2756, 1378, 1000, 300}) {
        const auto signals = Signals(3 * f);
        for (int rate : {33, 40, 50, 75, 95, 100, 105, 125, 150, 175, 200}) {
            const TimeStretchParams p = TimeStretchParams::For(f, rate);
            for (std::size_t s = 0; s < signals.size(); ++s) {
                std::vector<std::int32_t> out(static_cast<std::size_t>(p.OutputFramesNeeded()));
                ASSERT_EQ(TimeStretch(out, signals[s], f, rate), p.outputFrames);
                out.resize(static_cast<std::size_t>(p.outputFrames));
                EXPECT_EQ(out, ReferenceStretch(signals[s], f, rate))
                    << f << " frames at " << rate << "%, signal " << s;
            }
        }
    }
}
