#include "skin/CTitlePicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class CountingWidget : public QWidget {
public:
    int keys = 0;
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

class TitleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        CTitlePicture::EnableTitlePicture(true);
        m_owner.setGeometry(50, 50, 600, 400);
        m_owner.show();
    }
    void TearDown() override {
        CTitlePicture::CloseTitlePicture();
        CTitlePicture::EnableTitlePicture(true);
        QApplication::processEvents();
    }
    CountingWidget m_owner;
};

TEST_F(TitleFixture, ShowsThePictureCentredAtItsSize) {
    CTitlePicture::ShowTitlePicture(&m_owner, true);
    CTitlePicture* picture = CTitlePicture::Current();
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->Picture().isNull());
    EXPECT_EQ(picture->size(), QSize(350, 215));
    EXPECT_EQ(picture->geometry().center(), m_owner.frameGeometry().center());
    EXPECT_TRUE(picture->TimerRunning());
}

TEST_F(TitleFixture, NothingWhenDisabledAndOnlyOneAtATime) {
    CTitlePicture::EnableTitlePicture(false);
    CTitlePicture::ShowTitlePicture(&m_owner, true);
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    CTitlePicture::EnableTitlePicture(true);
    CTitlePicture::ShowTitlePicture(&m_owner, false);
    CTitlePicture* first = CTitlePicture::Current();
    CTitlePicture::ShowTitlePicture(&m_owner, true);
    EXPECT_EQ(CTitlePicture::Current(), first);
    EXPECT_FALSE(first->TimerRunning());
}

TEST_F(TitleFixture, AKeyPressClosesThePictureAndIsConsumed) {
    CTitlePicture::ShowTitlePicture(&m_owner, false);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&m_owner, &key);
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    EXPECT_EQ(m_owner.keys, 0);
    // With the picture gone, keys reach the window again.
    QKeyEvent again(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&m_owner, &again);
    EXPECT_EQ(m_owner.keys, 1);
}

TEST_F(TitleFixture, AMousePressAnywhereClosesThePictureAndIsConsumed) {
    CTitlePicture::ShowTitlePicture(&m_owner, false);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(55, 55), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&m_owner, &press);
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    EXPECT_EQ(m_owner.presses, 0);
}

TEST_F(TitleFixture, OtherEventsPassWhileThePictureIsShown) {
    CTitlePicture::ShowTitlePicture(&m_owner, false);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(55, 55), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    EXPECT_FALSE(CTitlePicture::TitlePictureFilter(&move));
    EXPECT_NE(CTitlePicture::Current(), nullptr);
}

TEST_F(TitleFixture, StoppedTimerKeepsThePictureUp) {
    CTitlePicture::ShowTitlePicture(&m_owner, true);
    CTitlePicture::StopTitleTimer();
    EXPECT_FALSE(CTitlePicture::Current()->TimerRunning());
}

TEST_F(TitleFixture, ClosesByItselfAfterItsTime) {
    CTitlePicture::ShowTitlePicture(&m_owner, true);
    QElapsedTimer clock;
    clock.start();
    while (CTitlePicture::Current() && clock.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(CTitlePicture::Current(), nullptr);
    EXPECT_GE(clock.elapsed(), CTitlePicture::kCloseAfterMs - 50);
}

} // namespace
