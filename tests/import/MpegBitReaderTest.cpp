#include "import/MpegBitReader.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MpegBitReaderTest, ReadsMostSignificantBitFirstAcrossBytes) {
    const std::vector<std::uint8_t> data{0xA5, 0x3C, 0xFF, 0x00, 0x81, 0x42, 0x24, 0x18, 0x99};
    MpegBitReader bits(data.data(), data.size());
    EXPECT_EQ(bits.Read(1), 1u);
    EXPECT_EQ(bits.Read(3), 0b010u);
    EXPECT_EQ(bits.Peek(8), 0x53u); // 0101 0011
    EXPECT_EQ(bits.Read(8), 0x53u);
    EXPECT_EQ(bits.Read(12), 0xCFFu);
    EXPECT_EQ(bits.Position(), 24u);
    EXPECT_EQ(bits.Read(24), 0x008142u);
    EXPECT_EQ(bits.Read(16), 0x2418u);
    EXPECT_EQ(bits.Read(8), 0x99u); // the last byte, through the bounded path
    EXPECT_FALSE(bits.Overrun());
}

TEST(MpegBitReaderTest, ReadsZerosPastTheEndAndReportsTheOverrun) {
    const std::vector<std::uint8_t> data{0xFF, 0xFF};
    MpegBitReader bits(data.data(), data.size());
    bits.Skip(12);
    EXPECT_EQ(bits.Read(8), 0xF0u);
    EXPECT_TRUE(bits.Overrun());
    EXPECT_EQ(bits.Read(20), 0u);
    bits.SetPosition(1u << 30); // far beyond: still no access outside the buffer
    EXPECT_EQ(bits.Peek(25), 0u);
}

TEST(MpegBitReaderTest, EmptyBufferReadsAsZeros) {
    MpegBitReader bits(nullptr, 0);
    EXPECT_EQ(bits.Read(7), 0u);
    EXPECT_TRUE(bits.Overrun());
}
