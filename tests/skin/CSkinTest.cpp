#include "skin/CSkin.h"
#include "SkinTestSupport.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinTarget.h"

#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

struct RecordingTarget : SkinTarget {
    void SetSkinRect(int t, int number, const QRect& r) override {
        type = t;
        objectNumber = number;
        rect = r;
    }
    void SetGlyphStrip(const QRect& r) override { strip = r; }
    void SetContentArea(const QRect& r) override { content = r; }
    int type = 0;
    int objectNumber = 0;
    QRect rect, strip, content;
};

const char* kList = "; test skin\n"
                    "12, 1, 10, 20, 30, 40\n"
                    "13, 2, 50, 60, 20, 10, 0\n"
                    "31, 3, 100, 30, 80, 20, 0\n"
                    "41, 5, 0, 200, 8, 10, 0\n"
                    "61, 9, 120, 40, 50, 12, 0\n"
                    "70, 4, 1, 1, 1, 1, 0\n"
                    "101, 10, 0, 0, 40, 30, 0\n"
                    "104, 10, 0, 30, 6, 10, 0\n"
                    "112, 10, 50, 50, 4, 5, 0\n"
                    "120, 10, 1, 2, 3, 4, 0\n"
                    "121, 10, 9, 9, 9, 9, 0\n";

class CSkinFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_crafted.Write(kList);
        ASSERT_TRUE(m_skin.LoadSkin(m_crafted.Folder(), "default"));
    }
    CraftedSkin m_crafted;
    CSkin m_skin;
};

TEST(CSkinLoad, FailsWhenTheOnBitmapIsMissingButKeepsTheOnesLoaded) {
    CraftedSkin crafted;
    crafted.Write(kList, false);
    CSkin skin;
    EXPECT_FALSE(skin.LoadSkin(crafted.Folder(), "default"));
    EXPECT_FALSE(skin.IsLoaded());
    EXPECT_FALSE(skin.Bitmap(SkinBitmap::Click).isNull());
    EXPECT_TRUE(skin.Bitmap(SkinBitmap::On).isNull());
}

TEST(CSkinLoad, FailsForAnUnknownSkinNameOrAMissingObjectList) {
    CraftedSkin crafted;
    crafted.Write(kList);
    CSkin skin;
    EXPECT_FALSE(skin.LoadSkin(crafted.Folder(), "other"));
    std::remove(crafted.ObjectListPath().c_str());
    EXPECT_FALSE(skin.LoadSkin(crafted.Folder(), "default"));
}

TEST_F(CSkinFixture, LoadsTheFourBitmapsAsTheyAreNamed) {
    EXPECT_TRUE(m_skin.IsLoaded());
    for (SkinBitmap which :
         {SkinBitmap::Off, SkinBitmap::Over, SkinBitmap::Click, SkinBitmap::On}) {
        EXPECT_EQ(m_skin.Bitmap(which).pixelColor(5, 5), CraftedSkin::StateColor(which));
    }
    EXPECT_EQ(m_skin.ObjectListPath(), m_crafted.ObjectListPath());
    m_skin.UnloadSkin();
    EXPECT_FALSE(m_skin.IsLoaded());
}

TEST_F(CSkinFixture, FillsTheTwentyFramePiecesFromTypeTenLines) {
    EXPECT_EQ(m_skin.FramePiece(101), QRect(0, 0, 40, 30));
    EXPECT_EQ(m_skin.FramePiece(104), QRect(0, 30, 6, 10));
    EXPECT_EQ(m_skin.FramePiece(112), QRect(50, 50, 4, 5));
    EXPECT_EQ(m_skin.FramePiece(120), QRect(1, 2, 3, 4));
    EXPECT_TRUE(m_skin.FramePiece(102).isNull());
    EXPECT_TRUE(m_skin.FramePiece(121).isNull());
}

TEST_F(CSkinFixture, AppliesButtonsAndDisplaysByType) {
    RecordingTarget button;
    EXPECT_EQ(m_skin.ApplySkinObject(button, 13), 1);
    EXPECT_EQ(button.type, 2);
    EXPECT_EQ(button.rect, QRect(50, 60, 20, 10));
    RecordingTarget display;
    EXPECT_EQ(m_skin.ApplySkinObject(display, 31), 1);
    EXPECT_EQ(display.type, 3);
    EXPECT_EQ(display.objectNumber, 31);
    EXPECT_EQ(m_skin.ApplySkinObject(display, 41), 1);
    EXPECT_EQ(display.strip, QRect(0, 200, 8, 10));
}

