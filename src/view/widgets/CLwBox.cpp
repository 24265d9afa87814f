#include "view/widgets/CLwBox.h"

#include "view/ViewCommandIds.h"
#include "view/widgets/AcceleratorKeys.h"
#include "view/widgets/ColorRef.h"

#include <QKeyEvent>
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
