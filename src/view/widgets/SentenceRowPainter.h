#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>

class CEarlarkWaveSection;
class CFontLinker;
class QPainter;

// How one row of the sentence box looks: its text, colour and margin marker, and the
// drawing of it.
class SentenceRowPainter {
public:
    static constexpr int kRowHeight = 19;
    // The text starts this far in; the marker sits in that margin.
    static constexpr int kTextLeft = 10;
    static constexpr int kMarkerLeft = 1;
    // Each drawn piece of text fills its background this high from the row top.
    static constexpr int kPieceHeight = 17;

    static QColor Pink() { return QColor(252, 188, 226); }
    static QColor Green() { return QColor(0, 255, 0); }
    static QColor Yellow() { return QColor(255, 255, 0); }
    static QColor White() { return QColor(255, 255, 255); }

    // The study's face at 11 points, normal weight.
    static QFont RowFont(const QString& face);
    // "[%03d: %d]  " with the row number and play count when the count is shown.
    static QString Prefix(int row, const CEarlarkWaveSection& sentence, bool showCount);
    // What the row shows: the transcription on one line (a paragraph break reads as a
    // space) after the prefix, or the prefix (or "[%03d]") alone when there is none.
    static QString RowText(int row, const CEarlarkWaveSection& sentence, bool showCount);
    static QColor TextColor(std::uint32_t flags, bool selected);
    // "!" for a whole-recording sentence, "+" for a highlighted one, else empty.
    static QString Marker(std::uint32_t flags);

    static void Draw(QPainter& painter, CFontLinker& linker, const QFont& font, const QRect& rect,
                     int row, const CEarlarkWaveSection& sentence, bool selected, bool showCount,
                     const QColor& background);
};
