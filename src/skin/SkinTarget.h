#pragma once

#include <QRect>

// A control that takes its place and pictures from skin objects. The object's type
// decides which of these is called.
class SkinTarget {
public:
    virtual ~SkinTarget() = default;

    // Types 1 and 2 (buttons) and 3 (displays): the rectangle is both the control's
    // place in the window and its picture in the skin bitmaps.
    virtual void SetSkinRect(int type, int objectNumber, const QRect& rect) = 0;
    // Type 5: a display's strip of glyphs in the normal bitmap.
    virtual void SetGlyphStrip(const QRect& strip) { (void)strip; }
    // Type 9: a display's content area, given in window coordinates.
    virtual void SetContentArea(const QRect& area) { (void)area; }
};
