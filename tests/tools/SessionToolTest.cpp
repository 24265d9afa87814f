// earlark-tool session: the study view's state machine driven by scripts, run as a separate
// program, its JSON lines read back.
#include "support/Bytes.h"
#include "support/RunTool.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr std::uint32_t kSentenceBytes = 4000;

// A silent 8 kHz 16-bit mono wave file of the given data size.
std::vector<std::uint8_t> SilentWave(std::uint32_t dataSize) {
    Bytes b;
    b.Raw("RIFF").U32(36 + dataSize).Raw("WAVE").Raw("fmt ").U32(16);
    b.U16(1).U16(1).U32(8000).U32(16000).U16(2).U16(16);
    b.Raw("data").U32(dataSize).Raw(std::vector<std::uint8_t>(dataSize, 0));
    return b.Data();
}

// A study of n sentences of kSentenceBytes each, with Original Texts "text i".
class SessionTool : public ::testing::Test {
protected:
    std::string MakeStudy(int n, const std::string& name = "study.ekd") {
        const std::string wave = dir.Write("audio.wav", SilentWave(n * kSentenceBytes));
        std::ostringstream tsv;
        for (int i = 0; i < n; ++i) {
            tsv << i * kSentenceBytes << '\t' << (i + 1) * kSentenceBytes - 1 << "\ttext " << i
                << '\n';
        }
        const std::string sentences = dir.Path("sentences.tsv");
        std::ofstream(sentences) << tsv.str();
        const std::string study = dir.Path(name);
        ToolResult made = RunTool("study new " + Quote(study) + " --audio " + Quote(wave) +
                                      " --sentences " + Quote(sentences),
                                  dir);
        EXPECT_EQ(made.status, 0) << made.err;
        return study;
    }

    // Runs the script; every output line parsed.
    std::vector<QJsonObject> Run(const std::string& study, const std::string& script,
                                 const std::string& extra = {}) {
        const std::string path = dir.Write("script.txt", {script.begin(), script.end()});
        last = RunTool("session " + Quote(study) + extra + " < " + Quote(path), dir);
        EXPECT_EQ(last.status, 0) << last.err;
        std::vector<QJsonObject> lines;
        std::istringstream out(last.out);
        for (std::string line; std::getline(out, line);) {
            lines.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
        }
        return lines;
    }

    // The last state line of the script.
    QJsonObject State(const std::string& study, const std::string& script) {
        std::vector<QJsonObject> lines = Run(study, script + "\nstate\n");
        return lines.empty() ? QJsonObject() : lines.back();
    }

    static std::vector<int> Ints(const QJsonValue& value) {
        std::vector<int> out;
        for (const QJsonValue& v : value.toArray()) {
            out.push_back(v.toInt());
        }
        return out;
    }

    static int Count(const std::vector<QJsonObject>& lines, const char* key) {
        return static_cast<int>(std::count_if(
            lines.begin(), lines.end(), [key](const QJsonObject& o) { return o.contains(key); }));
    }

    TempDir dir;
    ToolResult last;
};

TEST_F(SessionTool, NavigationStaysInsideTheList) {
    const std::string study = MakeStudy(3);
    struct Case {
        const char* script;
        int row;
        bool playing;
    };
    for (Case c :
         {Case{"", 0, false}, Case{"key F8", 1, true}, Case{"key F8\nkey F8\nkey F8", 2, true},
          Case{"key F7", 0, true}, Case{"key Ctrl+F8\nkey Shift+Enter", 1, true},
          Case{"key Ctrl+F8\nkey Ctrl+F7", 0, true}, Case{"click 2", 2, true},
          Case{"click 7", 0, false}, Case{"key Enter\nkey Enter", 2, true},
          Case{"key F8\nkey Ctrl+F6", 1, false}}) {
        QJsonObject state = State(study, c.script);
        EXPECT_EQ(state["row"].toInt(), c.row) << c.script;
        EXPECT_EQ(state["playing"].toBool(), c.playing) << c.script;
        EXPECT_EQ(state["time"].toInt(), c.row * static_cast<int>(kSentenceBytes)) << c.script;
    }
}

