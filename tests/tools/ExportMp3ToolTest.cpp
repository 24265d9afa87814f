// earlark-tool export-mp3 on a small study: what the exported files hold, decoded by mpg123,
// their names, and the failures with their messages.
#include "audio/WaveFixtures.h"
#include "export/ExportMessages.h"
#include "export/Mp3Probe.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kRate = 22050;
constexpr std::uint32_t kSecond = kRate * 2; // bytes of 16-bit mono
constexpr double kDelay = 1105.0 / kRate;    // the encoder's delay at this rate

class ExportMp3Tool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveMpg123()) {
            GTEST_SKIP() << "mpg123 is not installed";
        }
        // Three seconds of tone; the sentences are 0.5 s, 0.7 s and 0.4 s of it.
        const std::string wave = dir.Write(
            "audio.wav", fixtures::PcmWave(fixtures::Pcm(1, kRate, 16),
                                           fixtures::Sine16(kRate * 3, 440, kRate, 16000)));
        const std::string tsv = dir.Path("sentences.tsv");
        std::ofstream(tsv) << "0\t22050\tone\tHello?\n"
                           << "44100\t74970\ttwo\t\n"
                           << "88200\t105840\tthree\ta/b\n";
        study = dir.Path("study.ekd");
        const ToolResult made = RunTool("study new " + Quote(study) + " --audio " + Quote(wave) +
                                            " --sentences " + Quote(tsv),
                                        dir);
        ASSERT_EQ(made.status, 0) << made.err;
        fs::create_directory(dir.Path("out"));
    }

    ToolResult Export(const std::string& target, const std::string& options) {
        return RunTool("export-mp3 " + Quote(study) + " " + Quote(dir.Path(target)) + " " + options,
                       dir);
    }

    static QJsonObject Json(const ToolResult& result) {
        return QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object();
    }

    std::vector<std::string> Files(const QJsonObject& json) {
        std::vector<std::string> files;
        for (const QJsonValue& file : json["files"].toArray()) {
            files.push_back(
                fs::path(file.toString().toStdString()).lexically_relative(dir.Folder()));
        }
        return files;
    }

    // The decoded file holds the PCM handed to the encoder plus its delay and padding.
    static void ExpectLength(const Decoded& decoded, double pcmBytes) {
        ASSERT_TRUE(decoded.ok);
        const double extra = decoded.Frames() - pcmBytes / 2;
        EXPECT_GE(extra, 1105);
        EXPECT_LE(extra, 1105 + 2 * 576);
    }

    TempDir dir;
    std::string study;
};

TEST_F(ExportMp3Tool, PatternsRepeatEachSentenceInStepOrder) {
    struct Case {
        int pattern;
        std::vector<double> edges; // sound/silence changes after the encoder's delay
    };
    // Sentence 1 (0.5 s) then sentence 2 (0.7 s), each at 100 %, 80 % and 100 %; the
    // listen-and-speak pattern pauses as long as the sentence after the slow passes.
    const std::vector<Case> cases = {
        {0, {0.5, 0.7, 1.325, 1.825, 2.325, 2.825, 3.525, 3.725, 4.6, 5.3, 6.0}},
        {2, {0.5, 0.7, 1.325, 1.525, 2.025, 2.225, 2.925, 3.125, 4.0, 4.2, 4.9}},
    };
    for (const Case& c : cases) {
        const std::string name = "p" + std::to_string(c.pattern) + ".mp3";
        const ToolResult run =
            Export(name, "--range 1-2 --format 4 --pattern " + std::to_string(c.pattern));
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject json = Json(run);
        EXPECT_EQ(json["result"].toString(), "ok");
        EXPECT_EQ(json["items"].toInt(), 6);
        EXPECT_EQ(json["sourceBytes"].toInt(), 3 * (22050 + 30870));
        EXPECT_EQ(Files(json), std::vector<std::string>{name});
        const Decoded decoded = DecodeMp3(dir.Path(name));
        ExpectLength(decoded, json["renderedBytes"].toDouble());
        const std::vector<double> edges = Edges(decoded);
        ASSERT_EQ(edges.size(), c.edges.size()) << c.pattern;
        for (std::size_t i = 0; i < edges.size(); ++i) {
            EXPECT_NEAR(edges[i] - kDelay, c.edges[i], 0.03) << c.pattern << " " << i;
        }
    }
}

TEST_F(ExportMp3Tool, CurrentSettingsRepeatWithTheStudysInterval) {
    // A new study: 3 repetitions at 100 % with an interval of 3, which is 0.3 s, or with
    // listen-and-speak on (button 1031, saved by a session) 3 / 2 of the sentence, whole
    // frames of silence.
    const std::string line = "cmd 1031\n";
    const std::string script = dir.Write("script.txt", {line.begin(), line.end()});
    const std::string speaking = dir.Path("speaking.ekd");
    const ToolResult session = RunTool(
        "session " + Quote(study) + " --save " + Quote(speaking) + " < " + Quote(script), dir);
    ASSERT_EQ(session.status, 0) << session.err;
    const std::vector<int> lengths = {22050, 30870, 17640};
    for (const bool proportional : {false, true}) {
        study = proportional ? speaking : study;
        const ToolResult run = Export("all.mp3", "");
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject json = Json(run);
        EXPECT_EQ(json["items"].toInt(), 3);
        int sound = 0;
        int pauses = 0;
        for (int length : lengths) {
            sound += 3 * length;
            pauses += 3 * (proportional ? (length * 3 + 1) / 2 / 2 * 2 : kSecond * 3 / 10);
        }
        EXPECT_EQ(json["sourceBytes"].toInt(), sound);
        EXPECT_EQ(json["renderedBytes"].toInt(), sound + pauses) << proportional;
        ExpectLength(DecodeMp3(dir.Path("all.mp3")), json["renderedBytes"].toDouble());
    }
}

