// The study document: reset values, new studies, saving and the sentence limit.
#include "document/CEarlarkDoc.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"
#include "document/DocumentHost.h"
#include "document/StudyMessages.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

class FakeHost : public DocumentHost {
public:
    bool IsProcessingStartup() const override { return startup; }
    void StopTitleTimer() override { events.push_back("stop-timer"); }
    void CloseTitlePicture() override { events.push_back("close-picture"); }
    void AddToRecentFileList(const std::string& path) override { recent.push_back(path); }

    bool startup = false;
    std::vector<std::string> events;
    std::vector<std::string> recent;
};

class FakeView : public DocumentView {
public:
    void ClearSentenceList() override { ++clears; }
    int clears = 0;
};

class CEarlarkDocTest : public ::testing::Test {
protected:
    CEarlarkDocTest() {
        m_doc.SetPrompts(&m_prompts);
        m_doc.SetHost(&m_host);
        m_doc.SetView(&m_view);
        m_doc.SetFileDialogs(&m_dialogs);
    }

    void AddSentence(std::u16string text) {
        auto s = std::make_unique<CEarlarkWaveSection>();
        s->m_strOriginal = std::move(text);
        m_doc.m_sections.Add(std::move(s));
    }

    TempDir m_dir;
    ScriptedPrompts m_prompts;
    FakeHost m_host;
    FakeView m_view;
    ScriptedFileDialogs m_dialogs;
    CEarlarkDoc m_doc;
};

TEST_F(CEarlarkDocTest, ResetValues) {
    m_doc.m_nRepeat = 9;
    m_doc.m_nViewKind = 103;
    AddSentence(u"x");
    m_doc.DeleteContents();
    EXPECT_EQ(m_doc.m_nViewKind, 0);
    EXPECT_EQ(m_doc.m_strAudioPath, "");
    EXPECT_EQ(m_doc.m_nCurSentence, 0);
    EXPECT_EQ(m_doc.m_nVolume, 128);
    EXPECT_EQ(m_doc.m_nRepeat, 3);
    EXPECT_EQ(m_doc.m_nInterval, 3);
    EXPECT_EQ(m_doc.m_nSpeed, 100);
    EXPECT_EQ(m_doc.m_nDisplayFlags, 0u);
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    EXPECT_EQ(m_doc.m_nCharSet, 0);
    EXPECT_EQ(m_doc.m_strFontFace, u"Arial");
    EXPECT_EQ(m_doc.m_nFontHeight, -16);
    EXPECT_EQ(m_doc.m_nFontStyle, 0u);
    EXPECT_EQ(m_doc.m_colors, (std::array<std::uint32_t, 6>{0x00CEDEE7, 0x009D542C, 0x0000FF00,
                                                            0x009D542C, 0x0000FFFF, 0x009D542C}));
    EXPECT_EQ(m_view.clears, 1);
}

TEST_F(CEarlarkDocTest, ANewStudyIsResetWithTheStudyView) {
    m_doc.SetPathName("/x/old.ekd", false);
    m_doc.SetModifiedFlag();
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.m_nViewKind, 103);
    EXPECT_EQ(m_doc.m_nVolume, 128);
    EXPECT_EQ(m_doc.GetPathName(), "");
    EXPECT_EQ(m_doc.GetTitle(), "Untitled");
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(CEarlarkDocTest, ANewStudyTakesTheDeviceVolumeOfTheFirstChannel) {
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    m_doc.m_player.SetOutputDevice(&device);
    m_doc.m_player.SetVolume(0x4000C000); // right channel 0x4000, left 0xC000
    ASSERT_TRUE(m_doc.OnNewDocument());
    EXPECT_EQ(m_doc.m_nVolume, 0xC000);
    m_doc.DeleteContents();
    EXPECT_EQ(m_doc.m_nVolume, 128) << "a reset does not ask the device";
    EXPECT_FALSE(m_doc.m_player.IsOutputOpen()) << "the volume is read without keeping a device";
    m_doc.m_player.SetOutputDevice(nullptr);
}

