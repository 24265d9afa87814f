// The study view's MP3 export commands in-process: the dialog's Export click, the settings it
// keeps, the current sentence and the group, with the real encoder library.
#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "export/ExportMessages.h"
#include "export/Mp3ExportOptions.h"
#include "export/Mp3Probe.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "support/Bytes.h"
#include "support/HeadlessStudyView.h"
#include "support/TempDir.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kSentenceBytes = 16000; // half a second of 16 kHz 16-bit mono

// Clicks Export once with the options the test sets, and answers the sentence file dialog.
class FakeExportDialog : public Mp3ExportDialogPort {
public:
    void Run(Mp3ExportOptions& options, const std::function<void()>& onExport) override {
        ++runs;
        openedWithFormat = options.formatIndex;
        if (choose) {
            choose(options);
        }
        onExport();
    }
    std::optional<SentenceFileChoice> AskSentenceFile(const FileDialogRequest& request,
                                                      int format) override {
        sentenceRequest = request;
        offeredFormat = format;
        return sentenceChoice;
    }
    ProgressPort* Progress() override { return nullptr; }

    int runs = 0;
    int openedWithFormat = -1;
    std::function<void(Mp3ExportOptions&)> choose;
    FileDialogRequest sentenceRequest;
    int offeredFormat = -1;
    std::optional<SentenceFileChoice> sentenceChoice;
};

class Counter : public ViewObserver {
public:
    void OnPlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t, int) override {
        played.emplace_back(start, end);
    }
    std::vector<std::pair<std::uint32_t, std::uint32_t>> played;
};

class ExportCommandsTest : public ::testing::Test, protected HeadlessStudyView {
protected:
    void SetUp() override {
        if (!HaveMpg123()) {
            GTEST_SKIP() << "mpg123 is not installed";
        }
        const std::uint32_t size = 3 * kSentenceBytes;
        Bytes b;
        b.Raw("RIFF").U32(36 + size).Raw("WAVE").Raw("fmt ").U32(16);
        b.U16(1).U16(1).U32(16000).U32(32000).U16(2).U16(16);
        b.Raw("data").U32(size);
        for (std::uint32_t i = 0; i < size / 2; ++i) {
            b.U16(static_cast<std::uint16_t>(i % 40 < 20 ? 12000 : -12000));
        }
        doc.m_strAudioPath = dir.Write("audio.wav", b.Data());
        const std::u16string texts[] = {u"One", u"Two?", u"Three"};
        for (int i = 0; i < 3; ++i) {
            auto record = std::make_unique<CEarlarkWaveSection>();
            record->m_nStart = i * kSentenceBytes;
            record->m_nEnd = (i + 1) * kSentenceBytes - 2;
            record->m_strListenWrite = texts[i];
            doc.m_sections.Add(std::move(record));
        }
        doc.m_player.SetOutputDevice(&device);
        audio.Import().SetConvertedPath(dir.Path("__EARLARK__"));
        view.SetObserver(&counter);
        view.OnInitialUpdate();
    }

    // Frames decoded beyond the PCM encoded: the encoder's delay and padding.
    static void ExpectFrames(const std::string& path, double frames) {
        const Decoded decoded = DecodeMp3(path);
        ASSERT_TRUE(decoded.ok) << path;
        EXPECT_GE(decoded.Frames() - frames, 1105) << path;
        EXPECT_LE(decoded.Frames() - frames, 1105 + 2 * 576) << path;
    }

    TempDir dir;
    Counter counter;
    FakeExportDialog exportDialog;
};

TEST_F(ExportCommandsTest, ExportClickWritesTheFileAndTheSettings) {
    view.SetStudyDialogs({nullptr, nullptr, &exportDialog});
    settings::kAudioFormat.Write(settings, 6);
    exportDialog.choose = [](Mp3ExportOptions& options) {
        options.formatIndex = 0;
        options.ClickRadio(Mp3ExportOptions::kExportRange);
        options.first = 2;
        options.last = 3;
        options.ClickRadio(Mp3ExportOptions::kUsePatterns);
        options.pattern = 2;
    };
    dialogs.answer = dir.Path("out.mp3");
    view.OnCommand(cmd::kExportMp3Button);
    EXPECT_EQ(exportDialog.runs, 1);
    EXPECT_EQ(exportDialog.openedWithFormat, 6);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].filter, "mp3 파일(*.mp3)|*.mp3||");
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{exportmsg::kCompleted});
    EXPECT_EQ(settings::kAudioFormat.Read(settings), 0);
    EXPECT_EQ(settings::kAudioOutDir.Read(settings), dir.Path("out.mp3"));
    EXPECT_EQ(FirstFrame(TempDir::Read(dir.Path("out.mp3"))).bitRate, 8);
    // One file per sentence in the chosen file's folder, named by the sentence texts.
    exportDialog.choose = [](Mp3ExportOptions& options) {
        options.ClickRadio(Mp3ExportOptions::kEachSentence);
    };
    dialogs.answer = dir.Path("ignored.mp3");
    view.OnCommand(cmd::kExportMp3);
    for (const char* name : {"One.mp3", "Two？.mp3", "Three.mp3"}) {
        ExpectFrames(dir.Path(name), (kSentenceBytes - 2) / 2.0);
    }
    // The dialog opened again with the format the first export stored.
    EXPECT_EQ(exportDialog.openedWithFormat, 0);
}

TEST_F(ExportCommandsTest, CurrentSentenceAndGroupExportTheirRange) {
    view.SetStudyDialogs({nullptr, nullptr, &exportDialog});
    struct Case {
        bool group;
        std::string name;
        double frames;
    };
    for (const Case& c : {Case{false, "One", (kSentenceBytes - 2) / 2.0},
                          Case{true, "One Two？", (2 * kSentenceBytes - 2) / 2.0}}) {
        if (c.group) {
            view.OnCommand(cmd::kGroupNext);
            ASSERT_TRUE(view.State().HasGroup());
        }
        const std::string path = dir.Path(c.name + ".mp3");
        exportDialog.sentenceChoice = SentenceFileChoice{path, 4};
        view.OnCommand(cmd::kExportSentenceMp3);
        EXPECT_EQ(exportDialog.sentenceRequest.proposedName, c.name);
        EXPECT_EQ(FirstFrame(TempDir::Read(path)).bitRate, 64);
        ExpectFrames(path, c.frames);
    }
    EXPECT_EQ(exportDialog.offeredFormat, 4);
    EXPECT_EQ(settings::kAudioOutDir.Read(settings), dir.Path("One Two？.mp3"));
    // Export with the group active plays the group instead of opening the dialog.
    counter.played.clear();
    view.OnCommand(cmd::kExportMp3);
    EXPECT_EQ(exportDialog.runs, 0);
    ASSERT_EQ(counter.played.size(), 1u);
    EXPECT_EQ(counter.played[0], std::make_pair(0u, 2 * kSentenceBytes - 2));
}

} // namespace
