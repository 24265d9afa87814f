#include "app/CEarlarkApp.h"
#include "document/CEarlarkDoc.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "skin/CSkin.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinControlSet.h"
#include "skin/SkinFramePainter.h"
#include "support/FakeStartupPorts.h"
#include "view/AcceleratorTable.h"
#include "view/CEarlarkMainView.h"
#include "view/ViewCommandIds.h"
#include "view/widgets/AcceleratorKeys.h"
#include "view/widgets/CLwBox.h"
#include "view/widgets/CSentenceListBox.h"
#include "view/widgets/CStudyForm.h"
#include "view/widgets/ColorRef.h"
#include "view/widgets/FontChoiceMapping.h"
#include "view/widgets/MenuBuilder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace {

// A study form over the real study view, on a document of a few sentences.
class FormFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_skin.LoadSkin(std::string(EARLARK_SOURCE_DIR) + "/resources/", "default"));
    }
    void TearDown() override {
        if (m_form) {
            m_form->SetView(nullptr);
        }
        m_view.reset();
        m_form.reset();
    }
    void Make(std::vector<std::u16string> transcriptions) {
        for (const std::u16string& text : transcriptions) {
            auto sentence = std::make_unique<CEarlarkWaveSection>();
            sentence->m_strListenWrite = text;
            m_doc.m_sections.Add(std::move(sentence));
        }
        m_form = std::make_unique<CStudyForm>(m_skin);
        m_form->resize(800, 600);
        m_view = std::make_unique<CEarlarkMainView>(m_doc, m_app.Audio(),
                                                    ViewPorts{m_form->List(), m_form->ListenWrite(),
                                                              m_form->Original(), *m_form, *m_form,
                                                              m_prompts, m_dialogs, m_settings});
        m_form->SetView(m_view.get());
        m_view->OnInitialUpdate();
    }
    PaneLayout Expected(bool list, bool original) const {
        return PaneLayout::Compute(800, 600, m_form->Margins(), list, original);
    }
    static QRect Rect(const PaneRect& r) { return QRect(r.x, r.y, r.width, r.height); }
    // Runs `inspect` on the popup menu the command opens, then presses `keys` in it.
    void WithPopup(int command, std::function<void(QMenu&)> inspect) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            seen = true;
            inspect(*menu);
            if (menu->isVisible()) {
                menu->close();
            }
        });
        m_form->RunCommand(command, {});
        EXPECT_TRUE(seen);
    }
    static QAction* ActionOf(QMenu& menu, int id) {
        for (QAction* action : menu.findChildren<QAction*>()) {
            if (MenuBuilder::CommandOf(action) == id) {
                return action;
            }
        }
        return nullptr;
    }

    ScriptedPrompts m_prompts;
    ScriptedFileDialogs m_dialogs;
    MemorySettingsStore m_settings;
    FakeInstanceGuard m_instance;
    FakeRichText m_richText;
    CEarlarkDoc m_doc;
    CEarlarkApp m_app{{m_prompts, m_dialogs, m_settings, m_instance, m_richText}, m_doc};
    CSkin m_skin;
    std::unique_ptr<CStudyForm> m_form;
    std::unique_ptr<CEarlarkMainView> m_view;
};

TEST_F(FormFixture, PanesLieWherePaneLayoutPutsThemForTheSkin) {
    Make({u"a", u"b"});
    const PaneMargins margins = m_form->Margins();
    EXPECT_GT(margins.top, 100); // the deck
    EXPECT_GT(margins.gap, 0);
    struct Step {
        int command;
        bool list;
        bool original;
    };
    const Step steps[] = {{0, true, false},
                          {cmd::kShowOriginal, true, true},
                          {cmd::kShowSentenceBox, false, true},
                          {cmd::kShowOriginal, false, false}};
    for (const Step& step : steps) {
        if (step.command) {
            m_form->RunCommand(step.command, {});
        }
        const PaneLayout expected = Expected(step.list, step.original);
        EXPECT_EQ(m_form->List().isVisibleTo(m_form.get()), step.list);
        if (step.list) {
            EXPECT_EQ(m_form->List().geometry(), Rect(expected.list));
        }
        EXPECT_EQ(m_form->ListenWrite().geometry(), Rect(expected.listenWrite));
        EXPECT_EQ(m_form->Original().geometry(), Rect(expected.original));
    }
}

