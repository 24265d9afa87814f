#include "view/widgets/CFontLinker.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace {

// Marks, variation selectors and joiners belong to the character before them.
bool JoinsPrevious(char32_t ch) {
    switch (QChar::category(ch)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return ch == 0x200C || ch == 0x200D || (ch >= 0xFE00 && ch <= 0xFE0F);
    }
}

// Spaces and punctuation shared by all scripts stay with the run they are in.
bool IsCommon(char32_t ch) {
    const QChar::Script script = QChar::script(ch);
    return script == QChar::Script_Common || script == QChar::Script_Inherited;
}

bool IsEastAsian(char32_t ch) {
    switch (QChar::script(ch)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Hangul:
    case QChar::Script_Bopomofo:
        return true;
    default:
        return false;
    }
}

QFontDatabase::WritingSystem WritingSystemOf(std::uint8_t charSet) {
    switch (charSet) {
    case 128:
        return QFontDatabase::Japanese;
    case 129:
        return QFontDatabase::Korean;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 136:
        return QFontDatabase::TraditionalChinese;
    default:
        return QFontDatabase::Any;
    }
}

bool Covers(const QFont& font, char32_t ch) {
    QFont single = font;
    single.setStyleStrategy(QFont::NoFontMerging);
    return QFontMetrics(single).inFontUcs4(ch);
}

// The character at i and how many UTF-16 units it takes.
char32_t CharAt(const QString& text, qsizetype i, int& length) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    length = 1;
    return c.unicode();
}

} // namespace

void CFontLinker::SetCharSet(std::uint8_t charSet) {
    if (charSet != m_charSet) {
        m_charSet = charSet;
        m_fallbacks.clear();
    }
}

QFont CFontLinker::FontOfFamily(const QFont& base, const QString& family) {
    QFont font = base;
    font.setFamilies({family});
    return font;
}

bool CFontLinker::FamilyCovers(const QString& family, char32_t ch) {
    QFont font(family);
    return Covers(font, ch);
}

// The font Qt itself falls back to for the character after the base font.
QString CFontLinker::QtFallbackFamily(const QFont& base, char32_t ch) const {
    QTextLayout layout(QString::fromUcs4(&ch, 1), base);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    return runs.isEmpty() ? QString() : runs.front().rawFont().familyName();
}

QString CFontLinker::LanguageFamily(char32_t ch) {
    const QFontDatabase::WritingSystem system = WritingSystemOf(m_charSet);
    if (system == QFontDatabase::Any || !IsEastAsian(ch)) {
        return {};
    }
    for (const QString& family : QFontDatabase::families(system)) {
        if (FamilyCovers(family, ch)) {
            return family;
        }
    }
    return {};
}

QString CFontLinker::FallbackFamily(const QFont& base, char32_t ch) {
    if (m_cacheBase != base.family()) {
        m_cacheBase = base.family();
        m_fallbacks.clear();
    }
    auto found = m_fallbacks.find(ch);
    if (found != m_fallbacks.end()) {
        return found->second;
    }
    QString family = LanguageFamily(ch);
    if (family.isEmpty()) {
        family = QtFallbackFamily(base, ch);
        if (!family.isEmpty() && !FamilyCovers(family, ch)) {
            family.clear();
        }
    }
    m_fallbacks.emplace(ch, family);
    return family;
}

std::vector<FontRun> CFontLinker::Runs(const QFont& base, const QString& text,
                                       const QPaintDevice* device) {
    std::vector<FontRun> runs;
    QFont single = base;
    single.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetrics baseMetrics(single);
    QString runFamily; // empty: the base font
    QFont runFont = base;
    bool open = false;
    for (qsizetype i = 0; i < text.size();) {
        int length = 1;
        const char32_t ch = CharAt(text, i, length);
        const QString piece = text.mid(i, length);
        i += length;
        const bool stays = open && (JoinsPrevious(ch) || (IsCommon(ch) && Covers(runFont, ch)));
        if (!stays) {
            QString family;
            if (!baseMetrics.inFontUcs4(ch)) {
                family = FallbackFamily(base, ch);
            }
            if (!open || family != runFamily) {
                runFamily = family;
                runFont = family.isEmpty() ? base : FontOfFamily(base, family);
                runs.push_back({QString(), runFont, 0});
                open = true;
            }
        }
        runs.back().text += piece;
    }
    for (FontRun& run : runs) {
        const QFontMetrics metrics =
            device ? QFontMetrics(run.font, device) : QFontMetrics(run.font);
        run.width = metrics.horizontalAdvance(run.text);
    }
    return runs;
}

int CFontLinker::Measure(const QFont& base, const QString& text, const QPaintDevice* device) {
    int width = 0;
    for (const FontRun& run : Runs(base, text, device)) {
        width += run.width;
    }
    return width;
}

int CFontLinker::Draw(QPainter& painter, const QFont& base, int x, int y, const QString& text,
                      const QColor& textColor, const QColor& background, int pieceHeight) {
    const int left = x;
    painter.save();
    painter.setPen(textColor);
    const QPaintDevice* device = painter.device();
    const std::vector<FontRun> runs = Runs(base, text, device);
    // Every piece sits on one baseline, the lowest its fonts need, so a Latin word between
    // Korean or Japanese ones does not drop below them.
    int ascent = 0;
    for (const FontRun& run : runs) {
        ascent = std::max(ascent, QFontMetrics(run.font, device).ascent());
    }
    for (const FontRun& run : runs) {
        painter.fillRect(x, y, run.width, pieceHeight, background);
        painter.setFont(run.font);
        painter.drawText(QPoint(x, y + ascent), run.text);
        x += run.width;
    }
    painter.restore();
    return x - left;
}
