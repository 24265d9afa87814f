#pragma once

#include "skin/CSkin.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <string>

// A skin made up for a test: four single-colour bitmaps (so a picture tells which bitmap
// it came from), a glyph strip whose glyph k has its own colour, and an object list.
class CraftedSkin {
public:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 240;
    // Glyph strip of the normal bitmap: glyph k is an 8 x 10 cell at (8k, 200).
    static constexpr int kGlyphY = 200;
    static constexpr int kGlyphWidth = 8;
    static constexpr int kGlyphHeight = 10;

    // Bar pictures: this area is "unlit" in the normal bitmap and "lit" in the hover one.
    static constexpr QRect kBarArea{280, 120, 110, 60};
    static QColor Unlit() { return QColor(0, 0, 90); }
    static QColor Lit() { return QColor(250, 120, 0); }

    static QColor StateColor(SkinBitmap which);
    static QColor GlyphColor(int glyph) { return QColor(0, 100 + glyph * 10, 0); }
    // The glyph whose colour this is, or -1.
    static int GlyphOf(QColor color);

    // Writes the bitmaps (all, or without "_on.bmp") and the object list.
    void Write(const std::string& objectList, bool withOnBitmap = true);
    std::string Folder() const { return m_dir.path().toStdString() + "/"; }
    std::string ObjectListPath() const { return Folder() + "Skins/default_objectlist.txt"; }

private:
    QTemporaryDir m_dir;
};

// The colour of a pixel of a widget's rendering.
QColor PixelAt(const QImage& image, int x, int y);
