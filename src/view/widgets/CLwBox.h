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

signals:
    void commandRequested(int command, KeyModifiers modifiers);
    void wheelTurned(int delta, bool shift);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ApplyFormatToAll();

    QTextCharFormat m_format;
    int m_fontHeight = 0;
    std::uint8_t m_charSet = 0;
};
