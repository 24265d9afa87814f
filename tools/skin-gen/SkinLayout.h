#pragma once

#include <QRect>
#include <QString>
#include <vector>

// Where every element of the default skin lies. The deck (frame piece 101) holds the
// controls at their window places; the pieces, glyph strips and bar pictures lie below it.
namespace layout {

inline constexpr int kBitmapWidth = 600;
inline constexpr int kBitmapHeight = 230;
inline constexpr int kDeckWidth = 574;
inline constexpr int kTopMargin = 138;
inline constexpr int kSideMargin = 10;
inline constexpr int kBottomMargin = 10;
inline constexpr int kGap = 6;

// Seven-segment digits: the large ones of the time display, the small ones of the others.
inline constexpr QSize kLargeDigit{18, 30};
inline constexpr int kLargePitch = 20;
inline constexpr QSize kSmallDigit{10, 16};
inline constexpr int kSmallPitch = 11;
inline constexpr int kSpectrumPitch = 5;
inline constexpr int kSpectrumRow = 3;
inline constexpr int kVolumePitch = 11;
inline constexpr int kVolumeRow = 7;

struct ButtonPlace {
    int objectNumber;
    QRect rect;
};

struct DisplayPlace {
    int displayNumber;
    QRect rect;
    QString label;
    int glyphStrip;
    int contentArea;
    QRect content; // x, y in window coordinates; w = pitch, h = row height
};

struct Piece {
    int objectNumber;
    QRect rect;
    QString role;
};

std::vector<ButtonPlace> Buttons();
std::vector<DisplayPlace> Displays();
// Glyph strips 41 to 44 (type 5) and frame pieces 101 to 113 (type 10).
std::vector<Piece> GlyphStrips();
std::vector<Piece> FramePieces();
// Recessed panels of the deck that group controls.
std::vector<QRect> DeckPanels();
std::vector<QRect> LcdPanels();

} // namespace layout
