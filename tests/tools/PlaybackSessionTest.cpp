// Playing sentences through earlark-tool session: the exact ranges asked of the engine, and
// the state they leave, for scripted F5, repetitions, auto-play, pauses, speeds and seeks.
#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace {

// 8 kHz 16-bit mono: 16,000 bytes a second, output buffers of 2,000 bytes, the default
// interval of 3 tenths 4,800 bytes.
constexpr std::uint32_t kSecond = 16000;
constexpr std::uint32_t kDataSize = 14 * kSecond;
// Quiet gaps of 0.2 s inside the 10 s sentence, at its seconds 2, 4, 6 and 8.
constexpr std::uint32_t kLongStart = 56000;
constexpr std::uint32_t kGapSeconds[] = {2, 4, 6, 8};

// A 1 kHz tone with the quiet gaps.
std::vector<std::uint8_t> ToneWave() {
    Bytes b;
    b.Raw("RIFF").U32(36 + kDataSize).Raw("WAVE").Raw("fmt ").U32(16);
    b.U16(1).U16(1).U32(8000).U32(kSecond).U16(2).U16(16);
    b.Raw("data").U32(kDataSize);
    for (std::uint32_t i = 0; i < kDataSize / 2; ++i) {
        const std::uint32_t byte = 2 * i;
        bool quiet = false;
        for (std::uint32_t gap : kGapSeconds) {
            const std::uint32_t mark = kLongStart + gap * kSecond;
            quiet = quiet || (byte + kSecond / 10 >= mark && byte < mark + kSecond / 10);
        }
        const double value = quiet ? 0 : 8000 * std::sin(2 * 3.14159265358979 * 1000 * i / 8000.0);
        b.U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    return b.Data();
}

class PlaybackSession : public ::testing::Test {
protected:
    // Sentences 0.25 s, 0.25 s, 3 s and 10 s long.
    std::string MakeStudy(const std::string& extra = {}, bool empty = false) {
        const std::string wave = dir.Write("audio.wav", ToneWave());
        const std::string sentences = dir.Path("sentences.tsv");
        std::ofstream(sentences) << (empty ? ""
                                           : "0\t3999\ta\n4000\t7999\tb\n8000\t55999\tc\n"
                                             "56000\t215999\td\n");
        const std::string study = dir.Path("study" + std::to_string(++m_studies) + ".ekd");
        ToolResult made = RunTool("study new " + Quote(study) + " --audio " + Quote(wave) +
                                      " --sentences " + Quote(sentences) + extra,
                                  dir);
        EXPECT_EQ(made.status, 0) << made.err;
        return study;
    }

    std::vector<QJsonObject> Run(const std::string& study, const std::string& script) {
        const std::string path = dir.Write("script.txt", {script.begin(), script.end()});
        ToolResult result = RunTool("session " + Quote(study) + " < " + Quote(path), dir);
        EXPECT_EQ(result.status, 0) << result.err;
        std::vector<QJsonObject> lines;
        std::istringstream out(result.out);
        for (std::string line; std::getline(out, line);) {
            lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
        }
        return lines;
    }

    // The play requests and stops after the first state line, one word each:
    // "0-3999/4800@100", "stop".
    static std::string Trace(const std::vector<QJsonObject>& lines) {
        std::string trace;
        auto first = std::find_if(lines.begin(), lines.end(),
                                  [](const QJsonObject& line) { return line.contains("row"); });
        for (const QJsonObject& line : std::vector<QJsonObject>(first, lines.end())) {
            if (line.contains("play")) {
                const QJsonObject p = line["play"].toObject();
                trace += std::to_string(p["start"].toInteger()) + "-" +
                         std::to_string(p["end"].toInteger()) + "/" +
                         std::to_string(p["interval"].toInteger()) + "@" +
                         std::to_string(p["rate"].toInteger()) + " ";
            } else if (line.contains("stop")) {
                trace += "stop ";
            } else if (line.contains("question")) {
                trace += "question ";
            }
        }
        if (!trace.empty()) {
            trace.pop_back();
        }
        return trace;
    }

    // A value of the state by a dotted path: "queue.0.playedCount", "sentences.3.playCount".
    static long long Get(const QJsonObject& state, const std::string& path) {
        QJsonValue value = state;
        std::istringstream parts(path);
        for (std::string part; std::getline(parts, part, '.');) {
            if (value.isArray()) {
                const QJsonArray array = value.toArray();
                const int index = std::stoi(part);
                value = index < array.size() ? array[index] : QJsonValue();
            } else {
                value = value.toObject()[QString::fromStdString(part)];
            }
        }
        return value.isBool() ? value.toBool() : value.toInteger(-999);
    }

    static QJsonObject LastState(const std::vector<QJsonObject>& lines) {
        for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
            if (it->contains("row")) {
                return *it;
            }
        }
        return {};
    }

    static std::string Repeat(const std::string& line, int times) {
        std::string out;
        for (int i = 0; i < times; ++i) {
            out += line + "\n";
        }
        return out;
    }

    struct Case {
        std::string script;
        std::string trace;
        std::map<std::string, long long> state;
    };

    void Check(const std::string& study, const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            std::vector<QJsonObject> lines = Run(study, "state\n" + c.script + "\nstate\n");
            EXPECT_EQ(Trace(lines), c.trace) << c.script;
            const QJsonObject state = LastState(lines);
            for (const auto& [key, value] : c.state) {
                EXPECT_EQ(Get(state, key), value) << c.script << " : " << key;
            }
        }
    }

    TempDir dir;
    int m_studies = 0;
};