TEST_F(SessionTool, TypedTextIsKeptWhereverTheLearnerGoes) {
    const std::string study = MakeStudy(3);
    QJsonObject moved = State(study, "type one\\rtwo\nkey F8\ntype three\nclick 0");
    QJsonArray sentences = moved["sentences"].toArray();
    EXPECT_EQ(sentences[0].toObject()["listenWrite"].toString(), "one\rtwo");
    EXPECT_EQ(sentences[1].toObject()["listenWrite"].toString(), "three");
    EXPECT_EQ(moved["lw"].toString(), "one\rtwo");
    EXPECT_TRUE(moved["modified"].toBool());

    // Typing the text a sentence already has changes nothing.
    QJsonObject same = State(study, "type \nkey F8");
    EXPECT_FALSE(same["modified"].toBool());

    // Ctrl+S commits the box first and saves to the study's own path.
    Run(study, "type saved text\nkey Ctrl+S");
    QJsonObject reopened = State(study, "");
    EXPECT_EQ(reopened["lw"].toString(), "saved text");
    EXPECT_FALSE(reopened["modified"].toBool());
}

TEST_F(SessionTool, ClosingAStudyAsksToSaveTextTypedIntoTheCurrentSentence) {
    const std::string study = MakeStudy(2);
    const std::string other = MakeStudy(1, "other.ekd");
    std::vector<QJsonObject> lines =
        Run(study, "type unsaved\nfile " + other + "\nkey Ctrl+O\nstate");
    ASSERT_EQ(Count(lines, "question"), 1);
    EXPECT_EQ(lines.back()["sentences"].toArray().size(), 1) << "the other study is open";
    EXPECT_EQ(State(study, "")["lw"].toString(), "unsaved") << "the answer yes saved it";

    // The same at the end of the run, through --save.
    const std::string copy = dir.Path("copy.ekd");
    Run(study, "type at the end", " --save " + Quote(copy));
    EXPECT_EQ(State(copy, "")["lw"].toString(), "at the end");
}

TEST_F(SessionTool, RandomOrderFollowsTheFifteenBitGenerator) {
    for (int n : {1, 2, 5, 8}) {
        const std::string study = MakeStudy(n);
        // The generator seeded with 1, as every session run is.
        std::uint32_t seed = 1;
        auto next = [&seed] {
            seed = seed * 214013u + 2531011u;
            return static_cast<long long>((seed >> 16) & 0x7FFF);
        };
        std::vector<int> expected(n);
        for (int i = 0; i < n; ++i) {
            expected[i] = i;
        }
        for (int swap = 0; swap < n / 2; ++swap) {
            long long a = next() * (n - 1) / 32767;
            long long b = next() * (n - 1) / 32767;
            std::swap(expected[a], expected[b]);
        }
        QJsonObject state = State(study, "cmd 32841");
        EXPECT_EQ(Ints(state["rows"]), expected) << n << " sentences";
        EXPECT_EQ(state["listMode"].toString(), "random");
        EXPECT_EQ(state["row"].toInt(), 0);
    }
}

TEST_F(SessionTool, HighlightedOnlyFallsBackToAllSentences) {
    const std::string study = MakeStudy(3);
    std::vector<QJsonObject> lines = Run(study, "cmd 32794\nstate");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 3]["message"].toString(), "There is no highlighted Sentence.");
    EXPECT_EQ(lines.back()["listMode"].toString(), "all");
    EXPECT_EQ(Ints(lines.back()["rows"]), (std::vector<int>{0, 1, 2}));
}

TEST_F(SessionTool, TheListHoldsTwoThousandRowsAndWarnsFromTheSecondRefusalOn) {
    const std::string study = MakeStudy(2001);
    std::vector<QJsonObject> lines = Run(study, "state\ncmd 32793\nstate");
    EXPECT_EQ(lines[1]["rows"].toArray().size(), 2000);
    EXPECT_EQ(Count(lines, "message"), 1);
    for (const QJsonObject& line : lines) {
        if (line.contains("message")) {
            EXPECT_EQ(line["message"].toString(),
                      "Each Study file can have up to 2,000 Sentences.");
        }
    }
}

TEST_F(SessionTool, JoiningNeighboursMovesOnlyTheNeighboursBoundary) {
    const std::string study = MakeStudy(3);
    struct Case {
        const char* script;
        int sentence;
        int start;
        int end;
        bool modified;
    };
    const int b = kSentenceBytes;
    for (Case c : {Case{"key Ctrl+L", 0, 0, b - 1, false},
                   Case{"key Ctrl+F8\nkey Alt+L", 2, 2 * b, 3 * b - 1, false},
                   Case{"key F8\nkey Ctrl+L", 0, 0, b - 1, true},
                   Case{"key F8\nkey Alt+L", 2, 2 * b, 3 * b - 1, true},
                   Case{"cmd 32841\nkey Ctrl+L", 0, 0, b - 1, false}}) {
        QJsonObject state = State(study, c.script);
        QJsonObject s = state["sentences"].toArray()[c.sentence].toObject();
        EXPECT_EQ(s["start"].toInt(), c.start) << c.script;
        EXPECT_EQ(s["end"].toInt(), c.end) << c.script;
        EXPECT_EQ(state["modified"].toBool(), c.modified) << c.script;
    }
}

