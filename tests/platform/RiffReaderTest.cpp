// RiffReader over crafted files: chunk walking, padding, and sizes that lie.
#include "platform/RiffReader.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kWave = MakeFourCC("WAVE");

std::vector<std::uint8_t> NestedFile() {
    Bytes b;
    b.Raw("RIFF").U32(4 + 8 + 4 + 8 + 3 + 1 + 8 + 2).Raw("WAVE");
    b.Raw("abcd").U32(4).U32(0x11223344);
    b.Raw("odd ").U32(3).Raw("xyz").U8(0);
    b.Raw("data").U32(2).U16(0xBEEF);
    return b.Data();
}

TEST(RiffReader, WalksSubChunksInOrderOverPadBytes) {
    TempDir dir;
    RiffReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("a.wav", NestedFile())));
    RiffChunk form;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    EXPECT_EQ(form.dataOffset, 12u);
    EXPECT_EQ(form.available, 34u);

    std::vector<std::pair<std::uint32_t, std::uint64_t>> seen;
    RiffChunk chunk;
    while (reader.Descend(form, &chunk)) {
        seen.emplace_back(chunk.id, chunk.dataOffset);
        ASSERT_TRUE(reader.Ascend(chunk));
    }
    EXPECT_EQ(seen,
              (std::vector<std::pair<std::uint32_t, std::uint64_t>>{
                  {MakeFourCC("abcd"), 20}, {MakeFourCC("odd "), 32}, {MakeFourCC("data"), 44}}));
}

TEST(RiffReader, DescendsStraightToAChunkById) {
    TempDir dir;
    RiffReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("a.wav", NestedFile())));
    RiffChunk form;
    RiffChunk data;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    ASSERT_TRUE(reader.Descend(form, &data, MakeFourCC("data")));
    std::uint8_t bytes[4] = {};
    EXPECT_EQ(reader.Read(bytes, 4), 2u); // the file ends after the chunk
    EXPECT_EQ(bytes[0], 0xEF);
    EXPECT_EQ(bytes[1], 0xBE);
    RiffChunk none;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    EXPECT_FALSE(reader.Descend(form, &none, MakeFourCC("LIST")));
}

TEST(RiffReader, ClampsSizesThatReachPastTheParentOrTheFile) {
    TempDir dir;
    Bytes b;
    b.Raw("RIFF").U32(0xFFFFFFFF).Raw("WAVE");
    b.Raw("fmt ").U32(0xFFFFFFF0).Raw("only ten b");
    RiffReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("a.wav", b.Data())));
    RiffChunk form;
    RiffChunk chunk;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    EXPECT_EQ(form.available, 18u);
    ASSERT_TRUE(reader.Descend(form, &chunk));
    EXPECT_EQ(chunk.size, 0xFFFFFFF0u);
    EXPECT_EQ(chunk.available, 10u);
    EXPECT_EQ(chunk.end, 30u);
    std::vector<std::uint8_t> buffer(64);
    EXPECT_EQ(reader.ReadContents(chunk, buffer.data(), buffer.size()), 10u);
    ASSERT_TRUE(reader.Ascend(chunk));
    EXPECT_FALSE(reader.Descend(form, &chunk));
}

TEST(RiffReader, ReadsContentsOnlyWithinTheChunk) {
    TempDir dir;
    RiffReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("a.wav", NestedFile())));
    RiffChunk form;
    RiffChunk first;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    ASSERT_TRUE(reader.Descend(form, &first));
    std::uint8_t bytes[18] = {};
    EXPECT_EQ(reader.ReadContents(first, bytes, sizeof bytes), 4u);
}

TEST(RiffReader, FindsNoFormInForeignOrTruncatedFiles) {
    TempDir dir;
    const std::vector<std::vector<std::uint8_t>> files = {
        {},
        Bytes().Raw("RIF").Data(),
        Bytes().Raw("RIFF").U32(4).Data(),
        Bytes().Raw("RIFF").U32(4).Raw("AVI ").Data(),
        Bytes().Raw("JUNK").U32(0xFFFFFFFF).Raw("RIFF").U32(4).Raw("WAVE").Data(),
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        RiffReader reader;
        ASSERT_TRUE(reader.Open(dir.Write("f.wav", files[i])));
        RiffChunk form;
        EXPECT_FALSE(reader.FindForm(kWave, &form)) << "file " << i;
    }
    RiffReader reader;
    EXPECT_FALSE(reader.Open(dir.Path("missing.wav")));
    EXPECT_FALSE(reader.IsOpen());
}

TEST(RiffReader, FindsAWaveFormAfterAnotherTopLevelChunk) {
    TempDir dir;
    Bytes b;
    b.Raw("JUNK").U32(3).Raw("abc").U8(0);
    b.Raw("RIFF").U32(4 + 8 + 2).Raw("WAVE").Raw("data").U32(2).U16(7);
    RiffReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("a.wav", b.Data())));
    RiffChunk form;
    RiffChunk data;
    ASSERT_TRUE(reader.FindForm(kWave, &form));
    ASSERT_TRUE(reader.Descend(form, &data));
    EXPECT_EQ(data.id, MakeFourCC("data"));
    EXPECT_EQ(data.dataOffset, 32u);
}

} // namespace
