// RiffWriter: sizes filled in on close, pad bytes, chunks left open, and failures.
#include "platform/RiffWriter.h"
#include "platform/RiffReader.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(RiffWriter, FillsInSizesAndPadsOddChunks) {
    TempDir dir;
    std::string path = dir.Path("out.wav");
    RiffWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.CreateChunk(kRiffId, MakeFourCC("WAVE")));
    ASSERT_TRUE(writer.CreateChunk(MakeFourCC("odd ")));
    ASSERT_TRUE(writer.Write("xyz", 3));
    ASSERT_TRUE(writer.Ascend());
    ASSERT_TRUE(writer.CreateChunk(kListId, MakeFourCC("INFO")));
    ASSERT_TRUE(writer.CreateChunk(MakeFourCC("INAM")));
    ASSERT_TRUE(writer.Write("ab", 2));
    ASSERT_TRUE(writer.Ascend());
    ASSERT_TRUE(writer.Ascend());
    ASSERT_TRUE(writer.Close());

    Bytes expected;
    expected.Raw("RIFF").U32(4 + 12 + 22).Raw("WAVE");
    expected.Raw("odd ").U32(3).Raw("xyz").U8(0);
    expected.Raw("LIST").U32(14).Raw("INFO").Raw("INAM").U32(2).Raw("ab");
    EXPECT_EQ(TempDir::Read(path), expected.Data());
}

TEST(RiffWriter, OverwritesAValueWrittenEarlierAndGoesOnAtTheEnd) {
    TempDir dir;
    std::string path = dir.Path("out.wav");
    RiffWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.CreateChunk(kRiffId, MakeFourCC("WAVE")));
    ASSERT_TRUE(writer.CreateChunk(MakeFourCC("fact")));
    const std::uint64_t at = writer.Position();
    EXPECT_EQ(at, 20u);
    ASSERT_TRUE(writer.Write("\0\0\0\0", 4));
    ASSERT_TRUE(writer.Ascend());
    ASSERT_TRUE(writer.CreateChunk(MakeFourCC("data")));
    ASSERT_TRUE(writer.Write("ab", 2));
    ASSERT_TRUE(writer.Overwrite(at, "\x07\0\0\0", 4));
    EXPECT_FALSE(writer.Overwrite(writer.Position() - 1, "xy", 2)); // past what was written
    ASSERT_TRUE(writer.Write("cd", 2));
    ASSERT_TRUE(writer.Close());

    Bytes expected;
    expected.Raw("RIFF").U32(4 + 12 + 12).Raw("WAVE");
    expected.Raw("fact").U32(4).U32(7);
    expected.Raw("data").U32(4).Raw("abcd");
    EXPECT_EQ(TempDir::Read(path), expected.Data());
}

TEST(RiffWriter, CloseFinishesChunksLeftOpen) {
    TempDir dir;
    std::string path = dir.Path("out.wav");
    {
        RiffWriter writer;
        ASSERT_TRUE(writer.Create(path));
        ASSERT_TRUE(writer.CreateChunk(kRiffId, MakeFourCC("WAVE")));
        ASSERT_TRUE(writer.CreateChunk(MakeFourCC("data")));
        ASSERT_TRUE(writer.Write("12345", 5));
    } // the destructor closes
    Bytes expected;
    expected.Raw("RIFF").U32(4 + 8 + 6).Raw("WAVE").Raw("data").U32(5).Raw("12345").U8(0);
    EXPECT_EQ(TempDir::Read(path), expected.Data());
}

TEST(RiffWriter, WhatItWritesReadsBack) {
    TempDir dir;
    std::string path = dir.Path("out.wav");
    RiffWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.CreateChunk(kRiffId, MakeFourCC("WAVE")));
    for (std::uint32_t size : {1u, 2u, 7u}) {
        ASSERT_TRUE(writer.CreateChunk(MakeFourCC("blob")));
        ASSERT_TRUE(writer.Write(std::string(size, 'q').data(), size));
        ASSERT_TRUE(writer.Ascend());
    }
    ASSERT_TRUE(writer.Close());
    RiffReader reader;
    ASSERT_TRUE(reader.Open(path));
    RiffChunk form;
    RiffChunk chunk;
    ASSERT_TRUE(reader.FindForm(MakeFourCC("WAVE"), &form));
    std::vector<std::uint32_t> sizes;
    while (reader.Descend(form, &chunk)) {
        sizes.push_back(chunk.size);
        reader.Ascend(chunk);
    }
    EXPECT_EQ(sizes, (std::vector<std::uint32_t>{1, 2, 7}));
}

TEST(RiffWriter, RefusesWhatItCannotDo) {
    TempDir dir;
    RiffWriter writer;
    EXPECT_FALSE(writer.Create(dir.Path("no/such/folder/out.wav")));
    EXPECT_FALSE(writer.CreateChunk(MakeFourCC("data")));
    ASSERT_TRUE(writer.Create(dir.Path("out.wav")));
    EXPECT_FALSE(writer.Write("x", 1)); // no chunk to write into
    EXPECT_FALSE(writer.Ascend());
}

TEST(RiffWriter, ReportsAFullDevice) {
    RiffWriter writer;
    if (!writer.Create("/dev/full")) {
        GTEST_SKIP() << "/dev/full is not available";
    }
    ASSERT_TRUE(writer.CreateChunk(kRiffId, MakeFourCC("WAVE")));
    std::vector<char> block(1 << 20, 'z');
    writer.Write(block.data(), block.size());
    EXPECT_FALSE(writer.Close());
}

} // namespace
