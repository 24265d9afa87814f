#pragma once

#include "view/ViewPorts.h"

#include <QTextCharFormat>
#include <QTextEdit>

// The Listen-and-Write box and the Original Text box. Texts cross this widget's edge with
// a carriage return (U+000D) ending each paragraph, as the study stores them. Enter,
// Shift+Enter and Alt+Enter are commands, never line breaks (Ctrl+Enter breaks a
// paragraph); the mouse wheel belongs to the view, which seeks with it.
class CLwBox : public QTextEdit, public TextBoxPort {
    Q_OBJECT
public:
    explicit CLwBox(QWidget* parent = nullptr);

    // TextBoxPort
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    void SetReadOnly(bool readOnly) override;
    void SetFont(const BoxFont& font) override;
    void SetCharSet(std::uint8_t charSet) override { m_charSet = charSet; }
    void SetFocus() override;
    bool HasFocus() const override;
    int SelectionStart() const override;
    int SelectionEnd() const override;
    void SetSelection(int start, int end) override;

    std::uint8_t CharSet() const { return m_charSet; }
    // The positive pixel height of the font last applied.
    int FontHeight() const { return m_fontHeight; }
    const QTextCharFormat& DefaultFormat() const { return m_format; }
    // The command an Enter key with these modifiers stands for, or 0 for a line break.
    static int EnterCommand(Qt::KeyboardModifiers modifiers);

    // The look-up word at a point of the viewport: the selection when there is one, else
    // the ASCII word under the point. False when there is none (nothing is sent then).
    bool FindLookupWord(const QPoint& point);
    const QString& LookupWord() const { return m_lookupWord; }
    // Under the word's first character, in viewport coordinates.
    QPoint LookupAnchor() const { return m_anchor; }
    int LookupLineHeight() const { return m_lineHeight; }
    // Replaces the word under the point by "[]"; false when there is no word there.
    bool MakeBlank(const QPoint& point);

signals:
    void commandRequested(int command, KeyModifiers modifiers);
    void wheelTurned(int delta, bool shift);
    // A word to look up in the dictionary (right-click or F1), the anchor in screen
    // coordinates.
    void lookupRequested(const QString& word, const QPoint& globalAnchor, int lineHeight);
    // A Shift+click turned a word into a blank.
    void textBlanked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ApplyFormatToAll();
    // The index of the character under a viewport point, or -1.
    int CharacterAt(const QPoint& point) const;
    void RequestLookup(const QPoint& point);

    QString m_lookupWord;
    QPoint m_anchor;
    int m_lineHeight = 0;

    QTextCharFormat m_format;
    int m_fontHeight = 0;
    std::uint8_t m_charSet = 0;
};
