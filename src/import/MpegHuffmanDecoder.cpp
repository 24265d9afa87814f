#include "import/MpegHuffmanDecoder.h"

#include "import/MpegHuffmanCodes.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::uint32_t kSubTable = 0x80000000u;
constexpr int kStepBits = 7;

struct Code {
    std::uint32_t bits;
    int length;
    int value;
};

// Fills a table of 2^width entries at `base` for codes whose first `depth` bits were
// already consumed, adding sub-tables for longer codes at the end of `entries`.
void Build(std::vector<std::uint32_t>& entries, std::size_t base, int width,
           const std::vector<Code>& codes, int depth) {
    std::vector<std::vector<Code>> longer(std::size_t{1} << width);
    for (const Code& c : codes) {
        const int rest = c.length - depth;
        const std::uint32_t tail = c.bits & ((1u << rest) - 1);
        if (rest <= width) {
            const std::uint32_t first = tail << (width - rest);
            const std::uint32_t count = 1u << (width - rest);
            for (std::uint32_t i = 0; i < count; ++i) {
                entries[base + first + i] =
                    static_cast<std::uint32_t>(rest) << 16 | static_cast<std::uint32_t>(c.value);
            }
        } else {
            longer[tail >> (rest - width)].push_back(c);
        }
    }
    for (std::size_t prefix = 0; prefix < longer.size(); ++prefix) {
        const auto& group = longer[prefix];
        if (group.empty()) {
            continue;
        }
        int longest = 0;
        for (const Code& c : group) {
            longest = std::max(longest, c.length - depth - width);
        }
        const int subWidth = std::min(longest, kStepBits);
        const std::size_t offset = entries.size();
        entries.resize(offset + (std::size_t{1} << subWidth), 0);
        entries[base + prefix] = kSubTable | static_cast<std::uint32_t>(subWidth) << 16 |
                                 static_cast<std::uint32_t>(offset);
        Build(entries, offset, subWidth, group, depth + width);
    }
}

MpegHuffmanDecoder::Lookup MakeLookup(const HuffmanCodeTable& table, bool quad) {
    MpegHuffmanDecoder::Lookup lookup;
    const int count = quad ? 16 : table.size * table.size;
    if (count == 0) {
        lookup.entries.assign(1, 0); // every pair is (0, 0) and takes no bits
        return lookup;
    }
    std::vector<Code> codes;
    int longest = 0;
    for (int i = 0; i < count; ++i) {
        const int value = quad ? i : (i / table.size) << 4 | (i % table.size);
        codes.push_back({table.codes[i], table.lengths[i], value});
        longest = std::max<int>(longest, table.lengths[i]);
    }
    lookup.rootBits = std::min(longest, kStepBits + 2);
    lookup.entries.assign(std::size_t{1} << lookup.rootBits, 0);
    Build(lookup.entries, 0, lookup.rootBits, codes, 0);
    return lookup;
}

struct AllLookups {
    std::array<MpegHuffmanDecoder::Lookup, 32> pairs;
    std::array<MpegHuffmanDecoder::Lookup, 2> quads;
    AllLookups() {
        for (int i = 0; i < 32; ++i) {
            pairs[i] = MakeLookup(PairCodeTable(i), false);
        }
        for (int i = 0; i < 2; ++i) {
            quads[i] = MakeLookup(QuadCodeTable(i), true);
        }
    }
};

const AllLookups& Lookups() {
    static const AllLookups lookups;
    return lookups;
}

// One code word: a look-up of rootBits, then of each sub-table's width, until a leaf.
inline int Decode(MpegBitReader& bits, const MpegHuffmanDecoder::Lookup& lookup) {
    int width = lookup.rootBits;
    std::uint32_t offset = 0;
    for (;;) {
        const std::uint32_t entry = lookup.entries[offset + bits.Peek(width)];
        if (!(entry & kSubTable)) {
            bits.Skip(static_cast<int>(entry >> 16));
            return static_cast<int>(entry & 0xFFFF);
        }
        bits.Skip(width);
        width = static_cast<int>((entry >> 16) & 0x7FFF);
        offset = entry & 0xFFFF;
    }
}

inline int Signed(MpegBitReader& bits, int magnitude) {
    return magnitude != 0 && bits.ReadBit() ? -magnitude : magnitude;
}

// Decodes pairs of region [start, end) with one table.
void DecodePairs(MpegBitReader& bits, int tableIndex, int start, int end, std::size_t endBit,
                 int* values) {
    const MpegHuffmanDecoder::Lookup& lookup = Lookups().pairs[tableIndex];
    const int linbits = PairCodeTable(tableIndex).linbits;
    for (int i = start; i < end; i += 2) {
        if (bits.Position() > endBit) {
            values[i] = values[i + 1] = 0;
            continue;
        }
        const int value = Decode(bits, lookup);
        int x = value >> 4;
        int y = value & 15;
        if (linbits != 0 && x == 15) {
            x += static_cast<int>(bits.Read(linbits));
        }
        x = Signed(bits, x);
        if (linbits != 0 && y == 15) {
            y += static_cast<int>(bits.Read(linbits));
        }
        y = Signed(bits, y);
        values[i] = x;
        values[i + 1] = y;
    }
}

} // namespace

const MpegHuffmanDecoder::Lookup& MpegHuffmanDecoder::PairLookup(int table) {
    return Lookups().pairs[table & 31];
}

const MpegHuffmanDecoder::Lookup& MpegHuffmanDecoder::QuadLookup(int table) {
    return Lookups().quads[table & 1];
}

int MpegHuffmanDecoder::DecodeOne(MpegBitReader& bits, const Lookup& lookup) {
    return Decode(bits, lookup);
}

int MpegHuffmanDecoder::DecodeSpectrum(MpegBitReader& bits, const Layer3GranuleInfo& g,
                                       std::size_t endBit, int values[576]) {
    const int bigEnd = std::min(g.bigValues * 2, 576);
    const int region1 = std::min(g.region1Start, bigEnd);
    const int region2 = std::min(std::max(g.region2Start, region1), bigEnd);
    DecodePairs(bits, g.tableSelect[0], 0, region1, endBit, values);
    DecodePairs(bits, g.tableSelect[1], region1, region2, endBit, values);
    DecodePairs(bits, g.tableSelect[2], region2, bigEnd, endBit, values);

    const Lookup& quad = Lookups().quads[g.count1Table];
    int line = bigEnd;
    while (line + 4 <= 576 && bits.Position() < endBit) {
        const int value = Decode(bits, quad);
        int* out = values + line;
        out[0] = Signed(bits, (value >> 3) & 1);
        out[1] = Signed(bits, (value >> 2) & 1);
        out[2] = Signed(bits, (value >> 1) & 1);
        out[3] = Signed(bits, value & 1);
        if (bits.Position() > endBit) {
            // The last quadruple ran past the granule's data: it was stuffing, not audio.
            out[0] = out[1] = out[2] = out[3] = 0;
            break;
        }
        line += 4;
    }
    std::fill(values + line, values + 576, 0);
    return line;
}
