// earlark-tool partition and script, and the same commands run in a session: the exact
// output contract, the failures, and what reaches the study.
#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sstream>

namespace {

// An 8-bit mono 4 kHz file drawn window by window: 'L' a quarter second of a loud square
// wave, '.' a quarter second of silence.
std::vector<std::uint8_t> DrawnWave(const std::string& pattern) {
    std::vector<std::uint8_t> data;
    for (char kind : pattern) {
        for (int i = 0; i < 1000; ++i) {
            data.push_back(kind == 'L' ? (i % 2 ? 120 : 136) : 128);
        }
    }
    const auto size = static_cast<std::uint32_t>(data.size());
    Bytes b;
    b.Raw("RIFF").U32(36 + size).Raw("WAVE").Raw("fmt ").U32(16);
    b.U16(1).U16(1).U32(4000).U32(4000).U16(1).U16(8);
    b.Raw("data").U32(size).Raw(data);
    return b.Data();
}

class PartitionScriptTool : public ::testing::Test {
protected:
    // A study of the drawn recording with sentences "start<TAB>end<TAB>original" lines.
    std::string MakeStudy(const std::string& tsv, const std::string& pattern = "LL..LL..") {
        const std::string wave = dir.Write("audio.wav", DrawnWave(pattern));
        const std::string sentences = dir.Path("sentences.tsv");
        std::ofstream(sentences) << tsv;
        const std::string study = dir.Path("study.ekd");
        const ToolResult made = RunTool("study new " + Quote(study) + " --audio " + Quote(wave) +
                                            (tsv.empty() ? "" : " --sentences " + Quote(sentences)),
                                        dir);
        EXPECT_EQ(made.status, 0) << made.err;
        return study;
    }

    QJsonArray Sentences(const std::string& study) {
        const ToolResult dump = RunTool("study dump " + Quote(study), dir);
        EXPECT_EQ(dump.status, 0) << dump.err;
        return QJsonDocument::fromJson(QByteArray::fromStdString(dump.out))["sentences"].toArray();
    }

    std::string Text(const std::string& path) {
        const std::vector<std::uint8_t> bytes = TempDir::Read(path);
        return {bytes.begin(), bytes.end()};
    }

    std::vector<QJsonObject> Session(const std::string& study, const std::string& script,
                                     const std::string& extra = {}) {
        const std::string path = dir.Write("script.txt", {script.begin(), script.end()});
        const ToolResult run =
            RunTool("session " + Quote(study) + extra + " < " + Quote(path), dir);
        EXPECT_EQ(run.status, 0) << run.err;
        std::vector<QJsonObject> lines;
        std::istringstream out(run.out);
        for (std::string line; std::getline(out, line);) {
            lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
        }
        return lines;
    }

    TempDir dir;
};

TEST_F(PartitionScriptTool, PartitionPrintsOneLinePerSentence) {
    const std::string wave = Quote(dir.Write("a.wav", DrawnWave("LL..LL..")));
    EXPECT_EQ(RunTool("partition " + wave + " --duration 1", dir).out, "0\t1750\n4000\t5750\n");
    // At the defaults the half-second pause does not end the sentence; the end of the data
    // does.
    EXPECT_EQ(RunTool("partition " + wave, dir).out, "0\t8000\n");
    const std::string quiet = Quote(dir.Write("q.wav", DrawnWave("....")));
    EXPECT_EQ(RunTool("partition " + quiet + " --level 30", dir).out, "0\t3999\n");
}

TEST_F(PartitionScriptTool, PartitionRefusesFilesItCannotOpen) {
    std::vector<std::uint8_t> truncated = DrawnWave("LL");
    truncated.resize(30);
    const std::string text = "not a wave file";
    for (const std::string& path : {dir.Path("missing.wav"), dir.Write("cut.wav", truncated),
                                    dir.Write("text.wav", {text.begin(), text.end()})}) {
        const ToolResult result = RunTool("partition " + Quote(path), dir);
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_TRUE(result.out.empty());
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_NE(result.err.find(path), std::string::npos);
    }
}

TEST_F(PartitionScriptTool, ExportWritesTheListInStudyOrder) {
    const std::string study = MakeStudy("0\t999\tone\\rtwo\n1000\t1999\tthree\n");
    const std::string out = dir.Path("out.txt");
    ASSERT_EQ(
        RunTool("script export " + Quote(study) + " " + Quote(out) + " --original", dir).status, 0);
    EXPECT_EQ(Text(out), "one\\rtwo//\r\nthree//\r\n");
    ASSERT_EQ(RunTool("script export " + Quote(study) + " " + Quote(out) + " --wkf", dir).status,
              0);
    EXPECT_EQ(Text(out), "\n0\n0\n999\n\n\n1\n1000\n1999\n\n");
    const std::string empty = MakeStudy("");
    ASSERT_EQ(RunTool("script export " + Quote(empty) + " " + Quote(out) + " --date", dir).status,
              0);
    EXPECT_EQ(Text(out).rfind("* Written at ", 0), 0u);
    EXPECT_EQ(Text(out).size(), 32u);
}

TEST_F(PartitionScriptTool, ExportStopsAtTheListLimit) {
    std::ostringstream tsv;
    for (int i = 0; i < 2001; ++i) {
        tsv << i << '\t' << i << "\tt\n";
    }
    const std::string study = MakeStudy(tsv.str());
    const std::string out = dir.Path("out.txt");
    const ToolResult result =
        RunTool("script export " + Quote(study) + " " + Quote(out) + " --original", dir);
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.err.find("up to 2,000 Sentences"), std::string::npos);
    const std::string text = Text(out);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2000);
}