TEST_F(FormFixture, SeparatorsLieBelowTheListAndBelowTheListenWriteBox) {
    Make({u"a"});
    m_form->RunCommand(cmd::kShowOriginal, {});
    const QImage image = m_form->grab().toImage();
    const QImage& skin = m_skin.Bitmap(SkinBitmap::Off);
    const QRect middle = m_skin.FramePiece(112);
    const int x = m_form->Margins().left + m_skin.FramePiece(111).width();
    const PaneLayout layout = Expected(true, true);
    for (int top :
         {layout.list.y + layout.list.height, layout.listenWrite.y + layout.listenWrite.height}) {
        for (int k = 0; k < middle.height(); ++k) {
            EXPECT_EQ(image.pixelColor(x + 2, top + k),
                      skin.pixelColor(middle.x() + 2, middle.y() + k))
                << "strip at " << top << " row " << k;
        }
    }
}

TEST_F(FormFixture, TooltipsAreTheFormsTextsAndOnlyThose) {
    Make({});
    const std::pair<int, const char*> expected[] = {
        {1001, "Play (F5)"},
        {1022, "Increase number of repetition (Ctrl+]) Repeat infinately (Ctrl+Shift+])"},
        {1097, "Search in Mini-dictionary"},
        {108, "Open Study File (Ctrl+O) / Import Audio File(WAV,MP3,EKW) (Ctrl+N)"},
        {110, "About Earlark...."},
        {1034, ""},
        {1203, ""},
        {111, ""},
        {2202, ""},
    };
    for (const auto& [id, text] : expected) {
        ASSERT_NE(m_form->Control(id), nullptr) << id;
        EXPECT_EQ(m_form->Control(id)->toolTip().toStdString(), text) << id;
    }
}

TEST_F(FormFixture, TheDictionaryFieldIsHiddenEditableAndDropsWide) {
    Make({});
    QComboBox& combo = m_form->Dictionary();
    EXPECT_FALSE(combo.isVisibleTo(m_form.get()));
    EXPECT_TRUE(combo.isEditable());
    EXPECT_EQ(combo.view()->minimumWidth(), CStudyForm::kDictionaryDropWidth);
}

TEST_F(FormFixture, DisplaysAndButtonsShowWhatTheViewPushes) {
    m_doc.m_nRepeat = 7;
    m_doc.m_nDisplayFlags = CEarlarkDoc::kCompareMode;
    Make({u"a", u"b", u"c"});
    m_doc.m_sections.GetAt(1)->m_nClipEnd = 100;
    SkinControlSet& controls = m_form->Controls();
    EXPECT_EQ(controls.Display(1084)->Values().repetitions, 7);
    EXPECT_EQ(controls.Display(1088)->Values().current, 1);
    EXPECT_EQ(controls.Display(1088)->Values().count, 3);
    EXPECT_TRUE(controls.Button(cmd::kCompareMode)->IsOn());
    EXPECT_FALSE(controls.Button(cmd::kPlayClip)->isVisibleTo(m_form.get()));
    m_view->OnListSelect(1);
    EXPECT_TRUE(controls.Button(cmd::kPlayClip)->isVisibleTo(m_form.get()));
    EXPECT_EQ(controls.Display(1088)->Values().current, 2);
    m_form->SetTime(0xFFFFFFFFu, 44100);
    EXPECT_EQ(controls.Display(1083)->Values().position, -1);
    m_form->SetTime(4410, 44100);
    EXPECT_EQ(controls.Display(1083)->Values().position, 4410);
}