TEST_F(CEarlarkDocTest, AudioPathFallsBackToThePackagedFileBesideTheStudy) {
    m_doc.SetPathName("/s/lesson.ekd", false);
    EXPECT_EQ(m_doc.GetAudioPath(), "/s/lesson.ekw");
    EXPECT_EQ(m_doc.m_strAudioPath, "/s/lesson.ekw") << "the derived path is kept";

    m_doc.m_strAudioPath.clear();
    m_doc.SetPathName("/S/LESSON.EKD", false);
    EXPECT_EQ(m_doc.GetAudioPath(), "/S/LESSON.EKW");

    m_doc.m_strAudioPath = "/audio/talk.mp3";
    EXPECT_EQ(m_doc.GetAudioPath(), "/audio/talk.mp3");
}

TEST_F(CEarlarkDocTest, UntitledNamesAreRefusedInAnyCase) {
    for (const char* name : {"Untitled.EKD", "UNTITLED.ekd", "untitled.ekd"}) {
        m_prompts.Clear();
        std::string path = m_dir.Path(name);
        EXPECT_FALSE(m_doc.OnSaveDocument(path)) << name;
        ASSERT_EQ(m_prompts.Messages().size(), 1u);
        EXPECT_EQ(m_prompts.Messages()[0], study_messages::kBadName);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    EXPECT_TRUE(m_doc.OnSaveDocument(m_dir.Path("untitled2.ekd")));
}

TEST_F(CEarlarkDocTest, SaveAndOpenRoundTrip) {
    m_doc.OnNewDocument();
    m_doc.m_strAudioPath = "/audio/\xED\x95\x9C.wav";
    m_doc.m_nRepeat = 0;
    m_doc.m_nSpeed = 33;
    m_doc.m_nDisplayFlags = CEarlarkDoc::kCompareMode | CEarlarkDoc::kCompareCase | 0x10000;
    m_doc.m_nCharSet = 134;
    m_doc.m_strFontFace = u"SimSun";
    m_doc.m_colors[0] = 0x123456;
    AddSentence(u"Line one\rLine two \U0001F600");
    m_doc.m_sections.GetAt(0)->m_strSpare2 = u"kept";
    m_doc.SetModifiedFlag();
    std::string path = m_dir.Path("round.ekd");
    ASSERT_TRUE(m_doc.DoSave(path));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_host.recent, std::vector<std::string>{path});

    CEarlarkDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path));
    EXPECT_EQ(loaded.GetPathName(), path);
    EXPECT_EQ(loaded.m_strAudioPath, m_doc.m_strAudioPath);
    EXPECT_EQ(loaded.m_nRepeat, 0);
    EXPECT_EQ(loaded.m_nSpeed, 33);
    EXPECT_EQ(loaded.m_nDisplayFlags, m_doc.m_nDisplayFlags);
    EXPECT_EQ(loaded.m_nCharSet, 134);
    EXPECT_EQ(loaded.m_strFontFace, u"SimSun");
    EXPECT_EQ(loaded.m_colors[0], 0x123456u);
    ASSERT_EQ(loaded.m_sections.GetSize(), 1);
    EXPECT_EQ(loaded.m_sections.GetAt(0)->m_strOriginal, u"Line one\rLine two \U0001F600");
    EXPECT_EQ(loaded.m_sections.GetAt(0)->m_strSpare2, u"kept");
    EXPECT_EQ(loaded.ToBytes(), m_doc.ToBytes());
}

TEST_F(CEarlarkDocTest, AFailedSaveLeavesThePreviousFileIntact) {
    std::string path = m_dir.Path("keep.ekd");
    m_doc.OnNewDocument();
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    const std::vector<std::uint8_t> before = TempDir::Read(path);

    // A file-size limit makes the write of a larger study fail part-way, as a full disk would.
    AddSentence(std::u16string(5000, u'x'));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = before.size() + 64;
    setrlimit(RLIMIT_FSIZE, &small);
    bool saved = m_doc.OnSaveDocument(path);
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_FALSE(saved);
    EXPECT_EQ(TempDir::Read(path), before);
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0], study_messages::FileFailure(path));
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.Folder())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST_F(CEarlarkDocTest, SavingIntoAMissingFolderFailsWithTheFileFailureMessage) {
    std::string path = m_dir.Path("no/such/folder/a.ekd");
    EXPECT_FALSE(m_doc.OnSaveDocument(path));
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0], study_messages::FileFailure(path));
}

