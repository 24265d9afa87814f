#include "view/widgets/CFontLinker.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QColor kBack(44, 84, 157);
const QString kMixed = QString::fromUtf8("Hello 안녕하세요 こんにちは 你好 end");

bool FontCovers(QFont font, const QString& text) {
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetrics metrics(font);
    for (char32_t ch : text.toUcs4()) {
        if (!metrics.inFontUcs4(ch)) {
            return false;
        }
    }
    return true;
}

// The rightmost column of the image holding a pixel that is not the background.
int RightmostInk(const QImage& image) {
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) != kBack && image.pixelColor(x, y) != Qt::black) {
                return x;
            }
        }
    }
    return -1;
}

TEST(FontLinkerTest, AMixedRowSplitsIntoRunsThatOneFontEachCanDraw) {
    CFontLinker linker;
    QFont base("DejaVu Sans");
    base.setPointSizeF(11);
    const std::vector<FontRun> runs = linker.Runs(base, kMixed);
    QString joined;
    for (const FontRun& run : runs) {
        joined += run.text;
        EXPECT_TRUE(FontCovers(run.font, run.text))
            << run.text.toStdString() << " in " << run.font.family().toStdString();
        EXPECT_GT(run.width, 0) << run.text.toStdString();
    }
    EXPECT_EQ(joined, kMixed);
    // Latin, then the east Asian scripts in a fallback font, then Latin again.
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs.front().font.family(), base.family());
    EXPECT_NE(runs[1].font.family(), base.family());
    EXPECT_EQ(runs.back().font.family(), base.family());
}

TEST(FontLinkerTest, DrawsEveryPieceOpaquelyAndReturnsTheMeasuredWidth) {
    CFontLinker linker;
    QFont base("DejaVu Sans");
    base.setPointSizeF(11);
    QImage image(600, 19, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const int measured = linker.Measure(base, kMixed, &image);
    const int drawn = linker.Draw(painter, base, 10, 0, kMixed, Qt::white, kBack, 17);
    painter.end();
    EXPECT_EQ(drawn, measured);
    int sum = 0;
    for (const FontRun& run : linker.Runs(base, kMixed, &image)) {
        sum += run.width;
    }
    EXPECT_EQ(sum, measured);
    // Opaque pieces: background from x = 10 to 10 + width, 17 rows high; nothing beyond.
    EXPECT_EQ(image.pixelColor(10, 16), kBack);
    EXPECT_EQ(image.pixelColor(10 + measured - 1, 0), kBack);
    EXPECT_EQ(image.pixelColor(10, 17), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10 + measured, 5), QColor(Qt::black));
    // The glyphs reach the end of the text ("end" is the last piece).
    EXPECT_GT(RightmostInk(image), 10 + measured - 20);
}

TEST(FontLinkerTest, AJapaneseStudyDrawsHanCharactersInAJapaneseFontWhenThereIsOne) {
    CFontLinker linker;
    linker.SetCharSet(128);
    QFont base("DejaVu Sans");
    const std::vector<FontRun> runs = linker.Runs(base, QString::fromUtf8("日本"));
    ASSERT_EQ(runs.size(), 1u);
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    EXPECT_TRUE(japanese.contains(runs[0].font.family())) << runs[0].font.family().toStdString();
}

} // namespace
