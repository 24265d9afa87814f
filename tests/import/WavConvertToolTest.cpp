// earlark-tool wavconvert, run as a separate program.
#include "ConversionFixtures.h"
#include "support/RunTool.h"

#include <gtest/gtest.h>

namespace {

TEST(WavConvertTool, PrintsTheWrittenFormatAndSampleCount) {
    TempDir dir;
    std::vector<std::uint8_t> alaw(8000, 0xD5);
    std::string in = dir.Write(
        "in.wav", fixtures::WaveFile({{"fmt ", fixtures::FormatRecord(6, 2, 8000, 16000, 2, 8)},
                                      {"fact", fixtures::Le32(4000)},
                                      {"data", alaw}}));
    ToolResult r = RunTool("wavconvert '" + in + "' '" + dir.Path("out.wav") + "'", dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"ok\":true,\"format\":{\"formatTag\":1,\"channels\":2,\"samplesPerSec\":8000,"
              "\"avgBytesPerSec\":32000,\"blockAlign\":4,\"bitsPerSample\":16},"
              "\"sampleCount\":4000}\n");
    auto data = fixtures::FindChunk(TempDir::Read(dir.Path("out.wav")), "data");
    ASSERT_TRUE(data);
    EXPECT_EQ(fixtures::Samples16(data->body), std::vector<std::int16_t>(8000, 8));
}

TEST(WavConvertTool, ReportsAFailureOnOneLine) {
    TempDir dir;
    std::string in = dir.Write(
        "in.wav", fixtures::WaveFile({{"fmt ", fixtures::FormatRecord(6, 1, 8000, 8000, 1, 8)},
                                      {"data", std::vector<std::uint8_t>(10, 0)}}));
    ToolResult r = RunTool("wavconvert '" + in + "' '" + dir.Path("out.wav") + "'", dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "earlark-tool: cannot convert " + in +
                         ": the compressed source has no \"fact\" chunk\n");
    EXPECT_EQ(RunTool("wavconvert '" + in + "'", dir).status, 1);
}

} // namespace