// Keys of the whole table, pressed on the form and on a box with its focus.
TEST_F(FormFixture, EveryAcceleratorReachesItsCommandFromTheFormAndFromABox) {
    CStudyForm form(m_skin); // no view: only the routing is watched
    QSignalSpy issued(&form, &CStudyForm::commandIssued);
    for (QWidget* target :
         {static_cast<QWidget*>(&form), static_cast<QWidget*>(&form.ListenWrite())}) {
        for (const Accelerator& entry : AcceleratorTable::Entries()) {
            const KeyChord chord = *AcceleratorKeys::Parse(entry.key);
            issued.clear();
            QTest::keyClick(target, Qt::Key(chord.key), chord.modifiers);
            ASSERT_EQ(issued.count(), 1) << entry.key;
            EXPECT_EQ(issued[0][0].toInt(), entry.command) << entry.key;
            EXPECT_EQ(issued[0][1].value<KeyModifiers>().shift,
                      chord.modifiers.testFlag(Qt::ShiftModifier))
                << entry.key;
        }
    }
    EXPECT_EQ(form.ListenWrite().Text(), u"");
    // Layouts that report the shifted character of a punctuation key.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> shifted[] = {
        {Qt::Key_Less, Qt::ControlModifier | Qt::ShiftModifier, cmd::kStartEarlierMore},
        {Qt::Key_Greater, Qt::AltModifier | Qt::ShiftModifier, cmd::kEndLaterMore},
        {Qt::Key_BraceRight, Qt::ControlModifier | Qt::ShiftModifier, cmd::kRepeatEndless},
    };
    for (const auto& [key, modifiers, command] : shifted) {
        issued.clear();
        QTest::keyClick(&form.Original(), key, modifiers);
        ASSERT_EQ(issued.count(), 1);
        EXPECT_EQ(issued[0][0].toInt(), command);
    }
    // A key the table does not bind is the box's.
    issued.clear();
    QTest::keyClick(&form.ListenWrite(), Qt::Key_Q);
    EXPECT_EQ(issued.count(), 0);
    EXPECT_EQ(form.ListenWrite().Text(), u"q");
}

TEST_F(FormFixture, EnterInTheBoxMovesOnAndKeepsTheTypedText) {
    Make({u"", u"second"});
    QTest::keyClicks(&m_form->ListenWrite(), "typed");
    QTest::keyClick(&m_form->ListenWrite(), Qt::Key_Return);
    EXPECT_EQ(m_view->State().m_curIndex, 1);
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strListenWrite, u"typed");
    EXPECT_EQ(m_form->ListenWrite().Text(), u"second");
    EXPECT_EQ(m_form->List().CurSel(), 1);
}

TEST_F(FormFixture, AListClickShowsThatRow) {
    Make({u"first", u"second", u"third"});
    QTest::mouseClick(m_form->List().viewport(), Qt::LeftButton, {}, QPoint(40, 2 * 19 + 5));
    EXPECT_EQ(m_view->State().m_curIndex, 2);
    EXPECT_EQ(m_form->ListenWrite().Text(), u"third");
}

TEST_F(FormFixture, APostedCommandRunsAfterTheCurrentOneHasReturned) {
    Make({u"a", u"b"});
    m_form->PostCommand(cmd::kNext);
    EXPECT_EQ(m_view->State().m_curIndex, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view->State().m_curIndex, 1);
}

