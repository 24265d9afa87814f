#pragma once

#include <cstdint>

// One code table of layer III: `size` x `size` entries (pairs) or 16 entries (quadruples),
// each a code word of `lengths[i]` bits. Absent tables have size 0.
struct HuffmanCodeTable {
    const std::uint16_t* codes;
    const std::uint8_t* lengths;
    int size;
    int linbits;
};

// Big-value tables 0..31 (0, 4 and 14 have no codes: every pair is zero or unused).
const HuffmanCodeTable& PairCodeTable(int index);
// Count1 tables: 0 = table A, 1 = table B.
const HuffmanCodeTable& QuadCodeTable(int index);
