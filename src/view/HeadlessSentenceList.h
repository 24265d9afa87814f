#pragma once

#include "view/ViewPorts.h"

// The sentence box without a window: remembers the selection and the drawing settings.
class HeadlessSentenceList : public SentenceListPort {
public:
    void RowsChanged() override {}
    void SetCurSel(int row) override { m_curSel = row; }
    void RepaintRow(int /*row*/) override {}
    void RepaintAll() override {}
    void SetFont(const std::u16string& face, std::uint8_t charSet) override;
    void SetShowRepeatCount(bool show) override { m_showRepeatCount = show; }

    int CurSel() const { return m_curSel; }
    bool ShowsRepeatCount() const { return m_showRepeatCount; }

private:
    int m_curSel = -1;
    std::u16string m_face;
    std::uint8_t m_charSet = 0;
    bool m_showRepeatCount = true;
};
