#include "view/widgets/CLwBox.h"

#include "view/ViewCommandIds.h"
#include "view/WordSpan.h"
#include "view/widgets/AcceleratorKeys.h"
#include "view/widgets/ColorRef.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>

namespace {

constexpr char16_t kCarriageReturn = u'\r';

// A study text as the document takes it: one paragraph break per CR, CR LF or LF.
QString ToDocumentText(const std::u16string& text) {
    QString value = QString::fromStdU16String(text);
    value.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return value;
}

} // namespace

CLwBox::CLwBox(QWidget* parent) : QTextEdit(parent) {
    // Pasted or dropped rich text brings its characters, not its formatting.
    setAcceptRichText(false);
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAttribute(Qt::WA_InputMethodEnabled);
}

// The raw text keeps no-break spaces (plain text would make them spaces); paragraph and
// line separators become the study's CR.
std::u16string CLwBox::Text() const {
    QString raw = document()->toRawText();
    for (QChar& c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n') {
            c = QChar(kCarriageReturn);
        }
    }
    return raw.toStdU16String();
}

void CLwBox::SetText(const std::u16string& text) {
    // Loading a sentence is not an edit the learner can undo.
    document()->setUndoRedoEnabled(false);
    setPlainText(ToDocumentText(text));
    moveCursor(QTextCursor::End);
    ApplyFormatToAll();
    document()->setUndoRedoEnabled(true);
}

void CLwBox::ApplyFormatToAll() {
    if (!m_format.isValid()) {
        return;
    }
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(m_format);
    setCurrentCharFormat(m_format);
}

void CLwBox::SetReadOnly(bool readOnly) {
    setReadOnly(readOnly);
}

// The box's character size in points is the twips size / 20: a -16 pixel height gives
// 246 twips, 12.3 points.
void CLwBox::SetFont(const BoxFont& font) {
    QTextCharFormat format;
    format.setFontFamilies({QString::fromStdU16String(font.face)});
    format.setFontPointSize(font.Twips() / 20.0);
    format.setFontWeight((font.style & 1) ? QFont::Bold : QFont::Normal);
    format.setFontItalic((font.style & 2) != 0);
    format.setFontUnderline((font.style & 4) != 0);
    format.setFontStrikeOut((font.style & 8) != 0);
    format.setForeground(ColorRef::ToQColor(font.textColor));
    format.setBackground(ColorRef::ToQColor(font.backColor));
    m_format = format;
    m_fontHeight = -font.height;

    QPalette colours = palette();
    colours.setColor(QPalette::Base, ColorRef::ToQColor(font.backColor));
    colours.setColor(QPalette::Text, ColorRef::ToQColor(font.textColor));
    setPalette(colours);
    document()->setDefaultFont(format.font());
    SetText(Text());
}

void CLwBox::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

bool CLwBox::HasFocus() const {
    return hasFocus();
}

int CLwBox::SelectionStart() const {
    return textCursor().selectionStart();
}

int CLwBox::SelectionEnd() const {
    return textCursor().selectionEnd();
}

void CLwBox::SetSelection(int start, int end) {
    const int last = std::max(document()->characterCount() - 1, 0);
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(start, 0, last));
    cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int CLwBox::EnterCommand(Qt::KeyboardModifiers modifiers) {
    modifiers &= Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier;
    if (modifiers == Qt::NoModifier) {
        return cmd::kEnter;
    }
    if (modifiers == Qt::ShiftModifier) {
        return cmd::kPrevious;
    }
    if (modifiers == Qt::AltModifier) {
        return cmd::kCheck;
    }
    return 0;
}

void CLwBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        RequestLookup(cursorRect().topLeft() + QPoint(2, 2));
        return;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (const int command = EnterCommand(event->modifiers())) {
        emit commandRequested(command, AcceleratorKeys::ToKeyModifiers(event->modifiers()));
    } else if (event->modifiers().testFlag(Qt::ControlModifier) && !isReadOnly()) {
        QTextCursor cursor = textCursor();
        cursor.insertBlock();
        setTextCursor(cursor);
    }
}

void CLwBox::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event->angleDelta().y(), event->modifiers().testFlag(Qt::ShiftModifier));
    event->accept();
}

void CLwBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        event->accept();
        setFocus(Qt::MouseFocusReason);
        RequestLookup(point);
        return;
    }
    if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ShiftModifier) &&
        !textCursor().hasSelection()) {
        event->accept();
        if (MakeBlank(point)) {
            emit textBlanked();
        }
        return;
    }
    QTextEdit::mousePressEvent(event);
}

// The cursor position nearest the point lies before or after the character under it,
// depending on which half was hit.
int CLwBox::CharacterAt(const QPoint& point) const {
    const QTextCursor cursor = cursorForPosition(point);
    int index = cursor.position();
    if (point.x() < cursorRect(cursor).left()) {
        --index;
    }
    const int length = static_cast<int>(Text().size());
    return index >= 0 && index < length ? index : -1;
}

bool CLwBox::FindLookupWord(const QPoint& point) {
    QTextCursor cursor = textCursor();
    QString word;
    int first = -1;
    if (cursor.hasSelection()) {
        word = cursor.selectedText();
        first = cursor.selectionStart();
    } else {
        const std::u16string text = Text();
        const WordSpan span = WordSpan::At(text, CharacterAt(point));
        if (span.IsEmpty()) {
            return false;
        }
        word = QString::fromStdU16String(text.substr(span.start, span.Length()));
        first = span.start;
    }
    QTextCursor at(document());
    at.setPosition(first);
    const QPoint anchor = cursorRect(at).topLeft();
    const QChar lead = word.isEmpty() ? QChar() : word.front();
    // Only a word starting with an ASCII letter moves the anchor below its line.
    if (lead.unicode() < 0x80 && lead.isLetter()) {
        m_anchor = anchor + QPoint(0, m_fontHeight);
        m_lineHeight = m_fontHeight;
        word = word.trimmed();
    }
    m_lookupWord = word;
    return !word.isEmpty();
}

void CLwBox::RequestLookup(const QPoint& point) {
    if (FindLookupWord(point)) {
        emit lookupRequested(m_lookupWord, viewport()->mapToGlobal(m_anchor), m_lineHeight);
    }
}

bool CLwBox::MakeBlank(const QPoint& point) {
    if (isReadOnly()) {
        return false;
    }
    const std::u16string text = Text();
    const std::u16string blanked = WordSpan::Blanked(text, CharacterAt(point));
    if (blanked == text) {
        return false;
    }
    SetText(blanked);
    return true;
}
