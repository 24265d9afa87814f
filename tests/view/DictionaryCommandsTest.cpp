// The study view's Mini-Dictionary requests: look-ups reach the popup through the port,
// Enter in the search field searches, and 32810 opens the chosen dictionary.
#include "view/DictionaryCommands.h"
#include "support/HeadlessStudyView.h"

#include "app/StudyAudio.h"
#include "dictionary/DicFileWriter.h"
#include "dictionary/MiniDictionary.h"
#include "document/CEarlarkDoc.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "support/TempDir.h"
#include "view/CEarlarkMainView.h"
#include "view/DictionaryPort.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <gtest/gtest.h>

namespace {

// Records what the view asks of the popup and answers for the search field.
struct RecordingPort : DictionaryPort {
    void ClosePopup() override { calls.push_back("close"); }
    void ShowPopup(const std::string& word, int x, int y, int lineHeight) override {
        calls.push_back("show " + word + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                        std::to_string(lineHeight));
    }
    bool SearchFieldHasFocus() const override { return focus; }
    std::string SearchFieldText() const override { return text; }
    void AddSearchToList(const std::string& added) override { list.insert(list.begin(), added); }
    int SearchFieldLeft() const override { return 40; }
    int SearchFieldBottom() const override { return 300; }
    int SearchFieldHeight() const override { return 21; }

    bool focus = false;
    std::string text;
    std::vector<std::string> list;
    std::vector<std::string> calls;
};

class DictionaryCommandsTest : public ::testing::Test, protected HeadlessStudyView {
protected:
    DictionaryCommandsTest() {
        doc.m_sections.Add(std::make_unique<CEarlarkWaveSection>());
        view.OnInitialUpdate();
        view.Dictionary().Attach(&dictionary, &port);
    }

    MiniDictionary dictionary{settings, prompts, ""};
    RecordingPort port;
};

TEST_F(DictionaryCommandsTest, ALookUpClosesAnyPopupFirst) {
    view.Dictionary().LookUpWord("Running", 120, 340, 16);
    EXPECT_EQ(port.calls, (std::vector<std::string>{"close", "show Running 120,340 16"}));
}

TEST_F(DictionaryCommandsTest, EnterSearchesOnlyFromTheSearchField) {
    port.text = "  hope \t";
    view.OnCommand(cmd::kEnter);
    EXPECT_TRUE(port.calls.empty());

    port.focus = true;
    view.OnCommand(cmd::kEnter);
    port.text = " ";
    view.OnCommand(cmd::kEnter);
    EXPECT_EQ(port.list, std::vector<std::string>{"hope"});
    EXPECT_EQ(port.calls, (std::vector<std::string>{"close", "show hope 40,300 22", "close",
                                                    "show  40,300 22"}));
}

TEST_F(DictionaryCommandsTest, PathSetupOpensTheChosenIndex) {
    TempDir dir;
    const std::string index = dir.Path("eng-deu.idx");
    ASSERT_EQ(DicFileWriter::Write({}, index, dir.Path("eng-deu.dat"), {}), "");

    view.OnCommand(cmd::kDictionaryPath);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Mini-dictionary path");
    EXPECT_EQ(dialogs.requests[0].filter, "Mini-Dictionary (*.idx)|*.idx||");
    EXPECT_TRUE(dialogs.requests[0].mustExist);
    EXPECT_FALSE(dictionary.DictionaryReady());

    dialogs.answer = index;
    view.OnCommand(cmd::kDictionaryPath);
    EXPECT_TRUE(dictionary.DictionaryReady());
    EXPECT_EQ(settings::kMiniDicPath0.Read(settings), index);
    view.OnCommand(cmd::kDictionaryPath);
    EXPECT_EQ(dialogs.requests.back().initialPath, dir.Path("eng-deu.dat"));

    dialogs.answer = dir.Path("gone.idx");
    view.OnCommand(cmd::kDictionaryPath);
    EXPECT_FALSE(dictionary.DictionaryReady());
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].substr(0, dir.Path("gone.idx").size() + 2),
              dir.Path("gone.idx") + "\n\n");
}

} // namespace
