#pragma once

#include <cstdint>

struct WaveFormat;

// A lead-in and a tail around every sentence when it plays or is exported, without changing
// its stored boundaries: the range grows by the padding at both ends, clamped to the data.
class SentencePadding {
public:
    static constexpr int kMaxMs = 1000;
    static constexpr int kStepMs = 50;

    // The setting as stored, kept to 0..1000 ms in steps of 50.
    static int ValidMs(int ms);
    // The padding in bytes, whole frames.
    static std::uint32_t Bytes(int ms, const WaveFormat& format);
    // Widens start..end (inclusive) by `padding` bytes at each end within 0..dataSize - 1.
    static void Apply(std::uint32_t& start, std::uint32_t& end, std::uint32_t padding,
                      std::uint32_t dataSize);
};
