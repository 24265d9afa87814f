#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

class QPaintDevice;
class QPainter;

// One piece of a text that a single font draws.
struct FontRun {
    QString text;
    QFont font;
    int width = 0;
};

// Draws a line of mixed scripts piece by piece: the text is cut into runs that one font
// can show (the base font where it has the characters, else a fallback font that Qt's
// own font matching chooses), and each run is measured and drawn on its own opaque
// background. Measuring walks the same runs without drawing, so widths always agree.
class CFontLinker {
public:
    // The study's character set: Japanese, Korean and Chinese texts share the Han
    // characters, whose forms differ by language; fonts of that language come first.
    void SetCharSet(std::uint8_t charSet);

    // Widths are measured for the device (a widget or an image), or the screen without one.
    std::vector<FontRun> Runs(const QFont& base, const QString& text,
                              const QPaintDevice* device = nullptr);
    int Measure(const QFont& base, const QString& text, const QPaintDevice* device = nullptr);
    // Draws with the text's top at y; each run fills x..x+width by pieceHeight pixels with
    // the background first. Returns the total width.
    int Draw(QPainter& painter, const QFont& base, int x, int y, const QString& text,
             const QColor& textColor, const QColor& background, int pieceHeight);

private:
    // The family for a character the base font lacks; empty when no font has it.
    QString FallbackFamily(const QFont& base, char32_t ch);
    QString QtFallbackFamily(const QFont& base, char32_t ch) const;
    QString LanguageFamily(char32_t ch);
    bool FamilyCovers(const QString& family, char32_t ch);
    static QFont FontOfFamily(const QFont& base, const QString& family);

    std::uint8_t m_charSet = 0;
    // Character to fallback family, for the base family of the moment.
    QString m_cacheBase;
    std::map<char32_t, QString> m_fallbacks;
};
