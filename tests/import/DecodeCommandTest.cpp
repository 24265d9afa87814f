// earlark-tool decode, run as the program it is.
#include "MpegTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

using namespace mpegtest;

namespace {

const std::string kTool = EARLARK_BINARY_DIR "/bin/earlark-tool";

// Runs a command; returns its exit status and what it printed (stdout and stderr).
int Capture(const std::string& command, std::string& output) {
    output.clear();
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(DecodeCommandTest, DecodesAndReportsAndFailsWithOneLine) {
    if (!std::filesystem::exists(kTool)) {
        GTEST_SKIP() << "earlark-tool not built at " << kTool;
    }
    const std::string dir = ScratchDir("tool");
    std::vector<std::uint8_t> stream{'j', 'u', 'n', 'k'};
    Append(stream, SilentFrame(HeaderWord(2, 3, 8, 0, 3)), 3);  // 64 kbit/s 22.05 kHz mono
    Append(stream, SilentFrame(HeaderWord(2, 3, 10, 0, 3)), 2); // 96 kbit/s
    WriteFile(dir + "/in.mp3", stream);

    std::string output;
    EXPECT_EQ(Capture(kTool + " decode " + dir + "/in.mp3 " + dir + "/out.wav", output), 0);
    EXPECT_EQ(ReadFile(dir + "/out.wav").size(), 44u + 5 * 1152);

    EXPECT_EQ(Capture(kTool + " decode --info " + dir + "/in.mp3", output), 0);
    EXPECT_EQ(output, "{\"framesDecoded\":5,\"framesSkipped\":0,\"junkBytes\":4,"
                      "\"infoFrame\":false,\"layer\":3,\"version\":\"2\",\"sampleRate\":22050,"
                      "\"channels\":1,\"bitrate\":{\"min\":64,\"max\":96}}\n");

    EXPECT_EQ(Capture(kTool + " decode " + dir + "/missing.mp3 " + dir + "/x.wav", output), 1);
    EXPECT_EQ(output.rfind("earlark-tool: ", 0), 0u);
    EXPECT_EQ(output.find('\n'), output.size() - 1);
    EXPECT_FALSE(std::filesystem::exists(dir + "/x.wav"));
    EXPECT_EQ(Capture(kTool + " decode only-one-argument", output), 1);
}
