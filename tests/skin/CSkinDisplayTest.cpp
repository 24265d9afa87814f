#include "skin/CSkinDisplay.h"
#include "SkinTestSupport.h"
#include "skin/DisplayGlyphs.h"

#include <QWidget>
#include <array>
#include <gtest/gtest.h>

namespace {

const char* kList = "31, 3, 10, 10, 100, 30, 0\n"
                    "36, 3, 10, 50, 100, 30, 0\n"
                    "33, 3, 10, 90, 40, 30, 0\n"
                    "34, 3, 10, 130, 40, 30, 0\n"
                    "35, 3, 10, 170, 50, 30, 0\n"
                    "37, 3, 200, 10, 100, 20, 0\n"
                    "32, 3, 200, 40, 120, 60, 0\n"
                    "41, 5, 0, 200, 8, 10, 0\n"
                    "43, 5, 280, 120, 5, 3, 0\n"
                    "44, 5, 280, 120, 10, 5, 0\n"
                    "61, 9, 14, 20, 10, 10, 0\n"
                    "66, 9, 12, 60, 10, 10, 0\n"
                    "63, 9, 12, 100, 10, 10, 0\n"
                    "64, 9, 20, 140, 10, 10, 0\n"
                    "65, 9, 12, 180, 10, 10, 0\n"
                    "67, 9, 204, 20, 10, 5, 0\n"
                    "62, 9, 205, 45, 5, 3, 0\n";

class DisplayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_crafted.Write(kList);
        ASSERT_TRUE(m_skin.LoadSkin(m_crafted.Folder(), "default"));
    }

    // A display placed from its type-3, type-5 and type-9 objects.
    std::unique_ptr<CSkinDisplay> Make(int number, int strip, int content) {
        auto display = std::make_unique<CSkinDisplay>(m_skin, &m_form);
        m_skin.ApplySkinObject(*display, number);
        m_skin.ApplySkinObject(*display, strip);
        m_skin.ApplySkinObject(*display, content);
        return display;
    }

    // The glyphs drawn at these x positions of the content row (y = 10).
    static std::vector<int> GlyphsAt(CSkinDisplay& display, std::vector<int> xs) {
        QImage image = display.grab().toImage();
        std::vector<int> glyphs;
        for (int x : xs) {
            glyphs.push_back(CraftedSkin::GlyphOf(image.pixelColor(x + 1, 11)));
        }
        return glyphs;
    }

    CraftedSkin m_crafted;
    CSkin m_skin;
    QWidget m_form;
};

using Glyphs = std::vector<int>;

TEST_F(DisplayFixture, TimeShowsMinutesAndSecondsWithAGapInTheMiddle) {
    auto time = Make(31, 41, 61);
    // 125 seconds at 1000 bytes per second: 02:05; cells at 4, 14, (gap) 27, 37.
    time->SetPosition(125000, 1000);
    EXPECT_EQ(GlyphsAt(*time, {4, 14, 27, 37}), (Glyphs{0, 2, 0, 5}));
    // The pixels of the gap are background, not glyph.
    EXPECT_EQ(CraftedSkin::GlyphOf(time->grab().toImage().pixelColor(24, 11)), -1);
}

TEST_F(DisplayFixture, TimeBlankForNoPositionAndZeroWithoutARate) {
    auto time = Make(31, 41, 61);
    time->SetPosition(-1, 1000);
    EXPECT_EQ(GlyphsAt(*time, {4, 14, 27, 37}), (Glyphs{12, 12, 12, 12}));
    time->SetPosition(125000, 0);
    EXPECT_EQ(GlyphsAt(*time, {4, 14, 27, 37}), (Glyphs{0, 0, 0, 0}));
}

TEST_F(DisplayFixture, CounterShowsTheLastThreeDigitsOfEachNumber) {
    auto counter = Make(36, 41, 66);
    counter->SetCounter(56, 300);
    EXPECT_EQ(GlyphsAt(*counter, {2, 12, 22, 35, 45, 55}), (Glyphs{0, 5, 6, 3, 0, 0}));
    // A count above 999 must not carry into the position's digits.
    counter->SetCounter(1234, 1500);
    EXPECT_EQ(GlyphsAt(*counter, {2, 12, 22, 35, 45, 55}), (Glyphs{2, 3, 4, 5, 0, 0}));
}

TEST_F(DisplayFixture, RepetitionsShowTheEndlessSignForZero) {
    auto repetitions = Make(33, 41, 63);
    repetitions->SetRepetitions(3);
    EXPECT_EQ(GlyphsAt(*repetitions, {2, 12}), (Glyphs{0, 3}));
    repetitions->SetRepetitions(0);
    EXPECT_EQ(GlyphsAt(*repetitions, {2, 12}), (Glyphs{10, 11}));
    repetitions->SetRepetitions(20);
    EXPECT_EQ(GlyphsAt(*repetitions, {2, 12}), (Glyphs{2, 0}));
}

TEST_F(DisplayFixture, IntervalPutsFourPixelsBetweenSecondsAndTenths) {
    auto interval = Make(34, 41, 64);
    interval->SetInterval(37);
    // Content x 10: tenths at 20, seconds at 20 - 10 - 4.
    EXPECT_EQ(GlyphsAt(*interval, {6, 20}), (Glyphs{3, 7}));
}

