#pragma once

#include "skin/SkinSystem.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <array>
#include <string>

class SkinTarget;

// The four skin bitmaps share one coordinate system: an element's rectangle is the same
// in all of them.
enum class SkinBitmap { Off, Over, Click, On };

// The loaded skin: four full-window bitmaps, the path of the object list and the table
// of frame pieces that the view draws its border and separators from.
class CSkin : public SkinSystem {
public:
    static constexpr int kFramePieceCount = 20;
    static constexpr int kFirstFramePiece = 101;
    static constexpr const char* kDefaultName = "default";

    // The inner background of the window; fixed, not part of the skin.
    static QColor BackgroundColor() { return QColor(44, 84, 157); }

    // Loads "<programFolder>Skins/<name>_off.bmp", _over, _click and _on, in that order,
    // and fills the frame piece table. Fails at the first bitmap that does not load, or
    // when the object list cannot be read.
    bool LoadSkin(const std::string& programFolder, const std::string& name) override;
    void UnloadSkin() override;
    bool IsLoaded() const;

    // Applies object number id to the target by its type: 1 when applied or absent,
    // -1 when the list cannot be read or the line is malformed.
    int ApplySkinObject(SkinTarget& target, int id) const;
    // Type 10: sets rect to the object's rectangle.
    int ApplySkinObject(QRect& rect, int id) const;

    const QImage& Bitmap(SkinBitmap which) const;
    // Frame piece 101 + index; an empty rectangle when the list does not define it.
    QRect FramePiece(int objectNumber) const;
    const std::string& ObjectListPath() const { return m_objectListPath; }

private:
    std::array<QImage, 4> m_bitmaps;
    std::array<QRect, kFramePieceCount> m_framePieces;
    std::string m_objectListPath;
};
