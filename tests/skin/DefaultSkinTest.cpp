#include "skin/CSkin.h"
#include "skin/CSkinDisplay.h"
#include "skin/SkinControlSet.h"
#include "skin/SkinFramePainter.h"
#include "skin/SkinObjectList.h"
#include "skin/SkinObjects.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QWidget>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace {

const std::string kSourceSkin = std::string(EARLARK_SOURCE_DIR) + "/resources/";
const std::string kBuiltSkin = std::string(EARLARK_BINARY_DIR) + "/bin/";

SkinObject Lookup(const CSkin& skin, int id) {
    SkinLookup lookup = SkinObjectList::Find(skin.ObjectListPath(), id);
    EXPECT_EQ(lookup.status, SkinLookupStatus::Found) << "object " << id;
    return lookup.object;
}

QRect RectOf(const SkinObject& object) {
    return {object.x, object.y, object.w, object.h};
}

class DefaultSkin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_skin.LoadSkin(kSourceSkin, CSkin::kDefaultName)); }
    CSkin m_skin;
};

TEST(DefaultSkinFiles, AreCopiedBesideTheProgram) {
    CSkin skin;
    EXPECT_TRUE(skin.LoadSkin(kBuiltSkin, CSkin::kDefaultName));
}

TEST_F(DefaultSkin, EveryLineOfTheObjectListIsValid) {
    std::ifstream in(m_skin.ObjectListPath());
    std::string line;
    std::set<int> ids;
    while (std::getline(in, line)) {
        if (auto id = SkinObjectList::LineId(line)) {
            EXPECT_TRUE(SkinObjectList::ParseLine(line)) << line;
            EXPECT_TRUE(ids.insert(*id).second) << "repeated id " << *id;
        }
    }
    EXPECT_GE(ids.size(), 40u + 7 + 4 + 7 + 12);
}

TEST_F(DefaultSkin, DefinesEveryButtonInsideTheDeckWithoutOverlaps) {
    const QRect deck = m_skin.FramePiece(101);
    std::vector<QRect> placed;
    for (const SkinButtonObject& button : skin_objects::kButtons) {
        SkinObject object = Lookup(m_skin, button.objectNumber);
        EXPECT_EQ(object.type, button.toggle ? 2 : 1) << button.name;
        placed.push_back(RectOf(object));
    }
    for (const SkinDisplayObject& display : skin_objects::kDisplays) {
        SkinObject object = Lookup(m_skin, display.displayNumber);
        EXPECT_EQ(object.type, 3);
        EXPECT_EQ(Lookup(m_skin, display.glyphStrip).type, 5);
        SkinObject content = Lookup(m_skin, display.contentArea);
        EXPECT_EQ(content.type, 9);
        EXPECT_TRUE(RectOf(object).contains(QPoint(content.x, content.y))) << display.name;
        placed.push_back(RectOf(object));
    }
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_TRUE(deck.contains(placed[i])) << i;
        for (size_t j = i + 1; j < placed.size(); ++j) {
            EXPECT_FALSE(placed[i].intersects(placed[j])) << i << " and " << j;
        }
    }
}

TEST_F(DefaultSkin, TheDeckFitsTheSmallestWindow) {
    // At the minimum width of 590 the top-right corner must not cover the deck.
    EXPECT_LE(m_skin.FramePiece(101).width() + m_skin.FramePiece(103).width(), 590);
    for (int piece : {101, 102, 103, 104, 105, 106, 107, 108, 109, 111, 112, 113}) {
        EXPECT_FALSE(m_skin.FramePiece(piece).isEmpty()) << piece;
    }
    EXPECT_EQ(m_skin.FramePiece(101).height(), m_skin.FramePiece(102).height());
    EXPECT_EQ(m_skin.FramePiece(101).height(), m_skin.FramePiece(103).height());
}

TEST_F(DefaultSkin, EveryButtonLooksDifferentInEachOfItsStates) {
    const SkinBitmap states[] = {SkinBitmap::Off, SkinBitmap::Over, SkinBitmap::Click,
                                 SkinBitmap::On};
    for (const SkinButtonObject& button : skin_objects::kButtons) {
        QRect rect = RectOf(Lookup(m_skin, button.objectNumber));
        std::vector<QImage> pictures;
        for (SkinBitmap state : states) {
            pictures.push_back(m_skin.Bitmap(state).copy(rect));
        }
        for (size_t i = 0; i < pictures.size(); ++i) {
            for (size_t j = i + 1; j < pictures.size(); ++j) {
                EXPECT_NE(pictures[i], pictures[j]) << button.name << " " << i << " " << j;
            }
        }
    }
}

