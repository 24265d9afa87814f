// The view's subtitle commands run in a headless session: import after the question,
// nothing changed on No or on a bad file, and export of the listed sentences.
#include "support/RunTool.h"

#include <gtest/gtest.h>

namespace {

class SubtitleSession : public ::testing::Test {
protected:
    // Three sentences over three seconds of 8 kHz 16-bit mono silence (16,000 bytes/s).
    SubtitleSession() {
        std::vector<std::uint8_t> wave(44 + 48000, 0);
        const std::string header = std::string("RIFF") + Le32(36 + 48000) + "WAVEfmt " + Le32(16) +
                                   std::string("\x01\x00\x01\x00", 4) + Le32(8000) + Le32(16000) +
                                   std::string("\x02\x00\x10\x00", 4) + "data" + Le32(48000);
        std::copy(header.begin(), header.end(), wave.begin());
        const std::string audio = m_dir.Write("a.wav", wave);
        m_dir.Write("s.tsv",
                    Text("0\t15999\tone\tuno\n16000\t31999\ttwo\tdos\n32000\t47999\tthree\n"));
        RunTool("study new " + Quote(Study()) + " --audio " + Quote(audio) + " --sentences " +
                    Quote(m_dir.Path("s.tsv")),
                m_dir);
    }
    static std::string Le32(std::uint32_t v) {
        return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    }
    static std::vector<std::uint8_t> Text(const std::string& text) {
        return {text.begin(), text.end()};
    }
    std::string Study() const { return m_dir.Path("s.ekd"); }

    // Runs the script on the study and returns the saved study's dump.
    std::string Session(const std::string& script, ToolResult* run = nullptr) {
        const std::string path = m_dir.Write("script.txt", Text(script));
        const std::string saved = m_dir.Path("saved.ekd");
        ToolResult r = RunTool(
            "session " + Quote(Study()) + " --save " + Quote(saved) + " < " + Quote(path), m_dir);
        EXPECT_EQ(r.status, 0) << r.err;
        if (run != nullptr) {
            *run = r;
        }
        return RunTool("study dump " + Quote(saved), m_dir).out;
    }
    TempDir m_dir;
};

TEST_F(SubtitleSession, ImportReplacesTheSentencesAfterYes) {
    const std::string vtt =
        m_dir.Write("in.vtt", Text("WEBVTT\n\n00:00.500 --> 00:01.250\n<v Ann>Hello\nyou\n"));
    ToolResult run;
    const std::string yes = Session("file " + vtt + "\nanswer yes\ncmd 33170\n", &run);
    EXPECT_NE(run.out.find("The 1 subtitles replace all 3 sentences of this study."),
              std::string::npos)
        << run.out;
    EXPECT_NE(yes.find("\"sentences\":[{\"start\":8000,\"end\":20000,\"flags\":0,"
                       "\"listenWrite\":\"\",\"original\":\"Hello\\ryou\","),
              std::string::npos)
        << yes;
    EXPECT_EQ(yes.find("\"start\"", yes.find("\"start\"") + 1), std::string::npos) << yes;

    const std::string no = Session("file " + vtt + "\nanswer no\ncmd 33170\n");
    EXPECT_NE(no.find("\"original\":\"three\""), std::string::npos) << no;

    const std::string bad = m_dir.Write("bad.srt", Text("1\n00:00:02,000 --> 00:00:01,000\nx\n"));
    const std::string kept = Session("file " + bad + "\ncmd 33170\n", &run);
    EXPECT_NE(run.out.find("line 2: the cue ends before it starts"), std::string::npos) << run.out;
    EXPECT_NE(kept.find("\"original\":\"three\""), std::string::npos);
}

TEST_F(SubtitleSession, ExportWritesTheListedTranscriptions) {
    const std::string out = m_dir.Path("out.lrc");
    Session("file " + out + "\ncmd 33171\n");
    EXPECT_EQ(TempDir::Read(out), Text("[00:00.00]uno\n[00:01.00]dos\n"));
}

} // namespace