TEST_F(CSkinFixture, AbsentAndUnusedTypesApplyNothingButSucceed) {
    RecordingTarget target;
    EXPECT_EQ(m_skin.ApplySkinObject(target, 99), 1);
    EXPECT_EQ(m_skin.ApplySkinObject(target, 70), 1);
    EXPECT_EQ(target.type, 0);
    EXPECT_TRUE(target.strip.isNull());
}

TEST_F(CSkinFixture, AMalformedLineLeavesTheButtonAtItsTemplatePlace) {
    QWidget form;
    CSkinButton button(m_skin, &form);
    button.setGeometry(3, 4, 5, 6);
    EXPECT_EQ(m_skin.ApplySkinObject(button, 12), -1);
    EXPECT_EQ(button.geometry(), QRect(3, 4, 5, 6));
    EXPECT_EQ(m_skin.ApplySkinObject(button, 13), 1);
    EXPECT_EQ(button.geometry(), QRect(50, 60, 20, 10));
    EXPECT_EQ(button.SkinType(), 2);
}

TEST_F(CSkinFixture, ContentAreaIsStoredRelativeToTheDisplay) {
    QWidget form;
    CSkinDisplay display(m_skin, &form);
    EXPECT_EQ(m_skin.ApplySkinObject(display, 31), 1);
    EXPECT_EQ(m_skin.ApplySkinObject(display, 61), 1);
    EXPECT_EQ(display.geometry(), QRect(100, 30, 80, 20));
    EXPECT_EQ(display.DisplayNumber(), 31);
    EXPECT_EQ(display.ContentArea(), QRect(20, 10, 50, 12));
}

TEST_F(CSkinFixture, AFrameRectangleTakesOnlyTypeTen) {
    QRect rect(1, 1, 1, 1);
    EXPECT_EQ(m_skin.ApplySkinObject(rect, 31), 1);
    EXPECT_EQ(rect, QRect(1, 1, 1, 1));
    EXPECT_EQ(m_skin.ApplySkinObject(rect, 12), -1);
    EXPECT_EQ(m_skin.ApplySkinObject(rect, 101), 1);
    EXPECT_EQ(rect, QRect(0, 0, 40, 30));
}

TEST(CSkinHostile, ExtremeNumbersAreBoundedAndDrawWithoutHarm) {
    CraftedSkin crafted;
    crafted.Write("31, 3, -2147483648, 2147483647, 2147483647, -5, 0\n"
                  "41, 5, 2147483647, 2147483647, 2147483647, 2147483647, 0\n"
                  "62, 9, -2147483648, -2147483648, 2147483647, 2147483647, 0\n"
                  "32, 3, 0, 0, 50, 50, 0\n");
    CSkin skin;
    ASSERT_TRUE(skin.LoadSkin(crafted.Folder(), "default"));
    QWidget form;
    CSkinDisplay time(skin, &form);
    EXPECT_EQ(skin.ApplySkinObject(time, 31), 1);
    EXPECT_EQ(skin.ApplySkinObject(time, 41), 1);
    EXPECT_EQ(skin.ApplySkinObject(time, 62), 1);
    EXPECT_EQ(time.height(), 0);
    time.SetPosition(125000, 1000);
    time.grab();
    CSkinDisplay spectrum(skin, &form);
    skin.ApplySkinObject(spectrum, 32);
    skin.ApplySkinObject(spectrum, 41);
    skin.ApplySkinObject(spectrum, 62);
    std::vector<int> levels(20, 16);
    spectrum.SetLevels(levels);
    EXPECT_EQ(spectrum.grab().size(), QSize(50, 50));
}

TEST_F(CSkinFixture, AnUnreadableListGivesMinusOne) {
    std::remove(m_crafted.ObjectListPath().c_str());
    RecordingTarget target;
    EXPECT_EQ(m_skin.ApplySkinObject(target, 13), -1);
}

} // namespace