TEST_F(PartitionScriptTool, ImportChangesOnlyTheChosenTexts) {
    const std::string study = MakeStudy("0\t999\told one\n1000\t1999\told two\n");
    const std::string script = dir.Write("in.txt", Bytes().Raw("new\\rone//\n\nrest").Data());
    const std::string out = dir.Path("out.ekd");
    ASSERT_EQ(RunTool("script import " + Quote(study) + " " + Quote(script) + " " + Quote(out) +
                          " --original",
                      dir)
                  .status,
              0);
    QJsonArray before = Sentences(study);
    const QJsonArray after = Sentences(out);
    QJsonObject first = before[0].toObject();
    first["original"] = "new\rone";
    before[0] = first;
    EXPECT_EQ(after, before);
}

TEST_F(PartitionScriptTool, ScriptFailuresNameTheFile) {
    const std::string study = MakeStudy("0\t999\tx\n");
    const ToolResult missing =
        RunTool("script import " + Quote(study) + " " + Quote(dir.Path("none.txt")) + " " +
                    Quote(dir.Path("o.ekd")),
                dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.txt: Cannot import/export a text file."), std::string::npos);
    const ToolResult unwritable =
        RunTool("script export " + Quote(study) + " " + Quote(dir.Path("no/dir/o.txt")), dir);
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("Cannot import/export a text file."), std::string::npos);
    const ToolResult badStudy =
        RunTool("script export " + Quote(dir.Path("none.ekd")) + " " + Quote(dir.Path("o")), dir);
    EXPECT_EQ(badStudy.status, 1);
    EXPECT_NE(badStudy.err.find("none.ekd"), std::string::npos);
}

// OK after Partition replaces the sentences; Cancel keeps them and the stored factors.
TEST_F(PartitionScriptTool, SessionAutoPartitionOkAndCancel) {
    const std::string study = MakeStudy("0\t7999\tkept\n");
    const std::string saved = dir.Path("saved.ekd");
    std::vector<QJsonObject> lines =
        Session(study, "partition 1 10\nanswer no\ncmd 32840\nstate\n", " --save " + Quote(saved));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.end()[-3]["partition"].toObject()["sentences"].toInt(), 2);
    EXPECT_EQ(lines.back()["sentences"].toArray().size(), 1);
    EXPECT_FALSE(lines.back()["modified"].toBool());

    lines = Session(study, "partition 1 10\nanswer yes\nkey Ctrl+F8\ncmd 32840\nstate\n",
                    " --save " + Quote(saved));
    const QJsonArray sentences = lines.back()["sentences"].toArray();
    ASSERT_EQ(sentences.size(), 2);
    EXPECT_EQ(sentences[1].toObject()["start"].toInt(), 4000);
    EXPECT_EQ(sentences[1].toObject()["end"].toInt(), 5750);
    EXPECT_EQ(sentences[0].toObject()["original"].toString(), "");
    EXPECT_EQ(lines.back()["row"].toInt(), 0);
    EXPECT_TRUE(lines.back()["modified"].toBool());
}

TEST_F(PartitionScriptTool, SessionOkWithoutPartitionKeepsTexts) {
    const std::string study = MakeStudy("0\t3999\tfirst\n4000\t7999\tsecond\n");
    const std::vector<QJsonObject> lines = Session(study, "type typed\ncmd 32840\nstate\n");
    const QJsonArray sentences = lines.back()["sentences"].toArray();
    ASSERT_EQ(sentences.size(), 2);
    EXPECT_EQ(sentences[0].toObject()["listenWrite"].toString(), "typed");
    EXPECT_EQ(sentences[1].toObject()["original"].toString(), "second");
}

TEST_F(PartitionScriptTool, SessionExportsAndImportsScripts) {
    const std::string study = MakeStudy("0\t3999\tfirst\n4000\t7999\tsecond\n");
    const std::string out = dir.Path("session.txt");
    Session(study, "type typed\nfile " + out + "\nkey Alt+F8\n");
    EXPECT_EQ(Text(out), "typed//\r\n//\r\n");
    const std::string in = dir.Write("in.txt", Bytes().Raw("A//\nB//\n").Data());
    const std::vector<QJsonObject> lines =
        Session(study, "type typed\nfile " + in + "\nkey Alt+F7\nstate\n");
    const QJsonArray sentences = lines.back()["sentences"].toArray();
    EXPECT_EQ(sentences[0].toObject()["listenWrite"].toString(), "A");
    EXPECT_EQ(sentences[1].toObject()["listenWrite"].toString(), "B");
    EXPECT_EQ(lines.back()["lw"].toString(), "A");
    EXPECT_TRUE(lines.back()["modified"].toBool());
}

} // namespace
