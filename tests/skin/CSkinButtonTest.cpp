#include "skin/CSkinButton.h"
#include "SkinTestSupport.h"
#include "skin/SkinHover.h"

#include <QApplication>
#include <QEnterEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

const char* kList = "1, 1, 10, 10, 30, 20, 0\n"
                    "2, 1, 50, 10, 30, 20, 0\n"
                    "3, 2, 90, 10, 30, 20, 0\n";

class ButtonFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_crafted.Write(kList);
        ASSERT_TRUE(m_skin.LoadSkin(m_crafted.Folder(), "default"));
        m_form.setGeometry(100, 100, 200, 60);
        for (int i = 0; i < 3; ++i) {
            m_buttons[i] = new CSkinButton(m_skin, &m_form);
            m_skin.ApplySkinObject(*m_buttons[i], i + 1);
        }
        m_form.show();
        m_form.activateWindow();
        QApplication::processEvents();
        SkinHover::SetPointerSource([this] { return m_pointer; });
    }
    void TearDown() override { SkinHover::SetPointerSource(nullptr); }

    // The pointer moves onto a button: the window system reports the entry.
    void PointTo(CSkinButton* button) {
        m_pointer = button->mapToGlobal(QPoint(5, 5));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(m_pointer));
        QApplication::sendEvent(button, &enter);
    }

    QColor Painted(CSkinButton* button) { return button->grab().toImage().pixelColor(3, 3); }

    CraftedSkin m_crafted;
    CSkin m_skin;
    QWidget m_form;
    CSkinButton* m_buttons[3] = {};
    QPoint m_pointer{0, 0};
};

TEST_F(ButtonFixture, ButtonsTakeTheirPlaceAndPictureFromTheSkin) {
    EXPECT_EQ(m_buttons[1]->geometry(), QRect(50, 10, 30, 20));
    EXPECT_EQ(Painted(m_buttons[0]), CraftedSkin::StateColor(SkinBitmap::Off));
}

TEST_F(ButtonFixture, QuickMovesLeaveExactlyOneHoveredButton) {
    ASSERT_TRUE(m_form.isActiveWindow());
    // The pointer crosses all three buttons without any timer tick in between.
    PointTo(m_buttons[0]);
    PointTo(m_buttons[1]);
    PointTo(m_buttons[2]);
    PointTo(m_buttons[1]);
    EXPECT_EQ(SkinHover::Hovered(), m_buttons[1]);
    EXPECT_TRUE(SkinHover::TimerRunning());
    int hoverPainted = 0;
    for (CSkinButton* button : m_buttons) {
        hoverPainted += button->IsHoverPainted() ? 1 : 0;
    }
    EXPECT_EQ(hoverPainted, 1);
    EXPECT_EQ(Painted(m_buttons[1]), CraftedSkin::StateColor(SkinBitmap::Over));
    EXPECT_EQ(Painted(m_buttons[0]), CraftedSkin::StateColor(SkinBitmap::Off));
}

TEST_F(ButtonFixture, TheTimerDropsTheHoverOnceThePointerHasLeft) {
    PointTo(m_buttons[0]);
    SkinHover::Tick();
    EXPECT_EQ(SkinHover::Hovered(), m_buttons[0]);
    m_pointer = QPoint(0, 0);
    SkinHover::Tick();
    EXPECT_EQ(SkinHover::Hovered(), nullptr);
    EXPECT_FALSE(SkinHover::TimerRunning());
    EXPECT_EQ(Painted(m_buttons[0]), CraftedSkin::StateColor(SkinBitmap::Off));
}

TEST_F(ButtonFixture, ADestroyedHoveredButtonStopsTheHover) {
    PointTo(m_buttons[2]);
    delete m_buttons[2];
    EXPECT_EQ(SkinHover::Hovered(), nullptr);
    EXPECT_FALSE(SkinHover::TimerRunning());
}

TEST_F(ButtonFixture, AToggleThatIsOnShowsOnNormallyAndUnderThePointerAndClickWhenPressed) {
    CSkinButton* toggle = m_buttons[2];
    toggle->SetOn(true);
    EXPECT_EQ(Painted(toggle), CraftedSkin::StateColor(SkinBitmap::On));
    PointTo(toggle);
    EXPECT_TRUE(toggle->IsHoverPainted());
    EXPECT_EQ(Painted(toggle), CraftedSkin::StateColor(SkinBitmap::On));
    toggle->setDown(true);
    EXPECT_EQ(Painted(toggle), CraftedSkin::StateColor(SkinBitmap::Click));
    toggle->setDown(false);
    toggle->SetOn(false);
    EXPECT_EQ(Painted(toggle), CraftedSkin::StateColor(SkinBitmap::Over));
}

TEST_F(ButtonFixture, ADisabledButtonShowsTheNormalPicture) {
    m_buttons[0]->SetOn(true);
    m_buttons[0]->setEnabled(false);
    PointTo(m_buttons[0]);
    EXPECT_EQ(m_buttons[0]->CurrentPicture(), SkinBitmap::Off);
    EXPECT_EQ(Painted(m_buttons[0]), CraftedSkin::StateColor(SkinBitmap::Off));
}

TEST_F(ButtonFixture, NoHoverPictureWhileTheWindowIsInactive) {
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    if (m_form.isActiveWindow()) {
        GTEST_SKIP() << "the platform did not move the activation";
    }
    PointTo(m_buttons[0]);
    EXPECT_FALSE(m_buttons[0]->IsHoverPainted());
    EXPECT_EQ(Painted(m_buttons[0]), CraftedSkin::StateColor(SkinBitmap::Off));
}

TEST_F(ButtonFixture, ClickingReportsOnce) {
    int clicks = 0;
    QObject::connect(m_buttons[0], &CSkinButton::clicked, [&] { ++clicks; });
    m_buttons[0]->click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