const std::string kS0 = "0-3999/4800@100";
const std::string kS1 = "4000-7999/4800@100";
const std::string kS3 = "56000-215999/4800@100";

TEST_F(PlaybackSession, PassesRepeatAndAutoPlayWalksTheList) {
    Check(MakeStudy(),
          {
              // Three passes, each counted, then the end of the queue stops.
              {"key F5\n" + Repeat("finish", 3),
               kS0 + " " + kS0 + " " + kS0 + " stop",
               {{"playing", 0}, {"sentences.0.playCount", 3}, {"queue.0.start", -999}}},
              // Auto-play from the last row goes on with the first.
              {"key Ctrl+[\nkey Ctrl+[\nkey Ctrl+F8\nkey F11\nfinish\nfinish",
               kS3 + " " + kS0 + " " + kS1,
               {{"row", 1}, {"playing", 1}, {"sentences.3.playCount", 1}}},
              // Without end: auto-play never advances.
              {"key Ctrl+Shift+]\nkey F11\n" + Repeat("finish", 5),
               kS0 + " " + kS0 + " " + kS0 + " " + kS0 + " " + kS0 + " " + kS0,
               {{"row", 0}, {"playing", 1}, {"sentences.0.playCount", 5}, {"repeat", 0}}},
              // Next on the last row and Previous on the first stay and play again.
              {"key Ctrl+F8\nkey F8\nkey F7\nkey Ctrl+F7\nkey F7",
               kS3 + " " + kS3 + " " + "8000-55999/4800@100 " + kS0 + " " + kS0,
               {{"row", 0}}},
              // A fewer repetitions count takes effect when the pass being played ends.
              {"key F5\nfinish\nkey Ctrl+[\nkey Ctrl+[\nfinish",
               kS0 + " " + kS0 + " stop",
               {{"repeat", 1}}},
              // The interval too: the pass being played keeps its own.
              {"key F5\nkey Alt+]\nfinish",
               kS0 + " 0-3999/6400@100",
               {{"queue.0.intervalBytes", 6400}, {"queue.0.playedCount", 1}}},
              // Single fragments and range play do not count.
              {"key F9\nfinish",
               "0-3999/0@100 stop",
               {{"sentences.0.playCount", 0}, {"playMode", 1}}},
              {"key Shift+F5\nfinish",
               "0-215999/0@100 0-215999/0@100",
               {{"sentences.0.playCount", 0}, {"playMode", 2}, {"rangeKind", 1}}},
              // F9 during whole-recording play only ends it.
              {"key Shift+F5\nkey F9",
               "0-215999/0@100 stop",
               {{"playing", 0}, {"playMode", 0}, {"rangeKind", 0}}},
          });
}

