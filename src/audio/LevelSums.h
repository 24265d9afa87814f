#pragma once

#include <cstddef>
#include <cstdint>

// The inner loop of the loudness measure, which the silence search runs over every sample of
// a recording: the sum over frames of m x m, m being five times the centred amplitude on the
// 8-bit scale (averaged over two channels, truncated).
namespace level_sums {

// True for the centring values these sums are exact for (all that the program sets).
bool Handles(std::int32_t centre);

std::uint64_t SumOfSquares(const std::uint8_t* bytes, std::size_t frames, bool is16Bit, bool stereo,
                           std::int32_t centre);

} // namespace level_sums
