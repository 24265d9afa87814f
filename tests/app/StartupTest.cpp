// The start-up sequence: single instance, rich-text check, converted-file record and the
// choice of the first study.
#include "AppFixture.h"
#include "app/AppMessages.h"
#include "document/StudyMessages.h"
#include "platform/SettingsTable.h"
#include "skin/SkinSystem.h"

#include <filesystem>

namespace {

using StartupTest = AppFixture;

TEST_F(StartupTest, ASecondCopyShowsTheMessageActivatesTheFirstAndLeavesNoTraces) {
    m_instance.otherRunning = true;
    EXPECT_FALSE(Start({MakeStudy("a.ekd", u"x")}));
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{app_messages::kSecondInstance});
    EXPECT_EQ(m_instance.activations, 1);
    EXPECT_EQ(m_settings.WriteCount(), 0);
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
}

TEST_F(StartupTest, RichTextControlChecks) {
    m_richText.status = RichTextStatus::Missing;
    EXPECT_FALSE(Start());
    m_richText.status = RichTextStatus::Outdated;
    EXPECT_FALSE(Start());
    EXPECT_EQ(m_prompts.Messages(), (std::vector<std::string>{app_messages::kRichTextMissing,
                                                              app_messages::kRichTextOutdated}));
    EXPECT_TRUE(std::string(app_messages::kRichTextOutdated)
                    .starts_with("An updated version of RICHED20.DLL is required"));
}

TEST(RichTextVersion, OnlyMajorVersionsThreeAndFourAreUsable) {
    EXPECT_EQ(RichTextStatusFromMajorVersion(-1), RichTextStatus::Missing);
    EXPECT_EQ(RichTextStatusFromMajorVersion(2), RichTextStatus::Outdated);
    EXPECT_EQ(RichTextStatusFromMajorVersion(3), RichTextStatus::Usable);
    EXPECT_EQ(RichTextStatusFromMajorVersion(4), RichTextStatus::Usable);
    EXPECT_EQ(RichTextStatusFromMajorVersion(5), RichTextStatus::Outdated);
}

TEST_F(StartupTest, TheCommandLineFileWinsOverTheRecentFile) {
    std::string recent = MakeStudy("recent.ekd", u"recent");
    std::string named = MakeStudy("named.ekd", u"named");
    settings::RecentFile(1).Write(m_settings, recent);
    ASSERT_TRUE(Start({named}));
    EXPECT_EQ(FirstText(), u"named");
    EXPECT_EQ(m_doc.GetPathName(), named);
    EXPECT_EQ(m_app.RecentFiles().Entries().front(), named);
}

TEST_F(StartupTest, TheRecentFileOpensWhenNoFileIsNamed) {
    std::string recent = MakeStudy("recent.ekd", u"recent");
    settings::RecentFile(1).Write(m_settings, recent);
    ASSERT_TRUE(Start());
    EXPECT_EQ(FirstText(), u"recent");
}

TEST_F(StartupTest, WithoutARecentFileANewStudyStarts) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_doc.m_nViewKind, 103);
    EXPECT_EQ(m_doc.GetPathName(), "");
    EXPECT_TRUE(m_prompts.Messages().empty());
}

TEST_F(StartupTest, AMissingRecentFileGivesANewStudyWithoutAMessage) {
    settings::RecentFile(1).Write(m_settings, m_dir.Path("gone.ekd"));
    ASSERT_TRUE(Start({"--demo", MakeStudy("demo.ekd", u"demo")}));
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    EXPECT_EQ(m_doc.m_nViewKind, 103);
    EXPECT_TRUE(m_prompts.Messages().empty());
}

TEST_F(StartupTest, TheDemoStudyOpensOnlyForAUserWithoutARecentStudy) {
    ASSERT_TRUE(Start({"--demo", MakeStudy("demo.ekd", u"demo")}));
    EXPECT_EQ(FirstText(), u"demo");
}

TEST_F(StartupTest, AnUnreadableStartStudyShowsTheFailureThenABlankStudy) {
    std::string bad = m_dir.Write("bad.ekd", {0xA4, 0x01, 0x00, 0x00, 0x67});
    ASSERT_TRUE(Start({bad}));
    EXPECT_EQ(m_prompts.Messages(), std::vector<std::string>{study_messages::FileFailure(bad)});
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_app.IsProcessingStartup());
}

TEST_F(StartupTest, TheRecentConvertedSourceIsForgottenWhenTheConvertedFileIsGone) {
    settings::kRecentConverted.Write(m_settings, "/nowhere/source.mp3");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app.RecentConvertedSource(), "");
    EXPECT_EQ(m_app.ConvertedPath(), m_dir.Path("cache") + "/__EARLARK__");
}

TEST_F(StartupTest, TheRecentConvertedSourceIsKeptWhileTheConvertedFileExists) {
    std::filesystem::create_directories(m_dir.Path("cache"));
    m_dir.Write("cache/__EARLARK__", {0});
    settings::kRecentConverted.Write(m_settings, "/nowhere/source.mp3");
    ASSERT_TRUE(Start());
    EXPECT_EQ(m_app.RecentConvertedSource(), "/nowhere/source.mp3") << "even if the source is gone";
}

TEST_F(StartupTest, PathsTitlePictureAndMaximisedFrame) {
    settings::kFrameZoomed.Write(m_settings, 1);
    std::filesystem::create_directories(m_dir.Path("program/help"));
    m_dir.Write("program/help/index.html", {'<'});
    ASSERT_TRUE(Start({"--no-splash"}));
    EXPECT_EQ(m_app.ProgramFolder(), m_dir.Path("program") + "/");
    EXPECT_EQ(m_app.HelpPath(), m_dir.Path("program") + "/help/index.html");
    EXPECT_EQ(m_app.HelpTopic(2), m_dir.Path("program") + "/help/index.html#hotkeys");
    EXPECT_EQ(m_app.FindDataFile("Skins/x.bmp"), m_dir.Path("data") + "/Skins/x.bmp")
        << "data missing beside the program comes from the installed data folder";
    EXPECT_FALSE(m_app.TitlePictureEnabled());
    EXPECT_TRUE(m_app.StartMaximised());
}

// Records the folder the skin is asked to load from.
class FolderRecordingSkin : public SkinSystem {
public:
    bool LoadSkin(const std::string& folder, const std::string& name) override {
        loadedFrom = folder + "Skins/" + name;
        return true;
    }
    void UnloadSkin() override {}
    std::string loadedFrom;
};

TEST_F(StartupTest, TheSkinComesFromBesideTheProgramElseFromTheInstalledDataFolder) {
    struct Case {
        std::vector<std::string> skinFolders;
        std::string expected;
    };
    const Case cases[] = {
        {{"program/Skins", "data/Skins"}, "program/Skins/default"},
        {{"data/Skins"}, "data/Skins/default"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(m_dir.Path("program"));
        std::filesystem::remove_all(m_dir.Path("data"));
        for (const std::string& folder : c.skinFolders) {
            std::filesystem::create_directories(m_dir.Path(folder));
        }
        FolderRecordingSkin skin;
        m_app.SetSkin(&skin);
        ASSERT_TRUE(Start());
        EXPECT_EQ(skin.loadedFrom, m_dir.Path(c.expected)) << c.skinFolders.size() << " folders";
    }
}

} // namespace
