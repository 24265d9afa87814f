#include "audio/TimeStretch.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

// Per speed class (rate 33, 50, 75, 100, 125, 150 and above): segment lengths and overlap
// percentages for buffers of one eighth of a second at 44,100, 22,050 and 11,025 Hz. Slower
// speeds repeat material, so they use longer segments and longer cross-fades.
struct TableRow {
    int minFrames;
    std::array<int, 6> segment;
    std::array<int, 6> overlapPercent;
    int step;
};

constexpr std::array<TableRow, 3> kTable{{
    {5512, {4500, 4000, 3000, 3000, 2000, 1800}, {50, 40, 30, 20, 10, 5}, 4},
    {2756, {2500, 2200, 1800, 1800, 1400, 1000}, {30, 30, 30, 20, 20, 20}, 2},
    {1378, {1200, 1100, 1050, 1000, 600, 500}, {30, 30, 30, 20, 20, 20}, 1},
}};

struct Match {
    std::span<std::int32_t> out;
    std::span<const std::int32_t> in;
    const TimeStretchParams& p;
};

// The correlation of the decimated overlap of the output at out with the input at in.
// Two running sums halve the dependency chain; integer sums come out the same in any order.
std::int64_t Correlation(const std::int32_t* out, const std::int32_t* in, int overlap, int step) {
    std::int64_t even = 0;
    std::int64_t odd = 0;
    int t = 0;
    for (; t + step < overlap; t += 2 * step) {
        even += static_cast<std::int64_t>(out[t]) * in[t];
        odd += static_cast<std::int64_t>(out[t + step]) * in[t + step];
    }
    if (t < overlap) {
        even += static_cast<std::int64_t>(out[t]) * in[t];
    }
    return even + odd;
}

std::int64_t Energy(const std::int32_t* in, int overlap, int step) {
    std::int64_t energy = 0;
    for (int t = 0; t < overlap; t += step) {
        energy += static_cast<std::int64_t>(in[t]) * in[t];
    }
    return energy;
}

// The offset j in 0 .. R-1 whose segment start best continues the output at outAt: the
// greatest C x |C| / E over the decimated overlap, smallest j on ties; fallback when no
// score is above 0. The windows of offsets j and j + d share all their samples but one at
// each end, so each energy after the first d follows from the one d offsets before.
int SearchOffset(const Match& m, int outAt, int inAt, int fallback) {
    const int step = m.p.step;
    const int overlap = m.p.overlap;
    const int span = (overlap + step - 1) / step * step; // first t past the window
    const std::int32_t* out = m.out.data() + outAt;
    const std::int32_t* in = m.in.data() + inAt;
    std::array<std::int64_t, 4> energies{}; // by j mod d (d is at most 4)
    int best = fallback;
    double bestScore = 0.0;
    for (int j = 0; j < m.p.searchRange; ++j) {
        std::int64_t& energy = energies[j % step];
        if (j < step) {
            energy = Energy(in + j, overlap, step);
        } else {
            const std::int64_t leaving = in[j - step];
            const std::int64_t entering = in[j - step + span];
            energy += entering * entering - leaving * leaving;
        }
        const double c = static_cast<double>(Correlation(out, in + j, overlap, step));
        const double score = c * std::abs(c) / static_cast<double>(energy == 0 ? 1 : energy);
        if (score > bestScore) {
            bestScore = score;
            best = j;
        }
    }
    return best;
}

void CrossFadeSegment(const Match& m, int outAt, int inAt) {
    const std::int64_t n = m.p.overlap;
    for (int t = 0; t < m.p.overlap; ++t) {
        m.out[outAt + t] =
            static_cast<std::int32_t>(((n - t) * m.out[outAt + t] + t * m.in[inAt + t]) / n);
    }
    for (int t = m.p.overlap; t < m.p.segment; ++t) {
        m.out[outAt + t] = m.in[inAt + t];
    }
}

// Blends the end of the output toward the end of the input, so that the buffer ends on the
// same sample as its input and the next buffer joins without a click.
void BlendEnd(const Match& m, int frames) {
    const std::int64_t n = m.p.overlap;
    const int last = m.p.outputFrames - 1;
    for (int t = 0; t < m.p.overlap; ++t) {
        m.out[last - t] =
            static_cast<std::int32_t>(((n - t) * m.in[frames - 1 - t] + t * m.out[last - t]) / n);
    }
}

} // namespace

TimeStretchParams TimeStretchParams::For(int frames, int rate) {
    TimeStretchParams p;
    const int speedClass = std::clamp(rate / 25 - 1, 0, 5);
    int overlapPercent = 30;
    p.segment = frames;
    p.searchRange = frames / 6;
    for (const TableRow& row : kTable) {
        if (frames >= row.minFrames) {
            p.segment = row.segment[speedClass];
            overlapPercent = row.overlapPercent[speedClass];
            p.step = row.step;
            p.searchRange = p.segment / 100;
            break;
        }
    }
    p.overlap = p.segment * overlapPercent / 100;
    p.outputHop = p.segment - p.overlap;
    p.inputHop = p.outputHop * rate / 100;
    p.outputFrames = frames * 100 / rate;
    p.segments = p.outputHop > 0 ? p.outputFrames / p.outputHop : 0;
    if (p.outputHop > 0 && p.outputFrames % p.outputHop > 0) {
        ++p.segments;
    }
    return p;
}

int TimeStretchParams::InputFramesNeeded() const {
    const int lastSegment = std::max(segments - 1, 0);
    return std::max(lastSegment * inputHop + searchRange + segment, segment);
}

int TimeStretchParams::OutputFramesNeeded() const {
    const int lastSegment = std::max(segments - 1, 0);
    return std::max(lastSegment * outputHop + segment, outputFrames);
}

int TimeStretch(std::span<std::int32_t> output, std::span<const std::int32_t> input, int frames,
                int rate) {
    if (rate <= 0 || frames < 0) {
        return -1;
    }
    const TimeStretchParams p = TimeStretchParams::For(frames, rate);
    if (output.size() < static_cast<std::size_t>(p.OutputFramesNeeded()) ||
        input.size() < static_cast<std::size_t>(std::max(p.InputFramesNeeded(), frames))) {
        return -1;
    }
    const Match m{output, input, p};
    std::fill_n(output.begin(), p.outputFrames, 0);
    std::copy_n(input.begin(), p.segment, output.begin());
    int previous = 0;
    for (int k = 1; k < p.segments; ++k) {
        const int outAt = k * p.outputHop;
        const int inAt = k * p.inputHop;
        // The offset that continues the previous segment exactly needs no search.
        int offset = previous + p.outputHop - p.inputHop;
        if (offset < 0 || offset > p.searchRange) {
            offset = SearchOffset(m, outAt, inAt, previous);
        }
        CrossFadeSegment(m, outAt, inAt + offset);
        previous = offset;
        if (k == p.segments - 1) {
            BlendEnd(m, frames);
        }
    }
    return p.outputFrames;
}
