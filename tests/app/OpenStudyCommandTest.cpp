// The Open Study File command.
#include "AppFixture.h"
#include "app/AppMessages.h"
#include "platform/SettingsTable.h"

namespace {

class OpenStudyCommand : public AppFixture {
protected:
    void SetUp() override { ASSERT_TRUE(Start()); }
};

TEST_F(OpenStudyCommand, TheDialogIsSetUpForStudyFiles) {
    settings::kEkdOpenDir.Write(m_settings, "/lessons/last.ekd");
    m_app.OnFileOpen();
    ASSERT_EQ(m_dialogs.requests.size(), 1u);
    const FileDialogRequest& request = m_dialogs.requests[0];
    EXPECT_EQ(request.title, "Open Study File(*.EKD)");
    EXPECT_EQ(request.filter, "Study File(*.ekd)|*.ekd||");
    EXPECT_EQ(request.defaultExtension, "ekd");
    EXPECT_EQ(request.initialPath, "/lessons/last.ekd");
    EXPECT_TRUE(request.mustExist);
}

TEST_F(OpenStudyCommand, TheExtensionIsComparedInLowerCase) {
    m_dialogs.answer = MakeStudy("talk.EKD", u"talk");
    m_app.OnFileOpen();
    EXPECT_EQ(FirstText(), u"talk");
    EXPECT_EQ(settings::kEkdOpenDir.Read(m_settings), *m_dialogs.answer);
    EXPECT_EQ(m_app.RecentFiles().Entries().front(), *m_dialogs.answer);
}

TEST_F(OpenStudyCommand, OtherFilesShowTheMessageAndOpenNothing) {
    m_dialogs.answer = m_dir.Write("talk.wav", {1, 2, 3});
    m_app.OnFileOpen();
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{app_messages::kNotAStudyFile});
    EXPECT_EQ(settings::kEkdOpenDir.Read(m_settings), "");
    EXPECT_EQ(m_doc.GetPathName(), "");
}

TEST_F(OpenStudyCommand, CancellingTheSaveQuestionKeepsTheCurrentStudy) {
    m_doc.SetModifiedFlag();
    m_prompts.QueueAnswer(PromptAnswer::Cancel);
    m_dialogs.answer = MakeStudy("other.ekd", u"other");
    m_app.OnFileOpen();
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    EXPECT_TRUE(m_doc.IsModified());
}

} // namespace
