// The dictionary popup on the offscreen platform: opened for a word, stepped, timed and
// closed by the events the application sees while it is shown.
#include "view/widgets/CDicPopupWnd.h"

#include "dictionary/DicFileWriter.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The window below the popup: records the keys and clicks that reach it.
class Owner : public QWidget {
public:
    std::vector<int> keys;
    int clicks = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
    void mousePressEvent(QMouseEvent*) override { ++clicks; }
};

class DicPopupWndTest : public testing::Test {
protected:
    void SetUp() override {
        std::vector<DicSourceEntry> entries;
        for (const char* word : {"apple", "box", "boxer", "zoo"}) {
            entries.push_back({word, {0x01, word, "", std::string("meaning of ") + word, ""}});
        }
        ASSERT_EQ(DicFileWriter::Write(entries, dir.Path("d.idx"), dir.Path("d.dat"), {}), "");
        ASSERT_EQ(dictionary.OpenDictionary(dir.Path("d.idx")), 0);
        popupSettings.Enable(true);
        owner.resize(400, 300);
        owner.show();
    }
    void TearDown() override { CDicPopupWnd::CloseDictionaryPopup(); }

    void Show(const std::string& word, QPoint anchor = {100, 100}) {
        CDicPopupWnd::ShowDictionaryPopup(&owner, dictionary, popupSettings, word, anchor, 16);
    }
    // Sends a key press to the owner (the popup never has the focus); true when the popup
    // took it.
    bool Key(int key) {
        const std::size_t reached = owner.keys.size();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&owner, &press);
        return owner.keys.size() == reached;
    }
    // Whether a click is consumed is the input rules' business (tested headless).
    void ClickPopup(QPoint at) {
        CDicPopupWnd* popup = CDicPopupWnd::Current();
        QMouseEvent press(QEvent::MouseButtonPress, at, popup->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(popup, &press);
    }
    std::string Shown() const {
        return CDicPopupWnd::Current() ? CDicPopupWnd::Current()->Content().Headword() : "";
    }

    TempDir dir;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary{settings, prompts, ""};
    DicPopupSettings popupSettings{settings};
    Owner owner;
};

TEST_F(DicPopupWndTest, OpensOnceBesideTheWordAndStepsWithKeysAndMarks) {
    Show("Boxes,");
    ASSERT_EQ(Shown(), "boxer");
    CDicPopupWnd* popup = CDicPopupWnd::Current();
    EXPECT_EQ(popup->geometry().topLeft(), QPoint(100, 100));
    EXPECT_EQ(popup->width(), 280);
    EXPECT_TRUE(popup->TimerRunning());
    EXPECT_EQ(popup->TimerInterval(), 7000);
    Show("apple");
    EXPECT_EQ(CDicPopupWnd::Current(), popup);

    EXPECT_TRUE(Key(Qt::Key_Right));
    EXPECT_EQ(Shown(), "zoo");
    EXPECT_TRUE(Key(Qt::Key_Right)); // the last headword: nothing moves
    EXPECT_EQ(Shown(), "zoo");
    ClickPopup({230, 6}); // "<"
    EXPECT_EQ(Shown(), "boxer");
    EXPECT_TRUE(Key(Qt::Key_Left));
    EXPECT_EQ(Shown(), "box");
    ClickPopup({240, 6}); // ">"
    EXPECT_EQ(Shown(), "boxer");

    EXPECT_TRUE(Key(Qt::Key_PageUp));
    EXPECT_EQ(popup->TimerInterval(), 8000);
    EXPECT_EQ(popup->Content().Meaning(), "meaning of boxer\n(8 sec.)");
    EXPECT_TRUE(Key(Qt::Key_PageDown));
    EXPECT_EQ(popup->Content().Meaning(), "meaning of boxer\n(7 sec.)");
    EXPECT_EQ(CDicPopupWnd::Current(), popup);
}

TEST_F(DicPopupWndTest, ClosesOnEscapeConsumedAndOnOtherKeysAndClicksPassedOn) {
    Show("box");
    EXPECT_TRUE(Key(Qt::Key_Escape));
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);

    Show("box");
    EXPECT_FALSE(Key(Qt::Key_A));
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);

    Show("box");
    ClickPopup({20, 30});
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);

    Show("box");
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), owner.mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&owner, &right);
    EXPECT_EQ(owner.clicks, 1);
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);
}

TEST_F(DicPopupWndTest, ShowsNothingWithoutAnEntryADictionaryOrTheFeature) {
    Show("123");
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);
    Show("zzz");
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);
    popupSettings.Enable(false);
    Show("box");
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);
    popupSettings.Enable(true);
    dictionary.CloseDictionary();
    Show("box");
    EXPECT_EQ(CDicPopupWnd::Current(), nullptr);
}

TEST_F(DicPopupWndTest, GoesAboveTheLineAtTheBottomOfTheScreen) {
    const QRect area = owner.screen()->availableGeometry();
    Show("box", {area.left() + 10, area.bottom() - 5});
    ASSERT_NE(CDicPopupWnd::Current(), nullptr);
    EXPECT_EQ(CDicPopupWnd::Current()->geometry().bottom() + 1, area.bottom() - 5 - 16 - 2);
}

} // namespace
