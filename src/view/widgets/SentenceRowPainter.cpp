#include "view/widgets/SentenceRowPainter.h"

#include "document/CEarlarkWaveSection.h"
#include "view/widgets/CFontLinker.h"

#include <QFontMetrics>
#include <QPainter>

QFont SentenceRowPainter::RowFont(const QString& face) {
    QFont font(face);
    font.setPointSizeF(11.0);
    font.setWeight(QFont::Normal);
    return font;
}

QString SentenceRowPainter::Prefix(int row, const CEarlarkWaveSection& sentence, bool showCount) {
    if (!showCount) {
        return {};
    }
    return QStringLiteral("[%1: %2]  ")
        .arg(row + 1, 3, 10, QLatin1Char('0'))
        .arg(sentence.m_nPlayCount);
}

QString SentenceRowPainter::RowText(int row, const CEarlarkWaveSection& sentence, bool showCount) {
    if (sentence.m_strListenWrite.empty()) {
        return showCount ? Prefix(row, sentence, true)
                         : QStringLiteral("[%1]").arg(row + 1, 3, 10, QLatin1Char('0'));
    }
    QString text = QString::fromStdU16String(sentence.m_strListenWrite);
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return Prefix(row, sentence, showCount) + text;
}

QColor SentenceRowPainter::TextColor(std::uint32_t flags, bool selected) {
    if (flags & CEarlarkWaveSection::kGroupMember) {
        return Pink();
    }
    if (!selected) {
        return White();
    }
    return (flags & CEarlarkWaveSection::kHighlighted) ? Green() : Yellow();
}

QString SentenceRowPainter::Marker(std::uint32_t flags) {
    if (flags & CEarlarkWaveSection::kWholeRecording) {
        return QStringLiteral("!");
    }
    if (flags & CEarlarkWaveSection::kHighlighted) {
        return QStringLiteral("+");
    }
    return {};
}

// The whole row takes the background first; the text pieces and the marker are drawn
// on the same colour, so the margin and the room right of the text stay background.
void SentenceRowPainter::Draw(QPainter& painter, CFontLinker& linker, const QFont& font,
                              const QRect& rect, int row, const CEarlarkWaveSection& sentence,
                              bool selected, bool showCount, const QColor& background) {
    painter.fillRect(rect, background);
    const QColor color = TextColor(sentence.m_nFlags, selected);
    linker.Draw(painter, font, rect.left() + kTextLeft, rect.top(),
                RowText(row, sentence, showCount), color, background, kPieceHeight);
    const QString marker = Marker(sentence.m_nFlags);
    if (!marker.isEmpty()) {
        painter.save();
        painter.setFont(font);
        painter.setPen(color);
        painter.drawText(QPoint(rect.left() + kMarkerLeft,
                                rect.top() + QFontMetrics(font, painter.device()).ascent()),
                         marker);
        painter.restore();
    }
}
