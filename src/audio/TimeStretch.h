#pragma once

#include <cstdint>
#include <span>

// Time-scale modification by synchronised overlap-add: one channel of one buffer of f input
// frames becomes f x 100 / rate output frames with the pitch kept. The input is cut into
// overlapping segments taken every input hop; each segment is laid down every output hop,
// shifted by up to a search range so that it best matches what is already laid down, and
// cross-faded over the overlap. Integer samples throughout; only the match score is a
// floating-point value.
struct TimeStretchParams {
    int segment = 0;      // W, segment length in frames
    int overlap = 0;      // N, overlap in frames
    int outputHop = 0;    // S = W - N
    int inputHop = 0;     // Sa = S x rate / 100
    int step = 1;         // d, correlation decimation
    int searchRange = 0;  // R, offsets 0 .. R-1 are searched
    int outputFrames = 0; // m = f x 100 / rate
    int segments = 0;     // K, segments laid down

    // The parameters for f input frames at rate percent (rate > 0).
    static TimeStretchParams For(int frames, int rate);
    // Input frames the stretcher may read (f frames plus its look-ahead).
    int InputFramesNeeded() const;
    // Output frames the stretcher may write (m plus the overhang of its last segment).
    int OutputFramesNeeded() const;
};

// Stretches input[0 .. f-1] (with look-ahead beyond) into output[0 .. m-1]; returns m, or -1
// when rate is not positive or the arrays are too small for the parameters.
int TimeStretch(std::span<std::int32_t> output, std::span<const std::int32_t> input, int frames,
                int rate);
