#include "view/HeadlessTextBox.h"

#include <algorithm>

void HeadlessTextBox::SetText(const std::u16string& text) {
    m_text = text;
    m_selStart = m_selEnd = static_cast<int>(m_text.size());
}

void HeadlessTextBox::SetFocus() {
    m_focused = true;
    if (m_peer) {
        m_peer->m_focused = false;
    }
}

void HeadlessTextBox::SetSelection(int start, int end) {
    const int length = static_cast<int>(m_text.size());
    m_selStart = std::clamp(start, 0, length);
    m_selEnd = std::clamp(end, m_selStart, length);
}

bool HeadlessTextBox::Type(const std::u16string& text) {
    if (m_readOnly) {
        return false;
    }
    m_text = text;
    m_selStart = m_selEnd = static_cast<int>(m_text.size());
    return true;
}
