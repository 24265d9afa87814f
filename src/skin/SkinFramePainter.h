#pragma once

#include <QRect>
#include <QSize>

class CSkin;
class QPainter;

// The window's margins as the frame pieces give them, and the gap between panes.
struct SkinMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int gap = 0;
};

// Draws the window from the skin's frame pieces: corners, tiled edges and the inner
// background, and the separator strips between panes.
class SkinFramePainter {
public:
    static SkinMargins Margins(const CSkin& skin);
    // The area inside the margins for a client area of this size.
    static QRect InnerRect(const CSkin& skin, QSize client);
    static void DrawFrame(QPainter& painter, const CSkin& skin, QSize client);
    // A separator strip gap pixels high across the inner width, top edge at y.
    static void DrawSeparator(QPainter& painter, const CSkin& skin, QSize client, int y);
};