TEST_F(FormFixture, TheMainMenuCarriesTheChecksOfTheMoment) {
    m_doc.m_nCharSet = 129;
    Make({u"a", u"b"});
    m_doc.m_sections.GetAt(1)->m_nFlags = CEarlarkWaveSection::kHighlighted;
    m_form->RunCommand(cmd::kListHighlighted, {});
    m_form->RunCommand(cmd::kAlwaysOnTop, {});
    m_form->RunCommand(cmd::kShowRepeatCount, {}); // on by default: now off
    WithPopup(cmd::kMenu, [](QMenu& menu) {
        const std::pair<int, bool> checks[] = {
            {cmd::kListAll, false},         {cmd::kListHighlighted, true},
            {cmd::kListRandom, false},      {cmd::kLanguageKorean, true},
            {cmd::kLanguageEnglish, false}, {cmd::kAlwaysOnTop, true},
            {cmd::kShowRepeatCount, false}, {cmd::kOriginalEditMode, false},
        };
        for (const auto& [id, checked] : checks) {
            QAction* action = ActionOf(menu, id);
            ASSERT_NE(action, nullptr) << id;
            EXPECT_EQ(action->isChecked(), checked) << id;
            EXPECT_TRUE(action->shortcut().isEmpty()) << id;
        }
        EXPECT_EQ(ActionOf(menu, cmd::kFont)->text(), "Korean Fon&t...");
        EXPECT_EQ(ActionOf(menu, cmd::kShowSentenceBox)->text(), "Show/Hide Sentence Box\tAlt+V");
        EXPECT_EQ(menu.actions().front()->menu()->title(), "&View Options");
    });
}

TEST_F(FormFixture, AChosenMenuItemRunsItsCommand) {
    Make({u"a"});
    ASSERT_FALSE(m_view->State().m_originalEditMode);
    WithPopup(cmd::kMenu, [](QMenu& menu) {
        menu.setActiveAction(ActionOf(menu, cmd::kOriginalEditMode));
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    EXPECT_TRUE(m_view->State().m_originalEditMode);
}

TEST_F(FormFixture, PopupsOpenLeftAlignedOnePixelBelowTheirButton) {
    Make({});
    m_form->SetRecentFiles([] { return std::vector<std::string>{"/tmp/a.ekd"}; });
    const QWidget* button = m_form->Control(cmd::kOpenButton);
    const QPoint below = button->mapToGlobal(QPoint(0, button->height() + 1));
    WithPopup(cmd::kOpenButton, [&](QMenu& menu) {
        EXPECT_EQ(menu.pos(), below);
        QAction* recent = ActionOf(menu, cmd::kRecentFile1);
        ASSERT_NE(recent, nullptr);
        EXPECT_EQ(recent->text(), "&1 /tmp/a.ekd");
        EXPECT_TRUE(menu.actions().at(2)->isSeparator());
    });
}

TEST(FormMappingTest, FontChoicesSurviveTheDialogsFont) {
    const FontChoice choices[] = {{u"DejaVu Sans", -16, 0, 129},
                                  {u"DejaVu Serif", -24, 1 | 2, 0},
                                  {u"DejaVu Sans", -12, 4 | 8, 128}};
    for (const FontChoice& choice : choices) {
        const QFont font = FontChoiceMapping::ToQFont(choice);
        EXPECT_EQ(font.pixelSize(), -choice.height);
        const FontChoice back = FontChoiceMapping::FromQFont(font, choice);
        EXPECT_EQ(back.face, choice.face);
        EXPECT_EQ(back.height, choice.height);
        EXPECT_EQ(back.style, choice.style);
        EXPECT_EQ(back.charSet, choice.charSet);
    }
    // The dialog's point sizes become pixel heights; only weights above normal are bold.
    QFont points("DejaVu Sans");
    points.setPointSize(12);
    points.setWeight(QFont::Medium);
    const FontChoice chosen = FontChoiceMapping::FromQFont(points, {u"x", -16, 0, 134});
    EXPECT_EQ(chosen.height, -QFontInfo(points).pixelSize());
    EXPECT_EQ(chosen.style, 1u);
    EXPECT_EQ(chosen.charSet, 134);
    points.setWeight(QFont::Normal);
    EXPECT_EQ(FontChoiceMapping::FromQFont(points, {}).style, 0u);
}

TEST(FormMappingTest, ColoursAreRedInTheLowByte) {
    EXPECT_EQ(ColorRef::ToQColor(0x009D542C), QColor(44, 84, 157));
    EXPECT_EQ(ColorRef::FromQColor(QColor(231, 222, 206)), 0x00CEDEE7u);
    EXPECT_EQ(ColorRef::FromQColor(ColorRef::ToQColor(0x00123456)), 0x00123456u);
}

} // namespace
