#include "skin/CSkinDisplay.h"

#include <QPainter>
#include <algorithm>

namespace {

// QPainter reads an empty source size as "to the edge of the image"; an empty piece
// must draw nothing.
void Blit(QPainter& painter, QPoint dest, const QImage& image, const QRect& source) {
    if (source.width() > 0 && source.height() > 0) {
        painter.drawImage(dest, image, source);
    }
}

} // namespace

CSkinDisplay::CSkinDisplay(const CSkin& skin, QWidget* parent) : QWidget(parent), m_skin(skin) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSkinDisplay::SetSkinRect(int type, int objectNumber, const QRect& rect) {
    m_type = type;
    m_displayNumber = objectNumber;
    m_x = rect.x();
    m_y = rect.y();
    m_width = std::max(rect.width(), 0);
    m_height = std::max(rect.height(), 0);
    setGeometry(m_x, m_y, m_width, m_height);
}

void CSkinDisplay::SetGlyphStrip(const QRect& strip) {
    m_glyphX = strip.x();
    m_glyphY = strip.y();
    m_glyphWidth = std::max(strip.width(), 0);
    m_glyphHeight = std::max(strip.height(), 0);
}

void CSkinDisplay::SetContentArea(const QRect& area) {
    m_contentX = area.x() - m_x;
    m_contentY = area.y() - m_y;
    m_pitch = std::max(area.width(), 0);
    m_rowHeight = std::max(area.height(), 0);
}

void CSkinDisplay::SetPosition(int64_t position, uint32_t bytesPerSecond) {
    m_values.position = position;
    m_values.bytesPerSecond = bytesPerSecond;
    Refresh();
}

void CSkinDisplay::SetCounter(int current, int count) {
    m_values.current = current;
    m_values.count = count;
    Refresh();
}

void CSkinDisplay::SetRepetitions(int repetitions) {
    m_values.repetitions = repetitions;
    Refresh();
}

void CSkinDisplay::SetInterval(int tenths) {
    m_values.interval = tenths;
    Refresh();
}

void CSkinDisplay::SetSpeed(int percent) {
    m_values.speed = percent;
    Refresh();
}

void CSkinDisplay::SetVolume(int volume) {
    m_values.volume = volume;
    Refresh();
}

void CSkinDisplay::SetLevels(std::span<const int> levels) {
    m_spectrum.SetLevels(levels);
    Refresh();
}

void CSkinDisplay::Refresh() {
    update();
}

void CSkinDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& normal = m_skin.Bitmap(SkinBitmap::Off);
    Blit(painter, QPoint(0, 0), normal, QRect(m_x, m_y, m_width, m_height));
    switch (m_displayNumber) {
    case display_number::kSpectrum:
        DrawSpectrum(painter);
        break;
    case display_number::kVolume:
        DrawVolume(painter);
        break;
    default:
        DrawGlyphs(painter);
        break;
    }
}

void CSkinDisplay::DrawGlyphs(QPainter& painter) const {
    const QImage& normal = m_skin.Bitmap(SkinBitmap::Off);
    for (const GlyphCell& cell :
         DisplayGlyphs::Cells(m_displayNumber, m_values, m_contentX, m_pitch)) {
        QRect source(m_glyphX + cell.glyph * m_glyphWidth, m_glyphY, m_glyphWidth, m_glyphHeight);
        Blit(painter, QPoint(cell.x, m_contentY), normal, source);
    }
}

void CSkinDisplay::DrawSpectrum(QPainter& painter) const {
    const QImage& unlit = m_skin.Bitmap(SkinBitmap::Off);
    const QImage& lit = m_skin.Bitmap(SkinBitmap::Over);
    const int rows = SpectrumBars::kRows;
    if (m_spectrum.IsOff()) {
        Blit(painter, QPoint(m_contentX, m_contentY), unlit,
             QRect(m_glyphX, m_glyphY, SpectrumBars::kBars * m_pitch, rows * m_rowHeight));
        return;
    }
    for (int bar = 0; bar < SpectrumBars::kBars; ++bar) {
        int destX = m_contentX + bar * m_pitch;
        int sourceX = m_glyphX + bar * m_pitch;
        int dark = (rows - m_spectrum.Level(bar)) * m_rowHeight;
        int bright = m_spectrum.Level(bar) * m_rowHeight;
        Blit(painter, QPoint(destX, m_contentY), unlit, QRect(sourceX, m_glyphY, m_pitch, dark));
        Blit(painter, QPoint(destX, m_contentY + dark), lit,
             QRect(sourceX, m_glyphY + dark, m_pitch, bright));
        if (int row = m_spectrum.PeakLineRow(bar); row > 0) {
            int offset = row * m_rowHeight;
            Blit(painter, QPoint(destX, m_contentY + offset), lit,
                 QRect(sourceX, m_glyphY + offset, m_pitch - 1, 1));
        }
    }
}

void CSkinDisplay::DrawVolume(QPainter& painter) const {
    int lit = DisplayGlyphs::VolumeSegmentsLit(m_values.volume) * m_pitch;
    int unlit = DisplayGlyphs::kVolumeSegments * m_pitch - lit;
    Blit(painter, QPoint(m_contentX, m_contentY), m_skin.Bitmap(SkinBitmap::Over),
         QRect(m_glyphX, m_glyphY, lit, m_rowHeight));
    Blit(painter, QPoint(m_contentX + lit, m_contentY), m_skin.Bitmap(SkinBitmap::Off),
         QRect(m_glyphX + lit, m_glyphY, unlit, m_rowHeight));
}
