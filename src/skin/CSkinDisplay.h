#pragma once

#include "skin/CSkin.h"
#include "skin/DisplayGlyphs.h"
#include "skin/SkinTarget.h"
#include "skin/SpectrumBars.h"

#include <QWidget>
#include <span>

// A display drawn from the skin: its background out of the normal bitmap, then its
// content by display number: digits from a glyph strip, or the spectrum and volume bars
// from the normal (unlit) and hover (lit) bitmaps.
class CSkinDisplay : public QWidget, public SkinTarget {
    Q_OBJECT
public:
    CSkinDisplay(const CSkin& skin, QWidget* parent);

    void SetSkinRect(int type, int objectNumber, const QRect& rect) override;
    void SetGlyphStrip(const QRect& strip) override;
    // Stored relative to the display's own place.
    void SetContentArea(const QRect& area) override;

    int DisplayNumber() const { return m_displayNumber; }
    QRect ContentArea() const { return {m_contentX, m_contentY, m_pitch, m_rowHeight}; }

    // The values shown; each redraws the display.
    void SetPosition(int64_t position, uint32_t bytesPerSecond);
    void SetCounter(int current, int count);
    void SetRepetitions(int repetitions);
    void SetInterval(int tenths);
    void SetSpeed(int percent);
    void SetVolume(int volume);
    // 20 levels of 0 to 16; none switches the spectrum off.
    void SetLevels(std::span<const int> levels);
    void Refresh();

    const DisplayValues& Values() const { return m_values; }
    const SpectrumBars& Spectrum() const { return m_spectrum; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawGlyphs(QPainter& painter) const;
    void DrawSpectrum(QPainter& painter) const;
    void DrawVolume(QPainter& painter) const;

    const CSkin& m_skin;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    int m_type = 0;
    int m_displayNumber = 0;
    int m_glyphX = 0;
    int m_glyphY = 0;
    int m_glyphWidth = 0;
    int m_glyphHeight = 0;
    int m_contentX = 0;
    int m_contentY = 0;
    int m_pitch = 0;
    int m_rowHeight = 0;
    DisplayValues m_values;
    SpectrumBars m_spectrum;
};
