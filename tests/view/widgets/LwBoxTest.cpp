#include "view/ViewCommandIds.h"
#include "view/widgets/CLwBox.h"

#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

// Opens the box's paste for the test.
class PastingBox : public CLwBox {
public:
    void Paste(const QMimeData& data) { insertFromMimeData(&data); }
};

TEST(LwBoxTest, ParagraphsCrossTheWidgetEdgeAsCarriageReturns) {
    const std::u16string kept[] = {u"",       u"one line", u"a\rb",     u"\r",
                                   u"a\r\rb", u"a\r",      u"x\u00A0y", u"\U0001F600\rz"};
    CLwBox box;
    for (const std::u16string& text : kept) {
        box.SetText(text);
        EXPECT_EQ(box.Text(), text) << QString::fromStdU16String(text).toStdString();
    }
    box.SetText(u"a\r\nb\nc");
    EXPECT_EQ(box.Text(), u"a\rb\rc");
}

TEST(LwBoxTest, SelectionPositionsCountUtf16UnitsAndOneForEachBreak) {
    CLwBox box;
    box.SetText(u"ab\rcd\U0001F600e");
    box.SetSelection(3, 5);
    EXPECT_EQ(box.textCursor().selectedText(), "cd");
    box.SetSelection(7, 8);
    EXPECT_EQ(box.textCursor().selectedText(), "e");
    box.SetSelection(1, 99);
    EXPECT_EQ(box.SelectionStart(), 1);
    EXPECT_EQ(box.SelectionEnd(), 8);
}

TEST(LwBoxTest, EnterKeysAreCommandsAndNeverLineBreaks) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
        bool shift;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, cmd::kEnter, false},
        {Qt::Key_Enter, Qt::KeypadModifier, cmd::kEnter, false},
        {Qt::Key_Return, Qt::ShiftModifier, cmd::kPrevious, true},
        {Qt::Key_Return, Qt::AltModifier, cmd::kCheck, false},
    };
    CLwBox box;
    for (const Case& c : cases) {
        box.SetText(u"ab");
        box.SetSelection(1, 1);
        QSignalSpy commands(&box, &CLwBox::commandRequested);
        QTest::keyClick(&box, c.key, c.modifiers);
        EXPECT_EQ(box.Text(), u"ab");
        ASSERT_EQ(commands.count(), 1);
        EXPECT_EQ(commands[0][0].toInt(), c.command);
        EXPECT_EQ(commands[0][1].value<KeyModifiers>().shift, c.shift);
    }
    // Ctrl+Enter is how a learner breaks a paragraph.
    QSignalSpy commands(&box, &CLwBox::commandRequested);
    QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), u"a\rb");
    EXPECT_EQ(commands.count(), 0);
}

TEST(LwBoxTest, TypingGoesIntoTheBoxUnlessItIsReadOnly) {
    CLwBox box;
    QTest::keyClicks(&box, "hi");
    EXPECT_EQ(box.Text(), u"hi");
    box.SetReadOnly(true);
    QTest::keyClicks(&box, "x");
    EXPECT_EQ(box.Text(), u"hi");
}

TEST(LwBoxTest, AnInputMethodComposesIntoTheBox) {
    CLwBox box;
    box.SetText(u"a");
    box.SetSelection(1, 1);
    QInputMethodEvent preedit(QString::fromUtf8("ㅎ"), {});
    QApplication::sendEvent(&box, &preedit);
    EXPECT_EQ(box.Text(), u"a"); // composing is not text yet
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("한"));
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.Text(), u"a한");
}

TEST(LwBoxTest, TheFontBecomesTheFormatOfAllTextAndOfWhatIsTypedNext) {
    CLwBox box;
    box.SetText(u"old\rtext");
    BoxFont font;
    font.face = u"DejaVu Serif";
    font.height = -16;
    font.style = 1 | 4; // bold, underline
    font.textColor = 0x0000FF00;
    font.backColor = 0x009D542C;
    box.SetFont(font);
    EXPECT_EQ(box.Text(), u"old\rtext");
    EXPECT_EQ(box.FontHeight(), 16);
    for (int position : {1, 5}) {
        QTextCursor cursor(box.document());
        cursor.setPosition(position);
        const QTextCharFormat format = cursor.charFormat();
        EXPECT_DOUBLE_EQ(format.fontPointSize(), 12.3); // 246 twips
        EXPECT_EQ(format.fontWeight(), QFont::Bold);
        EXPECT_TRUE(format.fontUnderline());
        EXPECT_FALSE(format.fontItalic());
        EXPECT_EQ(format.foreground().color(), QColor(0, 255, 0));
        EXPECT_EQ(format.background().color(), QColor(44, 84, 157));
        EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{"DejaVu Serif"});
    }
    EXPECT_EQ(box.palette().color(QPalette::Base), QColor(44, 84, 157));
    box.SetText(u"");
    QTest::keyClicks(&box, "n");
    EXPECT_EQ(box.textCursor().charFormat().foreground().color(), QColor(0, 255, 0));
}

// Text set into a box on the screen must be laid out again and drawn.
TEST(LwBoxTest, ATextSetWhileTheBoxIsShownIsDrawn) {
    CLwBox box;
    box.resize(300, 100);
    BoxFont font;
    font.face = u"DejaVu Sans";
    font.textColor = 0x00FFFFFF;
    font.backColor = 0x00000000;
    box.SetFont(font);
    box.show();
    for (const std::u16string text : {u"first", u"second\rline"}) {
        box.SetText(text);
        const QImage image = box.viewport()->grab().toImage();
        int lit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                lit += image.pixelColor(x, y).lightness() > 200 ? 1 : 0;
            }
        }
        EXPECT_GT(lit, 20) << QString::fromStdU16String(text).toStdString();
    }
}

TEST(LwBoxTest, PastedRichTextBringsItsCharactersOnly) {
    PastingBox box;
    QMimeData data;
    data.setHtml("<b style='color:red'>bold</b><p>next</p>");
    data.setText("bold\nnext");
    box.Paste(data);
    EXPECT_EQ(box.Text(), u"bold\rnext");
    QTextCursor cursor(box.document());
    cursor.setPosition(2);
    EXPECT_NE(cursor.charFormat().fontWeight(), QFont::Bold);
}

TEST(LwBoxTest, TheWheelGoesToTheViewAndDoesNotScroll) {
    CLwBox box;
    QSignalSpy wheel(&box, &CLwBox::wheelTurned);
    QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(box.viewport(), &event);
    ASSERT_EQ(wheel.count(), 1);
    EXPECT_EQ(wheel[0][0].toInt(), -240);
    EXPECT_TRUE(wheel[0][1].toBool());
}

} // namespace
