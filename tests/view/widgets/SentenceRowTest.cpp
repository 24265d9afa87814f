#include "document/CEarlarkWaveSection.h"
#include "skin/CSkin.h"
#include "view/SentenceRows.h"
#include "view/widgets/CSentenceListBox.h"
#include "view/widgets/SentenceRowPainter.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Row = SentenceRowPainter;
constexpr std::uint32_t kHigh = CEarlarkWaveSection::kHighlighted;
constexpr std::uint32_t kGroup = CEarlarkWaveSection::kGroupMember;
constexpr std::uint32_t kWhole = CEarlarkWaveSection::kWholeRecording;

CEarlarkWaveSection Sentence(const std::u16string& text, std::uint32_t plays = 0,
                             std::uint32_t flags = 0) {
    CEarlarkWaveSection s;
    s.m_strListenWrite = text;
    s.m_nPlayCount = plays;
    s.m_nFlags = flags;
    return s;
}

TEST(SentenceRowTest, RowTexts) {
    struct Case {
        int row;
        std::u16string text;
        std::uint32_t plays;
        bool showCount;
        const char* expected;
    };
    const Case cases[] = {
        {6, u"", 12, true, "[007: 12]  "},
        {6, u"", 12, false, "[007]"},
        {0, u"one\rtwo", 3, true, "[001: 3]  one two"},
        {0, u"one\rtwo", 3, false, "one two"},
        {1233, u"x", 0, true, "[1234: 0]  x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Row::RowText(c.row, Sentence(c.text, c.plays), c.showCount).toStdString(),
                  c.expected);
    }
}

TEST(SentenceRowTest, ColoursAndMarkersByFlagsAndSelection) {
    struct Case {
        std::uint32_t flags;
        bool selected;
        QColor colour;
        const char* marker;
    };
    const Case cases[] = {
        {0, false, Row::White(), ""},
        {0, true, Row::Yellow(), ""},
        {kHigh, false, Row::White(), "+"},
        {kHigh, true, Row::Green(), "+"},
        {kGroup, false, Row::Pink(), ""},
        {kGroup | kHigh, true, Row::Pink(), "+"},
        {kWhole | kHigh, true, Row::Green(), "!"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Row::TextColor(c.flags, c.selected), c.colour) << c.flags << c.selected;
        EXPECT_EQ(Row::Marker(c.flags).toStdString(), c.marker) << c.flags;
    }
}

// A list box of the given rows, 300 x 3 rows, rendered.
class ListFixture : public ::testing::Test {
protected:
    void Fill(std::vector<CEarlarkWaveSection> sentences) {
        m_sentences = std::move(sentences);
        for (CEarlarkWaveSection& s : m_sentences) {
            m_rows.Add(&s);
        }
        m_list.resize(300, 3 * Row::kRowHeight);
        m_list.SetFont(u"DejaVu Sans", 0);
        m_list.SetRows(&m_rows);
    }
    QImage Render() { return m_list.viewport()->grab().toImage(); }
    // Whether the colour is found in the rectangle (glyph edges are blended with the
    // background, so nearly the colour counts).
    static bool Has(const QImage& image, const QRect& rect, const QColor& colour,
                    int tolerance = 40) {
        const auto near = [&](const QColor& c) {
            return std::abs(c.red() - colour.red()) <= tolerance &&
                   std::abs(c.green() - colour.green()) <= tolerance &&
                   std::abs(c.blue() - colour.blue()) <= tolerance;
        };
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                if (near(image.pixelColor(x, y))) {
                    return true;
                }
            }
        }
        return false;
    }

    std::vector<CEarlarkWaveSection> m_sentences;
    SentenceRows m_rows;
    CSentenceListBox m_list;
};