TEST_F(PlaybackSession, PauseResumesAtThePlayedPosition) {
    Check(MakeStudy(),
          {
              {"key F5\nbuffers 1\nkey F6",
               kS0,
               {{"paused", 1}, {"playing", 0}, {"pausePos", 2000}, {"time", 2000}}},
              // The time display follows the bytes played, one buffer of the file each.
              {"click 2\nbuffers 2", "8000-55999/4800@100", {{"time", 12000}}},
              {"click 2\nbuffers 1\nkey F6\nkey F9\nbuffers 1",
               "8000-55999/4800@100 10000-55999/0@100",
               {{"time", 12000}}},
              // The resumed pass is one pass; the next starts from the beginning.
              {"key F5\nbuffers 1\nkey F6\nkey F6\nfinish",
               kS0 + " 2000-3999/4800@100 " + kS0,
               {{"queue.0.playedCount", 1}, {"paused", 0}}},
              {"key F5\nbuffers 1\nkey F6\nkey F5", kS0 + " " + kS0, {{"paused", 0}}},
              {"key F5\nbuffers 1\nkey F6\nkey F9", kS0 + " 2000-3999/0@100", {{"playMode", 1}}},
              // At 150 % a buffer of 1,332 played bytes stands for 1,998 bytes of the file.
              {"key Ctrl+2\nkey Ctrl+2\nkey F5\nbuffers 1\nkey F6",
               "0-3999/4800@150",
               {{"pausePos", 1998}, {"speed", 150}}},
              // A speed change restarts the sentence with its passes counted from 0.
              {"key F5\nfinish\nkey Ctrl+Alt+]",
               kS0 + " " + kS0 + " stop 0-3999/4800@105",
               {{"queue.0.playedCount", 0}, {"speed", 105}, {"playing", 1}}},
          });
}

TEST_F(PlaybackSession, SeekingMovesWithinTheItemWithoutCountingAPass) {
    Check(MakeStudy(),
          {
              {"click 3\nbuffers 1\nkey PageDown", kS3 + " 74000-215999/4800@100", {}},
              {"click 3\nbuffers 1\nkey PageUp", kS3 + " 56000-215999/4800@100", {}},
              {"click 3\nbuffers 1\nwheel 120", kS3 + " 66000-215999/4800@100", {}},
              {"click 3\nbuffers 1\nwheel 360", kS3 + " 82000-215999/4800@100", {}},
              {"click 3\nbuffers 1\nwheel -240 shift", kS3 + " 56000-215999/4800@100", {}},
              {"click 3\nbuffers 3\nkey PageDown\nwheel 60", kS3 + " 78000-215999/4800@100", {}},
              {"click 0\nbuffers 1\nkey PageDown\nfinish",
               kS0 + " 3999-3999/4800@100 " + kS0,
               {{"queue.0.playedCount", 1}, {"sentences.0.playCount", 1}}},
              {"key PageDown\nwheel 120", "", {{"playing", 0}}},
          });
}

