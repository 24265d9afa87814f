// earlark-tool study: dump, resave and new, run as a separate program.
#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

TEST(StudyTool, DumpShowsAVersion399FileAsStored) {
    TempDir dir;
    Bytes b;
    b.U32(399).I32(103).Narrow("C:\\a\\caf\xE9.wav");
    b.I32(1).I32(65535).I32(0).I32(99).I32(200).U32(0x80000001u);
    b.U8(0).Wide(u"Tahoma").I32(-12).U32(1);
    for (int i = 0; i < 6; ++i) {
        b.U32(0xFFFFFFFFu);
    }
    b.U16(1).U16(0xFFFF).U16(1).U16(19).Raw("CEarlarkWaveSection");
    b.U32(0xFFFFFFF0u).U32(0xFFFFFFFFu).U32(9).Wide(u"a\"b\\c\r").Wide(u"\u00e9").Wide(u"");
    b.U32(1).U32(2).I32(-3).I32(4).U32(5).U32(6);
    std::string path = dir.Write("old.ekd", b.Data());

    ToolResult r = RunTool("study dump " + Quote(path), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"version\":399,\"viewKind\":103,\"audioPath\":\"C:\\\\a\\\\caf\xC3\xA9.wav\","
              "\"curSentence\":1,\"volume\":65535,\"repeat\":0,\"interval\":99,\"speed\":200,"
              "\"displayFlags\":2147483649,\"charSet\":0,\"fontFace\":\"Tahoma\","
              "\"fontHeight\":-12,\"fontStyle\":1,\"colors\":[4294967295,10310700,4294967295,"
              "10310700,4294967295,10310700],\"sentences\":[{\"start\":4294967280,"
              "\"end\":4294967295,\"flags\":9,\"listenWrite\":\"a\\\"b\\\\c\\r\","
              "\"original\":\"\xC3\xA9\",\"spare1\":\"\",\"spare2\":\"\",\"clipStart\":1,"
              "\"clipEnd\":2,\"spare\":[-3,4],\"playCount\":5,\"hintLevel\":6}]}\n");
}

TEST(StudyTool, ResaveWritesVersion420) {
    TempDir dir;
    Bytes b;
    b.U32(355).I32(103).Narrow("x.wav").I32(0).I32(128).I32(3).I32(3).I32(70).U32(0);
    b.U8(0).Wide(u"Arial").I32(-16).U32(0);
    for (int i = 0; i < 6; ++i) {
        b.U32(1);
    }
    b.U16(0);
    std::string in = dir.Write("in.ekd", b.Data());
    std::string out = dir.Path("out.ekd");
    ToolResult r = RunTool("study resave " + Quote(in) + " " + Quote(out), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::uint8_t> saved = TempDir::Read(out);
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved[0], 0xA4);
    EXPECT_EQ(saved[1], 0x01);
    ToolResult dump = RunTool("study dump " + Quote(out), dir);
    EXPECT_NE(dump.out.find("\"speed\":100"), std::string::npos) << dump.out;
}

TEST(StudyTool, NewFromSentenceTable) {
    TempDir dir;
    std::string tsv = dir.Write("s.tsv", Bytes()
                                             .Raw("0\t99\tFirst line\\rsecond\n100\t199\t"
                                                  "caf\xC3\xA9\tcafe\n")
                                             .Data());
    std::string out = dir.Path("new.ekd");
    ToolResult r = RunTool("study new " + Quote(out) +
                               " --audio /a/b.wav --data-size 200 --sentences " + Quote(tsv),
                           dir);
    ASSERT_EQ(r.status, 0) << r.err;
    ToolResult dump = RunTool("study dump " + Quote(out), dir);
    EXPECT_NE(dump.out.find("\"audioPath\":\"/a/b.wav\""), std::string::npos);
    EXPECT_NE(dump.out.find("\"original\":\"First line\\rsecond\""), std::string::npos);
    EXPECT_NE(dump.out.find("\"start\":100,\"end\":199,\"flags\":0"), std::string::npos);
    EXPECT_NE(dump.out.find("\"listenWrite\":\"cafe\",\"original\":\"caf\u00e9\""),
              std::string::npos)
        << dump.out;

    ToolResult whole =
        RunTool("study new " + Quote(out) + " --data-size 1000000 --volume 40000", dir);
    ASSERT_EQ(whole.status, 0) << whole.err;
    ToolResult wholeDump = RunTool("study dump " + Quote(out), dir);
    EXPECT_NE(wholeDump.out.find("\"start\":0,\"end\":999999,\"flags\":8"), std::string::npos);
    EXPECT_NE(wholeDump.out.find("\"volume\":40000"), std::string::npos);
    EXPECT_EQ(RunTool("study new " + Quote(out) + " --volume 70000", dir).status, 1);
}

TEST(StudyTool, FailuresExitWithOneLineNamingTheFile) {
    TempDir dir;
    std::string bad = dir.Write("bad.ekd", {0xA4, 0x01, 0x00, 0x00, 0x67, 0x00});
    ToolResult r = RunTool("study dump " + Quote(bad), dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find(bad + " File failure"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("The version do not match or the file is damaged."), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);

    ToolResult missingDir = RunTool("study new " + Quote(dir.Path("no/dir/x.ekd")), dir);
    EXPECT_EQ(missingDir.status, 1);
    EXPECT_NE(missingDir.err.find("File failure"), std::string::npos);
}

} // namespace
