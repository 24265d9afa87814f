// earlark-tool subtitles import|export on studies made with `study new`.
#include "audio/WaveFileWriter.h"
#include "support/RunTool.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class SubtitlesTool : public ::testing::Test {
protected:
    // A study of ten seconds of 8 kHz 16-bit mono silence: 16,000 bytes per second.
    SubtitlesTool() {
        WaveFormat format{WaveFormat::kPcm, 1, 8000, 16000, 2, 16};
        const std::vector<std::uint8_t> samples(160000, 0);
        WaveFileWriter::Write(m_dir.Path("a.wav"), format, samples);
        m_dir.Write("s.tsv", Text("0\t15999\tone\tuno\n16000\t31999\t\tdos\n"));
        RunTool("study new " + Quote(Study()) + " --audio " + Quote(m_dir.Path("a.wav")) +
                    " --sentences " + Quote(m_dir.Path("s.tsv")),
                m_dir);
    }
    static std::vector<std::uint8_t> Text(const std::string& text) {
        return {text.begin(), text.end()};
    }
    std::string Study() const { return m_dir.Path("s.ekd"); }
    std::string Dump(const std::string& study) {
        return RunTool("study dump " + Quote(study), m_dir).out;
    }
    size_t Count(const std::string& text, const std::string& part) {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
            ++n;
        }
        return n;
    }
    TempDir m_dir;
};

TEST_F(SubtitlesTool, ImportReplacesTheSentences) {
    const std::string srt =
        m_dir.Write("in.srt", Text("1\n00:00:01,000 --> 00:00:02,500\n<i>Hi</i>\nthere\n\n"
                                   "2\n00:00:02,000 --> 00:00:30,000\nlong\n"));
    const std::string out = m_dir.Path("out.ekd");
    ToolResult r =
        RunTool("subtitles import " + Quote(Study()) + " " + Quote(srt) + " " + Quote(out), m_dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const std::string dump = Dump(out);
    EXPECT_EQ(Count(dump, "\"start\""), 2u) << dump;
    EXPECT_NE(dump.find("\"start\":16000,\"end\":32000,\"flags\":0,\"listenWrite\":\"\","
                        "\"original\":\"Hi\\rthere\""),
              std::string::npos)
        << dump;
    EXPECT_NE(dump.find("\"start\":32000,\"end\":159999"), std::string::npos) << dump;

    ToolResult t = RunTool("subtitles import " + Quote(Study()) + " " + Quote(srt) + " " +
                               Quote(out) + " --transcription",
                           m_dir);
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_NE(Dump(out).find("\"listenWrite\":\"long\",\"original\":\"\""), std::string::npos);
}

TEST_F(SubtitlesTool, MoreThan2000CuesKeepTheFirstAndSaySo) {
    std::string lrc;
    for (int i = 0; i < 2100; ++i) {
        lrc += "[00:0" + std::to_string(i / 1000) + "." + std::to_string(100 + i % 1000).substr(1) +
               "]x\n";
    }
    const std::string in = m_dir.Write("many.lrc", Text(lrc));
    ToolResult r = RunTool("subtitles import " + Quote(Study()) + " " + Quote(in) + " " +
                               Quote(m_dir.Path("out.ekd")),
                           m_dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Each Study file can have up to 2,000 Sentences.\n");
    EXPECT_EQ(Count(Dump(m_dir.Path("out.ekd")), "\"start\""), 2000u);
}

TEST_F(SubtitlesTool, BadInputChangesNothing) {
    const std::string out = m_dir.Path("out.ekd");
    const std::string bad =
        m_dir.Write("bad.vtt", Text("WEBVTT\n\n00:01.000 --> 00:02.000\nok\n\n00:05.000 --> 4\n"));
    const std::string late = m_dir.Write("late.srt", Text("1\n00:01:00,000 --> 00:01:01,000\nx\n"));
    for (const auto& [in, message] :
         {std::pair{bad, "bad.vtt: line 6: cannot read the cue times"},
          std::pair{late, "late.srt: no cue starts within the recording"}}) {
        ToolResult r = RunTool(
            "subtitles import " + Quote(Study()) + " " + Quote(in) + " " + Quote(out), m_dir);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(RunTool("subtitles export " + Quote(Study()) + " " + Quote(out), m_dir).status, 1)
        << "a format is required";
}

TEST_F(SubtitlesTool, ExportWritesTheChosenTexts) {
    const std::string out = m_dir.Path("out.srt");
    ASSERT_EQ(
        RunTool("subtitles export " + Quote(Study()) + " " + Quote(out) + " --srt", m_dir).status,
        0);
    EXPECT_EQ(TempDir::Read(out), Text("1\r\n00:00:00,000 --> 00:00:01,000\r\nuno\r\n\r\n"
                                       "2\r\n00:00:01,000 --> 00:00:02,000\r\ndos\r\n\r\n"));
    ASSERT_EQ(RunTool("subtitles export " + Quote(Study()) + " " + Quote(out) + " --lrc --original",
                      m_dir)
                  .status,
              0);
    EXPECT_EQ(TempDir::Read(out), Text("[00:00.00]one\n")) << "an empty text is left out";
}

TEST_F(SubtitlesTool, AudioThatNeedsConvertingGivesTheConvertedByteRate) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ffmpeg is not installed (scripts/test installs it)";
    }
    const std::string flac = m_dir.Path("talk.flac");
    ASSERT_EQ(std::system(("ffmpeg -nostdin -loglevel error -f lavfi -i "
                           "sine=sample_rate=22050:duration=3 " +
                           Quote(flac))
                              .c_str()),
              0);
    const std::string study = m_dir.Path("flac.ekd");
    RunTool("study new " + Quote(study) + " --audio " + Quote(flac), m_dir);
    const std::string in = m_dir.Write("in.lrc", Text("[00:01.00]a\n"));
    ToolResult r = RunTool("subtitles import " + Quote(study) + " " + Quote(in) + " " +
                               Quote(m_dir.Path("out.ekd")),
                           m_dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Dump(m_dir.Path("out.ekd")).find("\"start\":44100,\"end\":132299"),
              std::string::npos);
}

} // namespace
