// earlark-tool convert: the import's decision and conversion on files made by other tools.
#include "support/RunTool.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

bool Have(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(ConvertTool, EachKindOfSourceBecomesAPcmWaveFile) {
    if (!Have("sox") || !Have("lame")) {
        GTEST_SKIP() << "sox or lame is not installed (scripts/test installs them)";
    }
    TempDir dir;
    const std::string pcm = dir.Path("tone.wav");
    ASSERT_TRUE(Shell("sox -n -r 22050 -c 1 -b 16 " + Quote(pcm) + " synth 1 sine 300"));
    ASSERT_TRUE(Shell("sox " + Quote(pcm) + " -e u-law " + Quote(dir.Path("ulaw.wav"))));
    ASSERT_TRUE(Shell("lame --quiet " + Quote(pcm) + " " + Quote(dir.Path("tone.mp3"))));
    struct Case {
        std::string file;
        std::string kind;
    };
    for (const Case& c :
         {Case{"tone.wav", "pcm"}, Case{"ulaw.wav", "wave-codec"}, Case{"tone.mp3", "mpeg"}}) {
        const std::string out = dir.Path("out-" + c.file + ".wav");
        ToolResult r = RunTool("convert " + Quote(dir.Path(c.file)) + " " + Quote(out), dir);
        ASSERT_EQ(r.status, 0) << c.file << ": " << r.err;
        EXPECT_NE(r.out.find("{\"result\":1,\"kind\":\"" + c.kind + "\""), std::string::npos)
            << r.out;
        EXPECT_NE(r.out.find("\"formatTag\":1,\"channels\":1,\"samplesPerSec\":22050"),
                  std::string::npos)
            << r.out;
        ToolResult probe = RunTool("wav probe " + Quote(out), dir);
        EXPECT_NE(probe.out.find("\"result\":0"), std::string::npos) << c.file;
    }
    EXPECT_EQ(TempDir::Read(pcm), TempDir::Read(dir.Path("out-tone.wav.wav")))
        << "a PCM file is copied unchanged";
}

TEST(ConvertTool, OtherAudioAndVideoFilesAreDecodedThroughFfmpeg) {
    if (!Have("ffmpeg")) {
        GTEST_SKIP() << "ffmpeg is not installed (scripts/test installs it)";
    }
    TempDir dir;
    const std::string m4a = dir.Path("talk.m4a");
    ASSERT_TRUE(Shell("ffmpeg -nostdin -y -f lavfi -i sine=frequency=300:duration=1 -ar 22050 " +
                      Quote(m4a)));
    ToolResult r = RunTool("convert " + Quote(m4a) + " " + Quote(dir.Path("o.wav")), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("{\"result\":1,\"kind\":\"media\",\"format\":{\"formatTag\":1,"
                         "\"channels\":1,\"samplesPerSec\":22050"),
              std::string::npos)
        << r.out;

    const std::string broken = dir.Write("broken.ogg", std::vector<std::uint8_t>(3000, 0x4f));
    ToolResult junk = RunTool("convert " + Quote(broken) + " " + Quote(dir.Path("o.wav")), dir);
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(std::count(junk.err.begin(), junk.err.end(), '\n'), 1) << junk.err;
    EXPECT_NE(junk.err.find("(media)"), std::string::npos) << junk.err;
}

TEST(ConvertTool, FilesItCannotUseFailWithOneLine) {
    TempDir dir;
    const std::string text = dir.Write("notes.txt", {'h', 'i'});
    ToolResult unknown = RunTool("convert " + Quote(text) + " " + Quote(dir.Path("o.wav")), dir);
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.out.empty());
    EXPECT_EQ(std::count(unknown.err.begin(), unknown.err.end(), '\n'), 1);

    ToolResult missing =
        RunTool("convert " + Quote(dir.Path("gone.mp3")) + " " + Quote(dir.Path("o.wav")), dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("gone.mp3"), std::string::npos);

    const std::string broken = dir.Write("broken.mp3", std::vector<std::uint8_t>(3000, 0x11));
    ToolResult junk = RunTool("convert " + Quote(broken) + " " + Quote(dir.Path("o.wav")), dir);
    EXPECT_EQ(junk.status, 1) << "no frame decoded: nothing the player can open";
}

} // namespace