TEST_F(CEarlarkDocTest, FailureMessageStopsAndClosesTheTitlePicture) {
    std::string path = m_dir.Write("bad.ekd", {1, 2, 3});
    EXPECT_FALSE(m_doc.OnOpenDocument(path));
    EXPECT_EQ(m_host.events, (std::vector<std::string>{"stop-timer", "close-picture"}));
}

TEST_F(CEarlarkDocTest, AnUnreadableStudyDuringStartUpLeavesABlankStudy) {
    std::string path = m_dir.Write("bad.ekd", {0xA4, 0x01, 0x00});
    m_host.startup = true;
    EXPECT_TRUE(m_doc.OnOpenDocument(path));
    EXPECT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_doc.GetPathName(), "") << "a blank study must not overwrite the damaged file";
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_host.recent.empty());

    m_host.startup = false;
    EXPECT_FALSE(m_doc.OnOpenDocument(path));
}

TEST_F(CEarlarkDocTest, AFailedOpenNeverLeavesTheBlankStudyNamedAfterThePreviousOne) {
    std::string good = m_dir.Path("good.ekd");
    AddSentence(u"precious");
    ASSERT_TRUE(m_doc.DoSave(good));
    const std::vector<std::uint8_t> saved = TempDir::Read(good);

    EXPECT_FALSE(m_doc.OnOpenDocument(m_dir.Write("bad.ekd", {7})));
    EXPECT_EQ(m_doc.GetPathName(), "");
    EXPECT_FALSE(m_doc.IsModified());
    // Save now asks for a name (the dialog is cancelled) instead of overwriting good.ekd.
    EXPECT_FALSE(m_doc.DoFileSave());
    EXPECT_EQ(TempDir::Read(good), saved);
}

TEST_F(CEarlarkDocTest, SaveModifiedAsksOnlyWhenModified) {
    EXPECT_TRUE(m_doc.SaveModified());
    EXPECT_TRUE(m_prompts.Questions().empty());

    m_doc.SetModifiedFlag();
    m_prompts.QueueAnswer(PromptAnswer::No);
    EXPECT_TRUE(m_doc.SaveModified());
    m_prompts.QueueAnswer(PromptAnswer::Cancel);
    EXPECT_FALSE(m_doc.SaveModified());
    EXPECT_EQ(m_prompts.Questions().front(), "Save changes to Untitled?");

    // Yes on an unsaved study asks for a name; cancelling that dialog cancels the close.
    m_prompts.QueueAnswer(PromptAnswer::Yes);
    EXPECT_FALSE(m_doc.SaveModified());
    ASSERT_EQ(m_dialogs.requests.size(), 1u);
    EXPECT_EQ(m_dialogs.requests[0].proposedName, "Untitled");
    EXPECT_EQ(m_dialogs.requests[0].defaultExtension, "ekd");

    m_dialogs.answer = m_dir.Path("chosen.ekd");
    m_prompts.QueueAnswer(PromptAnswer::Yes);
    EXPECT_TRUE(m_doc.SaveModified());
    EXPECT_TRUE(std::filesystem::exists(*m_dialogs.answer));
    EXPECT_EQ(m_doc.GetPathName(), *m_dialogs.answer);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(CEarlarkDocTest, TheFirstRefusalAtTheSentenceLimitIsSilent) {
    EXPECT_TRUE(m_doc.CanAddSentences(1999));
    EXPECT_FALSE(m_doc.CanAddSentences(2000));
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_FALSE(m_doc.CanAddSentences(2000));
    EXPECT_FALSE(m_doc.CanAddSentences(2500));
    EXPECT_EQ(m_prompts.Messages(), (std::vector<std::string>{study_messages::kSentenceLimit,
                                                              study_messages::kSentenceLimit}));
    EXPECT_TRUE(m_doc.CanAddSentences(10));
}

} // namespace
