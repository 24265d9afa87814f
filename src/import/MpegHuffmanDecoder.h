#pragma once

#include "import/MpegBitReader.h"
#include "import/MpegLayer3SideInfo.h"

#include <cstdint>
#include <vector>

// Decodes the Huffman-coded data of a granule (ISO/IEC 11172-3 2.4.3.4.7): big values
// in up to three regions with their tables and linbits, then count1 quadruples, up to the
// end of part2_3_length. Each code table is turned into look-up tables of a few bits per
// step once, at first use.
class MpegHuffmanDecoder {
public:
    // Writes the 576 quantized values (signed) of the granule; returns the number of lines
    // that may be non-zero (everything from there on is zero). `endBit` is where the
    // granule's Huffman data ends; the reader is left anywhere before or at it.
    static int DecodeSpectrum(MpegBitReader& bits, const Layer3GranuleInfo& g, std::size_t endBit,
                              int values[576]);

    // A look-up structure for one code; public for tests.
    struct Lookup {
        // entry: leaf = (length << 16) | value; sub-table = 0x80000000 | (bits << 16) | offset
        std::vector<std::uint32_t> entries;
        int rootBits = 0;
    };
    static const Lookup& PairLookup(int table);
    static const Lookup& QuadLookup(int table);
    // Decodes one code word with a look-up structure; returns its value.
    static int DecodeOne(MpegBitReader& bits, const Lookup& lookup);
};
