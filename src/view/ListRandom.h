#pragma once

#include <cstdint>

// The runtime's classic 15-bit pseudo-random generator, which the random list order is
// defined by: state = state * 214013 + 2531011 (mod 2^32), value = bits 16 to 30.
class ListRandom {
public:
    static constexpr int kMax = 32767;

    void Seed(std::uint32_t seed) { m_state = seed; }
    int Next() {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state = 1;
};
