#include "SkinTestSupport.h"
#include "app/AppMessages.h"
#include "app/CEarlarkApp.h"
#include "app/StartupPorts.h"
#include "document/CEarlarkDoc.h"
#include "platform/FileDialogs.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "skin/CTitlePicture.h"
#include "skin/TitleAwarePrompts.h"

#include "platform/ScriptedFileDialogs.h"
#include "support/FakeStartupPorts.h"
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class StartupFixture : public ::testing::Test {
protected:
    bool Start(bool withOnBitmap) {
        m_crafted.Write("101, 10, 0, 0, 40, 30, 0\n", withOnBitmap);
        m_app.SetSkin(&m_skin);
        return m_app.InitInstance(CommandLine{},
                                  {m_crafted.Folder(), m_crafted.Folder(), m_crafted.Folder()});
    }

    CraftedSkin m_crafted;
    CSkin m_skin;
    ScriptedPrompts m_prompts;
    ScriptedFileDialogs m_dialogs;
    MemorySettingsStore m_settings;
    FakeInstanceGuard m_instance;
    FakeRichText m_richText;
    CEarlarkDoc m_doc;
    CEarlarkApp m_app{{m_prompts, m_dialogs, m_settings, m_instance, m_richText}, m_doc};
};

TEST_F(StartupFixture, AMissingOnBitmapStopsStartUpWithTheSkinMessage) {
    EXPECT_FALSE(Start(false));
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0], app_messages::kSkinFailure);
    EXPECT_EQ(m_doc.m_nViewKind, 0) << "no study is opened after the skin failed";
}

TEST_F(StartupFixture, LoadsTheDefaultSkinFromTheProgramFolderAndReleasesItAtExit) {
    EXPECT_TRUE(Start(true));
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_TRUE(m_skin.IsLoaded());
    EXPECT_EQ(m_skin.FramePiece(101), QRect(0, 0, 40, 30));
    m_app.ExitInstance();
    EXPECT_FALSE(m_skin.IsLoaded());
}

TEST(TitleAwarePrompts, AMessageStopsThePictureTimerAndClosesThePictureAfterwards) {
    QWidget owner;
    owner.show();
    CTitlePicture::EnableTitlePicture(true);
    CTitlePicture::ShowTitlePicture(&owner, true);
    ASSERT_NE(CTitlePicture::Current(), nullptr);

    struct CheckingPrompts : ScriptedPrompts {
        void ShowMessage(const std::string& text, PromptIcon icon) override {
            timerRanDuringMessage = CTitlePicture::Current()->TimerRunning();
            pictureShownDuringMessage = true;
            ScriptedPrompts::ShowMessage(text, icon);
        }
        bool timerRanDuringMessage = true;
        bool pictureShownDuringMessage = false;
    } inner;
    TitleAwarePrompts prompts(inner);
    prompts.ShowMessage("File failure");
    EXPECT_TRUE(inner.pictureShownDuringMessage);
    EXPECT_FALSE(inner.timerRanDuringMessage);
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    // Without a picture, prompts pass straight through.
    inner.QueueAnswer(PromptAnswer::Yes);
    EXPECT_EQ(prompts.AskYesNo("Save?"), PromptAnswer::Yes);
    EXPECT_EQ(inner.Questions().size(), 1u);
}

} // namespace
