#include "import/MpegBitReader.h"
#include "import/MpegHuffmanCodes.h"
#include "import/MpegHuffmanDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Collects bits MSB first into bytes.
class BitWriter {
public:
    void Put(std::uint32_t value, int count) {
        for (int i = count - 1; i >= 0; --i) {
            if (m_bits % 8 == 0) {
                m_bytes.push_back(0);
            }
            if ((value >> i) & 1) {
                m_bytes.back() |= static_cast<std::uint8_t>(0x80 >> (m_bits % 8));
            }
            ++m_bits;
        }
    }
    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::size_t Bits() const { return m_bits; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_bits = 0;
};

std::vector<const HuffmanCodeTable*> AllTables() {
    std::vector<const HuffmanCodeTable*> tables;
    for (int i = 0; i < 32; ++i) {
        if (PairCodeTable(i).size > 0) {
            tables.push_back(&PairCodeTable(i));
        }
    }
    tables.push_back(&QuadCodeTable(0));
    tables.push_back(&QuadCodeTable(1));
    return tables;
}

} // namespace

// A transcription error in a code table almost always breaks one of these: the code words
// of each table must fill the code space exactly (Kraft sum 1) and none may be a prefix of
// another.
TEST(MpegHuffmanTest, EveryTableIsACompletePrefixCode) {
    for (const HuffmanCodeTable* t : AllTables()) {
        const bool quad = t == &QuadCodeTable(0) || t == &QuadCodeTable(1);
        const int count = quad ? 16 : t->size * t->size;
        double kraft = 0;
        std::vector<std::string> words;
        for (int i = 0; i < count; ++i) {
            kraft += std::ldexp(1.0, -t->lengths[i]);
            ASSERT_LT(t->codes[i], 1u << t->lengths[i]);
            std::string w;
            for (int b = t->lengths[i] - 1; b >= 0; --b) {
                w += ((t->codes[i] >> b) & 1) ? '1' : '0';
            }
            words.push_back(w);
        }
        EXPECT_DOUBLE_EQ(kraft, 1.0);
        for (std::size_t a = 0; a < words.size(); ++a) {
            for (std::size_t b = 0; b < words.size(); ++b) {
                if (a != b) {
                    ASSERT_NE(words[b].rfind(words[a], 0), 0u) << words[a] << " / " << words[b];
                }
            }
        }
    }
}

TEST(MpegHuffmanTest, LookupsDecodeEveryCodeWordBackToItsPair) {
    for (int table = 0; table < 32; ++table) {
        const HuffmanCodeTable& t = PairCodeTable(table);
        if (t.size == 0) {
            continue;
        }
        BitWriter writer;
        for (int i = 0; i < t.size * t.size; ++i) {
            writer.Put(t.codes[i], t.lengths[i]);
        }
        MpegBitReader bits(writer.Bytes().data(), writer.Bytes().size());
        const auto& lookup = MpegHuffmanDecoder::PairLookup(table);
        for (int i = 0; i < t.size * t.size; ++i) {
            const int value = MpegHuffmanDecoder::DecodeOne(bits, lookup);
            ASSERT_EQ(value >> 4, i / t.size) << "table " << table << " entry " << i;
            ASSERT_EQ(value & 15, i % t.size) << "table " << table << " entry " << i;
        }
        EXPECT_EQ(bits.Position(), writer.Bits());
    }
}

// Big values with an escape (15 + linbits) and signs, then count1 quadruples, then the end
// of the Huffman data in the middle of the next quadruple.
TEST(MpegHuffmanTest, DecodesBigValuesEscapesSignsAndQuadruples) {
    const HuffmanCodeTable& t16 = PairCodeTable(17); // code of table 16, 2 linbits
    BitWriter w;
    // pair (15 + 3, 1): x escaped with linbits 3, sign -, y = 1 sign +
    w.Put(t16.codes[15 * 16 + 1], t16.lengths[15 * 16 + 1]);
    w.Put(3, 2);
    w.Put(1, 1);
    w.Put(0, 1);
    // pair (0, 0)
    w.Put(t16.codes[0], t16.lengths[0]);
    // quadruple v=1 w=0 x=1 y=0 with table B, signs +, -
    const HuffmanCodeTable& b = QuadCodeTable(1);
    w.Put(b.codes[0b1010], b.lengths[0b1010]);
    w.Put(0, 1);
    w.Put(1, 1);
    const std::size_t end = w.Bits();
    w.Put(b.codes[0b1111], b.lengths[0b1111]); // beyond the Huffman data: must be ignored
    w.Put(0, 4);

    Layer3GranuleInfo g;
    g.bigValues = 2;
    g.tableSelect[0] = 17;
    g.region1Start = 576;
    g.region2Start = 576;
    g.count1Table = 1;
    MpegBitReader bits(w.Bytes().data(), w.Bytes().size());
    int values[576];
    const int count = MpegHuffmanDecoder::DecodeSpectrum(bits, g, end, values);
    EXPECT_EQ(count, 8);
    const int expected[8] = {-18, 1, 0, 0, 1, 0, -1, 0};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(values[i], expected[i]) << i;
    }
    for (int i = 8; i < 576; ++i) {
        ASSERT_EQ(values[i], 0) << i;
    }
}