TEST_F(DefaultSkin, DigitGlyphsAreDistinct) {
    for (int strip : {41, 42}) {
        SkinObject glyphs = Lookup(m_skin, strip);
        std::vector<QImage> cells;
        for (int k = 0; k <= 12; ++k) {
            cells.push_back(m_skin.Bitmap(SkinBitmap::Off)
                                .copy(glyphs.x + k * glyphs.w, glyphs.y, glyphs.w, glyphs.h));
        }
        for (int a = 0; a <= 12; ++a) {
            for (int b = a + 1; b <= 12; ++b) {
                EXPECT_NE(cells[a], cells[b]) << strip << ": " << a << " " << b;
            }
        }
    }
}

// Renders the controls in every state for review: build/skin-gallery/*.png.
TEST_F(DefaultSkin, RendersAGalleryOfStates) {
    QDir(EARLARK_BINARY_DIR).mkpath("skin-gallery");
    const std::pair<SkinBitmap, const char*> states[] = {{SkinBitmap::Off, "off"},
                                                         {SkinBitmap::Over, "over"},
                                                         {SkinBitmap::Click, "click"},
                                                         {SkinBitmap::On, "on"}};
    const QRect deck = m_skin.FramePiece(101);
    QImage gallery(deck.width(), deck.height() * 4, QImage::Format_RGB32);
    QPainter painter(&gallery);
    for (int i = 0; i < 4; ++i) {
        painter.drawImage(QPoint(0, i * deck.height()), m_skin.Bitmap(states[i].first), deck);
    }
    painter.end();
    EXPECT_TRUE(gallery.save(QString(EARLARK_BINARY_DIR) + "/skin-gallery/states.png"));

    QWidget form;
    form.resize(deck.size());
    auto* background = new QLabel(&form);
    background->setPixmap(QPixmap::fromImage(m_skin.Bitmap(SkinBitmap::Off).copy(deck)));
    background->setGeometry(deck);
    SkinControlSet controls(m_skin, &form);
    EXPECT_EQ(controls.ApplySkin(), 0);
    controls.Display(1083)->SetPosition(125 * 44100 * 4, 44100 * 4);
    controls.Display(1088)->SetCounter(56, 300);
    controls.Display(1084)->SetRepetitions(0);
    controls.Display(1085)->SetInterval(15);
    controls.Display(1086)->SetSpeed(85);
    controls.Display(1090)->SetVolume(5 * 8192);
    std::vector<int> levels;
    for (int i = 0; i < 20; ++i) {
        levels.push_back((i * 7 + 3) % 17);
    }
    controls.Display(1089)->SetLevels(levels);
    EXPECT_TRUE(form.grab().save(QString(EARLARK_BINARY_DIR) + "/skin-gallery/displays.png"));

    // The frame around three panes, with the separators between them.
    QImage frame(700, 460, QImage::Format_RGB32);
    QPainter framePainter(&frame);
    SkinFramePainter::DrawFrame(framePainter, m_skin, frame.size());
    QRect inner = SkinFramePainter::InnerRect(m_skin, frame.size());
    int gap = SkinFramePainter::Margins(m_skin).gap;
    for (int i = 1; i <= 2; ++i) {
        SkinFramePainter::DrawSeparator(framePainter, m_skin, frame.size(),
                                        inner.top() + i * inner.height() / 3 - gap / 2);
    }
    framePainter.end();
    EXPECT_EQ(frame.pixelColor(inner.left() + 5, inner.top() + 5), CSkin::BackgroundColor());
    int firstSeparator = inner.top() + inner.height() / 3 - gap / 2;
    bool drawn = false;
    for (int row = 0; row < gap; ++row) {
        drawn |=
            frame.pixelColor(inner.center().x(), firstSeparator + row) != CSkin::BackgroundColor();
    }
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(frame.save(QString(EARLARK_BINARY_DIR) + "/skin-gallery/frame.png"));
}

} // namespace
