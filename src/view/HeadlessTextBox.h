#pragma once

#include "view/ViewPorts.h"

// A text box without a window: holds its text, selection, focus, font and read-only state.
class HeadlessTextBox : public TextBoxPort {
public:
    std::u16string Text() const override { return m_text; }
    void SetText(const std::u16string& text) override;
    void SetReadOnly(bool readOnly) override { m_readOnly = readOnly; }
    void SetFont(const BoxFont& font) override { m_font = font; }
    void SetCharSet(std::uint8_t charSet) override { m_charSet = charSet; }
    void SetFocus() override;
    bool HasFocus() const override { return m_focused; }
    int SelectionStart() const override { return m_selStart; }
    int SelectionEnd() const override { return m_selEnd; }
    void SetSelection(int start, int end) override;

    // Typing: the text as the user left it, caret at its end. A read-only box keeps its
    // text and returns false.
    bool Type(const std::u16string& text);
    bool IsReadOnly() const { return m_readOnly; }
    const BoxFont& Font() const { return m_font; }
    std::uint8_t CharSet() const { return m_charSet; }
    // The box that loses the focus when this one takes it.
    void SetPeer(HeadlessTextBox* peer) { m_peer = peer; }

private:
    std::u16string m_text;
    int m_selStart = 0;
    int m_selEnd = 0;
    bool m_readOnly = false;
    bool m_focused = false;
    BoxFont m_font;
    std::uint8_t m_charSet = 0;
    HeadlessTextBox* m_peer = nullptr;
};