TEST_F(PlaybackSession, SettingsStepWrapAndStayInRange) {
    const std::string study = MakeStudy();
    const std::string slower = "key Ctrl+Alt+[\n";
    const std::string faster = "key Ctrl+Alt+]\n";
    const std::string down = "key Ctrl+1\n";
    const std::string up = "key Ctrl+2\n";
    struct Setting {
        std::string script;
        const char* key;
        long long value;
    };
    for (const Setting& c : std::vector<Setting>{
             {slower, "speed", 95},
             {down + down + slower, "speed", 50},
             {down + down + down, "speed", 33},
             {down + down + down + slower, "speed", 50},
             {down + down + down + faster, "speed", 35},
             {down + down + down + down, "speed", 100},
             {up + up + up + faster, "speed", 200},
             {up + up + up + up, "speed", 100},
             {slower + slower + down, "speed", 100},
             {slower + up, "speed", 100},
             {"key Ctrl+Shift+]\nkey Ctrl+[", "repeat", 20},
             {"key Ctrl+Shift+]\nkey Ctrl+[\nkey Ctrl+]", "repeat", 0},
             {"key Ctrl+Shift+]\nkey Ctrl+]", "repeat", 1},
             {Repeat("key Alt+]", 100), "interval", 99},
             {Repeat("key Alt+[", 5), "interval", 0},
         }) {
        EXPECT_EQ(Get(LastState(Run(study, c.script + "\nstate\n")), c.key), c.value) << c.script;
    }
    for (auto [volume, key, expected] :
         {std::tuple{65535, "Ctrl+Down", 57343}, std::tuple{60000, "Ctrl+Up", 65535},
          std::tuple{5000, "Ctrl+Down", 0}}) {
        const std::string withVolume = MakeStudy(" --volume " + std::to_string(volume));
        const QJsonObject state = LastState(Run(withVolume, "key " + std::string(key) + "\nstate"));
        EXPECT_EQ(Get(state, "volume"), expected) << volume;
        EXPECT_FALSE(state["modified"].toBool()) << volume;
    }
}

TEST_F(PlaybackSession, ListenAndSpeakPausesGrowWithTheSentence) {
    // The 3 s sentence is 47,999 bytes from start to end: interval 2 gives as many bytes
    // of silence, interval 3 one and a half times as many, a half byte rounded up.
    Check(MakeStudy(), {
                           {"key Alt+[\nclick 2", "8000-55999/3200@100", {}},
                           {"key Alt+R\nkey Alt+[\nclick 2", "8000-55999/47999@100", {}},
                           {"key Alt+R\nclick 2", "8000-55999/71999@100", {}},
                       });
}

TEST_F(PlaybackSession, PhrasePlayCutsLongSentencesAtQuietPoints) {
    const std::string study = MakeStudy();
    const QJsonObject shortOne = LastState(Run(study, "cmd 2202\nclick 2\nstate"));
    ASSERT_EQ(shortOne["queue"].toArray().size(), 1);
    EXPECT_EQ(Get(shortOne, "queue.0.kind"), 0);
    EXPECT_EQ(Get(shortOne, "queue.0.repetitions"), 3);

    const QJsonObject longOne =
        LastState(Run(study, "cmd 2202\nclick 3\nfinish\nfinish\nfinish\nstate"));
    const QJsonArray queue = longOne["queue"].toArray();
    ASSERT_EQ(queue.size(), 6);
    EXPECT_EQ(Get(longOne, "queue.0.kind"), 1);
    EXPECT_EQ(Get(longOne, "queue.0.repetitions"), 1);
    std::uint32_t phraseStart = kLongStart;
    for (int i = 1; i < 6; ++i) {
        const QJsonObject item = queue[i].toObject();
        EXPECT_EQ(item["kind"].toInt(), 2) << i;
        EXPECT_EQ(item["repetitions"].toInt(), 3) << i;
        EXPECT_EQ(item["start"].toInteger(), phraseStart) << i;
        const long long end = item["end"].toInteger();
        if (i < 5) {
            const long long mark = kLongStart + kGapSeconds[i - 1] * kSecond;
            EXPECT_LE(std::abs(end - mark), kSecond / 10) << i;
        } else {
            EXPECT_EQ(end, 215999);
        }
        phraseStart = static_cast<std::uint32_t>(end);
    }
    // The whole pass and two passes of the first phrase, each counted for the sentence.
    EXPECT_EQ(Get(longOne, "queuePos"), 1);
    EXPECT_EQ(Get(longOne, "queue.1.playedCount"), 2);
    EXPECT_EQ(Get(longOne, "sentences.3.playCount"), 3);
}

TEST_F(PlaybackSession, AnEmptyStudyAsksOnceAndPlaysNothing) {
    const std::string study = MakeStudy({}, true);
    for (const char* key : {"F5", "F9", "Shift+F5"}) {
        EXPECT_EQ(Trace(Run(study, std::string("state\nanswer no\nkey ") + key)), "question")
            << key;
    }
}

} // namespace
