#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The symbol of each skinned button, drawn as vectors centred in box.
void DrawButtonIcon(QPainter& painter, int objectNumber, const QRectF& box, const QColor& ink);
// The program's mark: sound bars rising like an ear's curve, and the name.
void DrawLogo(QPainter& painter, const QRectF& box, double glow);
// The mark without the name, for icons too small to read it.
void DrawIconMark(QPainter& painter, const QRectF& box);
