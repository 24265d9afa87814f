// The main-form menu's checks and texts follow the view's state.
#include "view/MenuCommands.h"
#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "support/HeadlessStudyView.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <gtest/gtest.h>

namespace {

class MenuCommandsTest : public ::testing::Test, protected HeadlessStudyView {
protected:
    MenuCommandsTest() {
        for (int i = 0; i < 3; ++i) {
            auto record = std::make_unique<CEarlarkWaveSection>();
            record->m_nFlags = i == 1 ? CEarlarkWaveSection::kHighlighted : 0;
            doc.m_sections.Add(std::move(record));
        }
        view.OnInitialUpdate();
    }

    // The menu as F10 shows it now.
    MenuModel ShownMenu() {
        view.OnCommand(cmd::kMenu);
        return form.lastMenu;
    }
};

TEST_F(MenuCommandsTest, ChecksTheListModeLanguageAndSwitchesOfTheMoment) {
    struct Case {
        int command; // run before the menu opens; 0 for none
        std::vector<int> checked;
        const char* fontItem;
    };
    for (const Case& c : {
             Case{0,
                  {cmd::kListAll, cmd::kLanguageEnglish, cmd::kShowRepeatCount},
                  "English Fon&t..."},
             Case{cmd::kListHighlighted,
                  {cmd::kListHighlighted, cmd::kLanguageEnglish, cmd::kShowRepeatCount},
                  "English Fon&t..."},
             Case{cmd::kLanguageKorean,
                  {cmd::kListHighlighted, cmd::kLanguageKorean, cmd::kShowRepeatCount},
                  "Korean Fon&t..."},
             Case{cmd::kListRandom,
                  {cmd::kListRandom, cmd::kLanguageKorean, cmd::kShowRepeatCount},
                  "Korean Fon&t..."},
             Case{cmd::kShowRepeatCount,
                  {cmd::kListRandom, cmd::kLanguageKorean},
                  "Korean Fon&t..."},
             Case{cmd::kAlwaysOnTop,
                  {cmd::kListRandom, cmd::kLanguageKorean, cmd::kAlwaysOnTop},
                  "Korean Fon&t..."},
             Case{cmd::kOriginalEditMode,
                  {cmd::kListRandom, cmd::kLanguageKorean, cmd::kAlwaysOnTop,
                   cmd::kOriginalEditMode},
                  "Korean Fon&t..."},
         }) {
        if (c.command != 0) {
            view.OnCommand(c.command);
        }
        MenuModel menu = ShownMenu();
        for (int id : {cmd::kListAll, cmd::kListHighlighted, cmd::kListRandom,
                       cmd::kLanguageEnglish, cmd::kLanguageJapanese, cmd::kLanguageKorean,
                       cmd::kLanguageChineseSimplified, cmd::kLanguageChineseTraditional,
                       cmd::kAlwaysOnTop, cmd::kShowRepeatCount, cmd::kOriginalEditMode}) {
            const MenuItem* item = menu.Find(id);
            ASSERT_NE(item, nullptr) << id;
            const bool expected =
                std::find(c.checked.begin(), c.checked.end(), id) != c.checked.end();
            EXPECT_EQ(item->checked, expected) << "item " << id << " after " << c.command;
        }
        EXPECT_EQ(menu.Find(cmd::kFont)->text, c.fontItem);
    }
}

TEST_F(MenuCommandsTest, TheChosenItemRunsAndOptionsAreWrittenOnDestroy) {
    form.menuChoice = cmd::kListRandom;
    view.OnCommand(cmd::kMenu);
    EXPECT_TRUE(view.State().m_randomOrder);

    doc.m_nCharSet = 77;
    EXPECT_EQ(ShownMenu().Find(cmd::kFont)->text, " Fon&t...");

    view.OnCommand(cmd::kAlwaysOnTop);
    view.OnCommand(cmd::kShowRepeatCount);
    view.OnDestroy();
    EXPECT_EQ(settings.GetInt("Etc", "Options", -1), 1);
    EXPECT_TRUE(form.topmost);
}

} // namespace