TEST_F(ExportMp3Tool, EachSentenceNamesFilesByTextOrPosition) {
    struct Case {
        std::string options;
        std::vector<std::string> files;
    };
    const std::vector<Case> cases = {
        {"", {"out/Hello？.mp3", "out/002.mp3", "out/a／b.mp3"}},
        {"--range 2-3 --format 0", {"out/002.mp3", "out/a／b.mp3"}},
    };
    const std::vector<double> lengths = {22050, 30870, 17640};
    for (const Case& c : cases) {
        const ToolResult run = Export("out", "--each-sentence " + c.options);
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject json = Json(run);
        EXPECT_EQ(json["items"].toInt(), static_cast<int>(c.files.size()));
        ASSERT_EQ(Files(json), c.files) << c.options;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const std::size_t sentence = i + 3 - c.files.size();
            ExpectLength(DecodeMp3(dir.Path(c.files[i])), lengths[sentence]);
        }
    }
}

TEST_F(ExportMp3Tool, ANameThatCannotBeMadeAsksForTheNumber) {
    // A folder in the way of the third sentence's file.
    fs::create_directories(dir.Path("blocked/a／b.mp3"));
    const ToolResult no = Export("blocked", "--each-sentence --answer no");
    EXPECT_EQ(no.status, 1);
    EXPECT_FALSE(no.err.empty());
    EXPECT_FALSE(fs::exists(dir.Path("blocked/Hello？.mp3")));
    EXPECT_FALSE(fs::exists(dir.Path("blocked/002.mp3")));
    const ToolResult yes = Export("blocked", "--each-sentence --answer yes");
    ASSERT_EQ(yes.status, 0) << yes.err;
    EXPECT_EQ(Files(Json(yes)).back(), "blocked/003.mp3");
}

TEST_F(ExportMp3Tool, CurrentExportsOneRowAtTheChosenBitRate) {
    struct Case {
        std::string options;
        int bitRate;
    };
    for (const Case& c :
         {Case{"--current 1", 48}, Case{"--current 1 --format 0", 8},
          Case{"--current 1 --format 12", 48}, Case{"--format 4 --current 1", 64}}) {
        const ToolResult run = Export("cur.mp3", c.options);
        ASSERT_EQ(run.status, 0) << run.err;
        const QJsonObject json = Json(run);
        EXPECT_EQ(json["items"].toInt(), 1);
        EXPECT_EQ(json["sourceBytes"].toInt(), 30870);
        EXPECT_EQ(json["renderedBytes"].toInt(), 30870);
        EXPECT_EQ(FirstFrame(TempDir::Read(dir.Path("cur.mp3"))).bitRate, c.bitRate) << c.options;
        ExpectLength(DecodeMp3(dir.Path("cur.mp3")), 30870);
    }
}

TEST_F(ExportMp3Tool, FailuresShowTheMessageAndLeaveNoFile) {
    struct Case {
        std::string target;
        std::string options;
        std::string message; // empty: any one-line tool error
    };
    const std::string invalid = exportmsg::kInvalidOptions;
    const std::string cannotCreate = exportmsg::kCannotCreate;
    const std::vector<Case> cases = {
        {"x.mp3", "--range 3-2", invalid},
        {"x.mp3", "--range 0-1", invalid},
        {"x.mp3", "--range 1-4", invalid},
        {"x.mp3", "--pattern 4", invalid},
        {"out", "--each-sentence --range 3-2", invalid},
        {"missing/x.mp3", "", cannotCreate},
        {"missing", "--each-sentence", cannotCreate},
        {"out", "--current 1", exportmsg::kUnicodeName},
        {"x.mp3", "--current 3", ""},
        {"x.mp3", "--current -1", ""},
        {"x.mp3", "--current 1 --pattern 0", ""},
        {"x.mp3", "--range 1", ""},
    };
    for (const Case& c : cases) {
        const ToolResult run = Export(c.target, c.options);
        EXPECT_EQ(run.status, 1) << c.options;
        EXPECT_TRUE(run.out.empty()) << c.options;
        if (c.message.empty()) {
            EXPECT_EQ(run.err.rfind("earlark-tool: ", 0), 0u) << c.options << run.err;
        } else {
            EXPECT_EQ(run.err, c.message + "\n") << c.options;
        }
        EXPECT_FALSE(fs::exists(dir.Path("x.mp3"))) << c.options;
        EXPECT_FALSE(fs::exists(dir.Path("missing"))) << c.options;
        EXPECT_TRUE(fs::is_empty(dir.Path("out"))) << c.options;
    }
}

} // namespace
