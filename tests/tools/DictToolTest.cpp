// earlark-tool dict: a dictionary built from a small dictd file, looked up and stepped
// through as separate program runs.
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

class DictTool : public testing::Test {
protected:
    void SetUp() override {
        // Offsets and lengths in dictd's base-64 digits: "box" at 0 (9 bytes), "Box" at 9
        // (7), "boxer" at 16 (11), "run" at 27 (10).
        std::ofstream(dir.Path("d.dict")) << "box\nKiste"
                                             "box\nBox"
                                             "boxer\nBoxer"
                                             "run\nlaufen";
        std::ofstream(dir.Path("d.index")) << "box\tA\tJ\nBox\tJ\tH\nboxer\tQ\tL\nrun\tb\tK\n";
        ToolResult r =
            RunTool("dict build " + Quote(index) + " --dictd " + Quote(dir.Path("d")), dir);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.out, "{\"entries\":4,\"index\":\"" + index + "\",\"data\":\"" +
                             dir.Path("lex.dat") + "\"}\n");
    }

    TempDir dir;
    std::string index = dir.Path("lex.idx");
};

std::string Entry(const char* headword, const char* meaning, int position) {
    return std::string("{\"found\":true,\"headword\":\"") + headword +
           "\",\"pos\":0,\"posText\":\"\",\"meaning\":\"" + meaning +
           "\",\"position\":" + std::to_string(position) + "}\n";
}

TEST_F(DictTool, LooksUpAndStepsAsThePopupDoes) {
    const std::string notFound = "{\"found\":false,\"headword\":\"\",\"pos\":0,\"posText\":\"\","
                                 "\"meaning\":\"\",\"position\":0}\n";
    const std::pair<std::string, std::string> runs[] = {
        {"lookup " + Quote(index) + " Boxes,", Entry("boxer", "boxer\\nBoxer", 38)},
        {"lookup " + Quote(index) + " boxe --exact", notFound},
        {"lookup " + Quote(index) + " zzz", notFound},
        {"step " + Quote(index) + " box --next 5",
         Entry("Box", "box\\nBox", 20) + Entry("boxer", "boxer\\nBoxer", 38) +
             Entry("run", "run\\nlaufen", 62) + "{\"end\":true}\n"},
        {"step " + Quote(index) + " run --prev", Entry("boxer", "boxer\\nBoxer", 38)},
    };
    for (const auto& [arguments, expected] : runs) {
        ToolResult r = RunTool("dict " + arguments, dir);
        EXPECT_EQ(r.status, 0) << arguments << r.err;
        EXPECT_EQ(r.out, expected) << arguments;
    }
}

TEST_F(DictTool, RefusesWhatItCannotOpen) {
    for (const std::string& arguments :
         {"lookup " + Quote(dir.Path("none.idx")) + " box",
          "lookup " + Quote(dir.Path("lex")) + " a", "step " + Quote(index) + " box --up",
          "build " + Quote(dir.Path("x")) + " --dictd d"}) {
        ToolResult r = RunTool("dict " + arguments, dir);
        EXPECT_EQ(r.status, 1) << arguments;
        EXPECT_EQ(r.out, "") << arguments;
        EXPECT_NE(r.err.find("earlark-tool: "), std::string::npos) << arguments;
    }
}

} // namespace