TEST_F(DisplayFixture, SpeedShowsThreeDigits) {
    auto speed = Make(35, 41, 65);
    speed->SetSpeed(33);
    EXPECT_EQ(GlyphsAt(*speed, {2, 12, 22}), (Glyphs{0, 3, 3}));
    speed->SetSpeed(200);
    EXPECT_EQ(GlyphsAt(*speed, {2, 12, 22}), (Glyphs{2, 0, 0}));
}

// Segment k of the volume bar: lit or unlit colour at its middle.
std::vector<bool> LitSegments(CSkinDisplay& volume) {
    QImage image = volume.grab().toImage();
    std::vector<bool> lit;
    for (int k = 0; k < 8; ++k) {
        QColor color = image.pixelColor(4 + k * 10 + 5, 12);
        EXPECT_TRUE(color == CraftedSkin::Lit() || color == CraftedSkin::Unlit()) << k;
        lit.push_back(color == CraftedSkin::Lit());
    }
    return lit;
}

TEST_F(DisplayFixture, VolumeLightsOneSegmentPer8192) {
    auto volume = Make(37, 44, 67);
    volume->SetVolume(65535);
    EXPECT_EQ(LitSegments(*volume), std::vector<bool>(8, true));
    volume->SetVolume(8190);
    EXPECT_EQ(LitSegments(*volume), std::vector<bool>(8, false));
    volume->SetVolume(3 * 8192 - 1);
    EXPECT_EQ(LitSegments(*volume),
              (std::vector<bool>{true, true, true, false, false, false, false, false}));
    // Beyond the range the bar stays within its eight segments.
    volume->SetVolume(1 << 30);
    EXPECT_EQ(LitSegments(*volume), std::vector<bool>(8, true));
}

TEST_F(DisplayFixture, SpectrumBarsLightTheirBottomRows) {
    auto spectrum = Make(32, 43, 62);
    std::array<int, 20> levels{};
    for (int i = 0; i < 20; ++i) {
        levels[i] = i % 17;
    }
    spectrum->SetLevels(levels);
    QImage image = spectrum->grab().toImage();
    for (int bar : {0, 4, 16, 19}) {
        int x = 5 + bar * 5 + 2;
        int level = levels[bar];
        for (int row = 0; row < 16; ++row) {
            QColor expected = row >= 16 - level ? CraftedSkin::Lit() : CraftedSkin::Unlit();
            EXPECT_EQ(image.pixelColor(x, 5 + row * 3 + 1), expected) << bar << " " << row;
        }
    }
}

TEST_F(DisplayFixture, SpectrumPeaksFallOneRowPerUpdateAndShowALine) {
    auto spectrum = Make(32, 43, 62);
    std::array<int, 20> high;
    high.fill(10);
    std::array<int, 20> low;
    low.fill(2);
    spectrum->SetLevels(high);
    spectrum->SetLevels(low);
    EXPECT_EQ(spectrum->Spectrum().Peak(0), 9);
    QImage image = spectrum->grab().toImage();
    // The line of peak 10 at row 17 - 10 = 7: pitch - 1 pixels wide, one high.
    int lineY = 5 + 7 * 3;
    EXPECT_EQ(image.pixelColor(5, lineY), CraftedSkin::Lit());
    EXPECT_EQ(image.pixelColor(5 + 3, lineY), CraftedSkin::Lit());
    EXPECT_EQ(image.pixelColor(5 + 4, lineY), CraftedSkin::Unlit());
    EXPECT_EQ(image.pixelColor(5, lineY + 1), CraftedSkin::Unlit());
    // Switched off, every cell shows unlit.
    spectrum->SetLevels({});
    image = spectrum->grab().toImage();
    EXPECT_EQ(image.pixelColor(6, 5 + 15 * 3 + 1), CraftedSkin::Unlit());
    EXPECT_EQ(image.pixelColor(5, lineY), CraftedSkin::Unlit());
}

TEST(SpectrumBars, APeakBelowTwoDropsToZeroWithoutALine) {
    SpectrumBars bars;
    std::array<int, 20> one;
    one.fill(1);
    std::array<int, 20> zero{};
    bars.SetLevels(one);
    bars.SetLevels(zero);
    EXPECT_EQ(bars.Peak(3), 0);
    EXPECT_EQ(bars.PeakLineRow(3), 0);
    std::array<int, 20> wild;
    wild.fill(99);
    bars.SetLevels(wild);
    EXPECT_EQ(bars.Level(0), 16);
    EXPECT_FALSE(bars.IsOff());
}

TEST(DisplayGlyphs, MinutesWrapAtOneHundred) {
    EXPECT_EQ(DisplayGlyphs::MinutesSeconds(125, 1), 205);
    EXPECT_EQ(DisplayGlyphs::MinutesSeconds((101 * 60 + 7) * 4, 4), 107);
    EXPECT_EQ(DisplayGlyphs::MinutesSeconds(0xFFFFFFFEll, 176400), 547);
}

} // namespace