TEST_F(SessionTool, TogglesWriteTheirDisplayFlagBits) {
    const std::string study = MakeStudy(2);
    struct Case {
        const char* key;
        int flags;
    };
    for (Case c : {Case{"F2", 2}, Case{"F11", 1}, Case{"Alt+R", 8}, Case{"Ctrl+E", 16},
                   Case{"Ctrl+E\nkey Ctrl+E", 0}}) {
        QJsonObject state = State(study, std::string("key ") + c.key);
        EXPECT_EQ(state["displayFlags"].toInt(), c.flags) << c.key;
        EXPECT_TRUE(state["modified"].toBool()) << c.key;
    }
}

TEST_F(SessionTool, OriginalTextShowsMaskedAndIsEditedOnlyInEditingMode) {
    const std::string study = MakeStudy(2);
    EXPECT_EQ(State(study, "")["orig"].toString(),
              QString::fromUtf16(u"\u2022\u2022\u2022\u2022  0"));
    EXPECT_EQ(State(study, "cmd 505")["orig"].toString(),
              QString::fromUtf16(u"\u25CF\u25CF\u25CF\u25CF  0"));
    // Read-only outside editing mode: typing there changes nothing.
    QJsonObject readOnly = State(study, "otype changed\nkey F8");
    EXPECT_EQ(readOnly["sentences"].toArray()[0].toObject()["original"].toString(), "text 0");

    QJsonObject edited = State(study, "key Ctrl+E\notype new {text}\nkey F8\nkey Ctrl+E\nkey F7");
    EXPECT_EQ(edited["sentences"].toArray()[0].toObject()["original"].toString(), "new {text}");
    EXPECT_EQ(edited["orig"].toString(), QString::fromUtf16(u"\u2022\u2022\u2022  text"));
}

TEST_F(SessionTool, AStudyWithoutSentencesOffersToChooseAnAudioFile) {
    const std::string empty = dir.Path("empty.ekd");
    ASSERT_EQ(RunTool("study new " + Quote(empty), dir).status, 0);
    std::vector<QJsonObject> lines = Run(empty, "answer no\nkey Ctrl+L\nkey F8\nstate");
    ASSERT_EQ(Count(lines, "question"), 1);
    EXPECT_EQ(lines[1]["question"].toString(),
              "An audio file is not specified.\n\nDo you want to choose an audio file?");
    EXPECT_EQ(lines.back()["row"].toInt(), -1);

    // Yes, and an audio file chosen: the study gets one whole-recording sentence.
    const std::string wave = dir.Write("whole.wav", SilentWave(8000));
    QJsonObject state = State(empty, "file " + wave + "\nkey Ctrl+L");
    ASSERT_EQ(state["sentences"].toArray().size(), 1);
    QJsonObject whole = state["sentences"].toArray()[0].toObject();
    EXPECT_EQ(whole["end"].toInt(), 7999);
    EXPECT_EQ(whole["flags"].toInt(), 8);
    EXPECT_EQ(state["row"].toInt(), 0);
}

TEST_F(SessionTool, ALineThatCannotBeParsedNamesItsNumber) {
    const std::string study = MakeStudy(1);
    for (const char* bad : {"jump 3", "key Shift+Ctrl+F5", "key Ctrl+", "click x", "type a\\nb",
                            "wheel 120 alt", "focus box", "answer maybe"}) {
        const std::string path = dir.Write("bad.txt", {});
        std::ofstream(path) << "# comment\n\nstate\n" << bad << '\n';
        ToolResult r = RunTool("session " + Quote(study) + " < " + Quote(path), dir);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_NE(r.err.find("line 4"), std::string::npos) << bad << ": " << r.err;
    }
}

} // namespace

