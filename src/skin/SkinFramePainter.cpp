#include "skin/SkinFramePainter.h"

#include "skin/CSkin.h"

#include <QPainter>

namespace {

enum Piece {
    kTopLeft = 101,
    kTop = 102,
    kTopRight = 103,
    kLeftPiece = 104,
    kLeft = 105,
    kRight = 106,
    kBottomLeft = 107,
    kBottom = 108,
    kBottomRight = 109,
    kSeparatorLeft = 111,
    kSeparatorMiddle = 112,
    kSeparatorRight = 113,
};

void Draw(QPainter& painter, const QImage& image, QPoint at, const QRect& piece) {
    if (!piece.isEmpty()) {
        painter.drawImage(at, image, piece);
    }
}

// Repeats piece from `from` up to (not including) `to`, cutting the last copy short.
void TileAcross(QPainter& painter, const QImage& image, const QRect& piece, int y, int from,
                int to) {
    if (piece.isEmpty()) {
        return;
    }
    for (int x = from; x < to; x += piece.width()) {
        QRect part = piece;
        part.setWidth(std::min(piece.width(), to - x));
        painter.drawImage(QPoint(x, y), image, part);
    }
}

void TileDown(QPainter& painter, const QImage& image, const QRect& piece, int x, int from, int to) {
    if (piece.isEmpty()) {
        return;
    }
    for (int y = from; y < to; y += piece.height()) {
        QRect part = piece;
        part.setHeight(std::min(piece.height(), to - y));
        painter.drawImage(QPoint(x, y), image, part);
    }
}

} // namespace

SkinMargins SkinFramePainter::Margins(const CSkin& skin) {
    return {skin.FramePiece(kLeftPiece).width(), skin.FramePiece(kTopLeft).height(),
            skin.FramePiece(kRight).width(), skin.FramePiece(kBottomLeft).height(),
            skin.FramePiece(kSeparatorMiddle).height()};
}

QRect SkinFramePainter::InnerRect(const CSkin& skin, QSize client) {
    SkinMargins m = Margins(skin);
    return QRect(m.left, m.top, std::max(client.width() - m.left - m.right, 0),
                 std::max(client.height() - m.top - m.bottom, 0));
}

void SkinFramePainter::DrawFrame(QPainter& painter, const CSkin& skin, QSize client) {
    const QImage& image = skin.Bitmap(SkinBitmap::Off);
    const int cx = client.width();
    const int cy = client.height();
    QRect topLeft = skin.FramePiece(kTopLeft);
    QRect topRight = skin.FramePiece(kTopRight);
    QRect leftPiece = skin.FramePiece(kLeftPiece);
    QRect bottomLeft = skin.FramePiece(kBottomLeft);
    QRect bottomRight = skin.FramePiece(kBottomRight);
    QRect right = skin.FramePiece(kRight);

    painter.fillRect(InnerRect(skin, client), CSkin::BackgroundColor());
    TileAcross(painter, image, skin.FramePiece(kTop), 0, topLeft.width(), cx - topRight.width());
    Draw(painter, image, QPoint(cx - topRight.width(), 0), topRight);
    Draw(painter, image, QPoint(0, topLeft.height()), leftPiece);
    TileDown(painter, image, skin.FramePiece(kLeft), 0, topLeft.height() + leftPiece.height(),
             cy - bottomLeft.height());
    TileDown(painter, image, right, cx - right.width(), topRight.height(),
             cy - bottomRight.height());
    TileAcross(painter, image, skin.FramePiece(kBottom), cy - skin.FramePiece(kBottom).height(),
               bottomLeft.width(), cx - bottomRight.width());
    Draw(painter, image, QPoint(0, cy - bottomLeft.height()), bottomLeft);
    Draw(painter, image, QPoint(cx - bottomRight.width(), cy - bottomRight.height()), bottomRight);
    // The deck corner last: at the narrowest width it must not be covered by the tiles.
    Draw(painter, image, QPoint(0, 0), topLeft);
}

void SkinFramePainter::DrawSeparator(QPainter& painter, const CSkin& skin, QSize client, int y) {
    const QImage& image = skin.Bitmap(SkinBitmap::Off);
    QRect inner = InnerRect(skin, client);
    QRect left = skin.FramePiece(kSeparatorLeft);
    QRect right = skin.FramePiece(kSeparatorRight);
    Draw(painter, image, QPoint(inner.left(), y), left);
    TileAcross(painter, image, skin.FramePiece(kSeparatorMiddle), y, inner.left() + left.width(),
               inner.right() + 1 - right.width());
    Draw(painter, image, QPoint(inner.right() + 1 - right.width(), y), right);
}