TEST_F(ListFixture, DrawsEachRowInItsColourWithItsMarkerInTheMargin) {
    Fill({Sentence(u"plain"), Sentence(u"grouped", 0, kGroup | kHigh),
          Sentence(u"whole", 0, kWhole)});
    m_list.SetCurSel(1);
    const QImage image = Render();
    const QColor back = CSkin::BackgroundColor();
    const auto rowArea = [](int row, int left, int right) {
        return QRect(left, row * Row::kRowHeight, right - left, Row::kRowHeight);
    };
    EXPECT_TRUE(Has(image, rowArea(0, 10, 200), Row::White()));
    EXPECT_FALSE(Has(image, rowArea(0, 0, 10), Row::White())); // no marker
    // The selected group member is pink, its "+" too; never green.
    EXPECT_TRUE(Has(image, rowArea(1, 10, 200), Row::Pink()));
    EXPECT_TRUE(Has(image, rowArea(1, 0, 10), Row::Pink()));
    EXPECT_FALSE(Has(image, rowArea(1, 0, 300), Row::Green()));
    // The thin "!" is only blended into the background.
    EXPECT_TRUE(Has(image, rowArea(2, 0, 10), Row::White(), 100));
    // Right of the text the row is background.
    EXPECT_EQ(image.pixelColor(295, 5), back);
    EXPECT_EQ(image.pixelColor(295, Row::kRowHeight + 5), back);
}

TEST_F(ListFixture, TheRepeatCountSwitchRedrawsAtOnce) {
    Fill({Sentence(u"", 4)});
    m_list.SetCurSel(0);
    // "[001: 4]  " is wider than "[001]".
    const auto inkRight = [this] {
        const QImage image = Render();
        int right = -1;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < Row::kRowHeight; ++y) {
                if (image.pixelColor(x, y) == Row::Yellow()) {
                    right = x;
                }
            }
        }
        return right;
    };
    const int withCount = inkRight();
    m_list.SetShowRepeatCount(false);
    const int without = inkRight();
    EXPECT_GT(withCount, without + 10);
    EXPECT_GT(without, Row::kTextLeft);
}

TEST_F(ListFixture, AClickSelectsEvenTheCurrentRow) {
    Fill({Sentence(u"a"), Sentence(u"b"), Sentence(u"c")});
    QSignalSpy selected(&m_list, &CSentenceListBox::rowSelected);
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(50, Row::kRowHeight + 3));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(50, Row::kRowHeight + 3));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, QPoint(50, 3 * Row::kRowHeight + 3));
    ASSERT_EQ(selected.count(), 2);
    EXPECT_EQ(selected[0][0].toInt(), 1);
    EXPECT_EQ(selected[1][0].toInt(), 1);
    EXPECT_EQ(m_list.CurSel(), 1);
}

TEST_F(ListFixture, ARightClickFindsTheAsciiWordUnderThePointer) {
    Fill({Sentence(u"well-known words\rhere", 5)});
    const QFont font = m_list.RowFont();
    const QFontMetrics metrics(font, m_list.viewport());
    const QString prefix = "[001: 5]  ";
    const int wellLeft = Row::kTextLeft + metrics.horizontalAdvance(prefix);
    const int knownLeft = Row::kTextLeft + metrics.horizontalAdvance(prefix + "well-");
    QSignalSpy words(&m_list, &CSentenceListBox::wordClicked);
    QTest::mouseClick(m_list.viewport(), Qt::RightButton, {}, QPoint(knownLeft + 3, 5));
    ASSERT_EQ(words.count(), 1);
    EXPECT_EQ(words[0][0].toInt(), CSentenceListBox::kLookUpWord);
    EXPECT_EQ(words[0][1].toString(), "known");
    EXPECT_EQ(words[0][2].toPoint(), QPoint(knownLeft, metrics.height()));
    EXPECT_EQ(words[0][3].toInt(), metrics.height());
    EXPECT_TRUE(m_list.FindWordAt(QPoint(wellLeft + 2, 5)));
    EXPECT_EQ(m_list.ClickedWord(), "well");
    // The prefix digits, the margin and the room after the text hold no word.
    EXPECT_FALSE(m_list.FindWordAt(QPoint(Row::kTextLeft + metrics.horizontalAdvance("[0"), 5)));
    EXPECT_FALSE(m_list.FindWordAt(QPoint(4, 5)));
    EXPECT_FALSE(m_list.FindWordAt(QPoint(295, 5)));
}

TEST_F(ListFixture, AnEmptyTranscriptionFindsNoWord) {
    Fill({Sentence(u"", 5)});
    EXPECT_FALSE(m_list.FindWordAt(QPoint(30, 5)));
}

} // namespace