namespace {

// Sessions of the writing commands on a five-sentence study whose Original Texts are
// "text 0" ... "text 4".
class WritingSession : public SessionTool {
protected:
    QJsonObject Sentence(const QJsonObject& state, int i) {
        return state["sentences"].toArray()[i].toObject();
    }
};

TEST_F(WritingSession, AGroupSplitsBackIntoItsSentences) {
    const std::string study = MakeStudy(5);
    const std::string grouped = "click 3\ntype c\nclick 2\ntype a b\nkey Ctrl+G";
    QJsonObject state = State(study, grouped);
    EXPECT_EQ(state["lw"].toString(), "[003] a b [004] c");
    EXPECT_EQ(
        state["orig"].toString(),
        QString::fromUtf16(u"[003] \u2022\u2022\u2022\u2022  2 [004] \u2022\u2022\u2022\u2022  3"));
    EXPECT_EQ(state["playMode"].toInt(), 2);
    EXPECT_EQ(Sentence(state, 2)["flags"].toInt() & 4, 4);

    state = State(study, grouped + "\nkey Ctrl+F\ntype a b x\nclick 0");
    EXPECT_EQ(state["groupFirst"].toInt(), -1);
    EXPECT_EQ(state["playMode"].toInt(), 0);
    EXPECT_EQ(Sentence(state, 3)["listenWrite"].toString(), "c");
    EXPECT_EQ(Sentence(state, 2)["listenWrite"].toString(), "a b x")
        << "what is typed after the group shrank to one sentence is kept";
    EXPECT_EQ(Sentence(state, 2)["flags"].toInt() & 4, 0);

    // A broken delimiter: the split refuses, dissolving ends the group and keeps the texts.
    std::vector<QJsonObject> lines =
        Run(study, grouped + "\ntype [003] a b 004] c\nkey Ctrl+F\nkey Ctrl+Shift+F\nstate");
    EXPECT_EQ(Count(lines, "message"), 2) << "Ctrl+F refuses, then the dissolve's split does";
    EXPECT_NE(last.out.find("There has to be exactly 2 number of Sentence-delimiting notations "
                            "in the dictation box."),
              std::string::npos);
    EXPECT_EQ(lines.back()["groupFirst"].toInt(), -1);
    EXPECT_EQ(lines.back()["lw"].toString(), "");
    EXPECT_EQ(Sentence(lines.back(), 3)["listenWrite"].toString(), "c");

    lines = Run(study, "cmd 32841\nkey Ctrl+G\nstate");
    EXPECT_EQ(lines.back()["groupFirst"].toInt(), -1);
    EXPECT_NE(last.out.find("[Sentence grouping] is available only"), std::string::npos);
    state = State(study, "key Ctrl+Shift+G\nkey Ctrl+Shift+F\nclick 1");
    EXPECT_EQ(state["playMode"].toInt(), 0);
    EXPECT_EQ(Sentence(state, 4)["flags"].toInt() & 4, 0);
}

TEST_F(WritingSession, TheCheckMovesOnOrMarksTheFirstMismatch) {
    const std::string study = MakeStudy(3);
    struct Case {
        const char* script;
        int row;
        int selection;
        bool originalShown;
    };
    for (Case c : {Case{"type TEXT, 0!\nkey Alt+Enter", 1, 0, false},
                   Case{"type tixt 0\nkey Alt+Enter", 0, 1, true},
                   Case{"type text\nkey Alt+Enter", 0, 4, true},
                   Case{"key Shift+F2\ntype tex 0\nkey Enter", 0, 4, true},
                   Case{"key Shift+F2\ntype text 0\nkey Enter", 1, 0, false}}) {
        QJsonObject state = State(study, c.script);
        EXPECT_EQ(state["row"].toInt(), c.row) << c.script;
        EXPECT_EQ((state["displayFlags"].toInt() & 2) != 0, c.originalShown) << c.script;
        if (c.row == 0) {
            EXPECT_EQ(state["lwSelection"].toArray()[0].toInt(), c.selection) << c.script;
        }
    }
}

TEST_F(WritingSession, TextCommandsCopyMoveAndReset) {
    const std::string study = MakeStudy(3);
    QJsonObject state = State(study, "key Ctrl+H");
    EXPECT_EQ(state["orig"].toString(), QString::fromUtf16(u"t\u2022\u2022\u2022  0"));
    EXPECT_EQ(Sentence(state, 0)["hintLevel"].toInt(), 1);

    state = State(study, "key Ctrl+U");
    EXPECT_EQ(Sentence(state, 0)["listenWrite"].toString(), "text 0");
    state = State(study, "answer yes\nkey Ctrl+Shift+U");
    EXPECT_EQ(Sentence(state, 2)["listenWrite"].toString(), "text 2");

    state = State(study, "focus lw\ntype one two\ncaret 3\nkey Ctrl+P");
    EXPECT_EQ(state["lw"].toString(), "one");
    EXPECT_EQ(Sentence(state, 1)["listenWrite"].toString(), " two ");
    state = State(study, "focus orig\nkey Ctrl+P");
    EXPECT_EQ(Sentence(state, 1)["original"].toString(), "text 1")
        << "the masked text is never moved";

    for (const char* answer : {"no", "yes"}) {
        state = State(study,
                      std::string("type mine\nclick 1\nclick 0\nanswer ") + answer + "\ncmd 32797");
        EXPECT_EQ(Sentence(state, 0)["listenWrite"].toString(),
                  std::string(answer) == "yes" ? "" : "mine");
    }
}

} // namespace
