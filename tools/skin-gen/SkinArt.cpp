#include "SkinArt.h"

#include "SkinIcons.h"
#include "SkinLayout.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kInner(44, 84, 157);
const QColor kDeckTop(36, 58, 104);
const QColor kDeckBottom(18, 32, 62);
const QColor kBorder(18, 32, 62);
const QColor kEdge(9, 17, 36);
const QColor kLcd(7, 15, 30);
const QColor kLcdRim(46, 78, 132);
const QColor kLabel(104, 146, 214);
const QColor kDigitLit(140, 238, 255);
const QColor kDigitDim(17, 39, 62);
const QColor kCellDim(20, 40, 66);

// The window the frame pieces are cut from, drawn whole so that they join seamlessly.
QImage FrameScene(QSize size) {
    using namespace layout;
    QImage scene(size, QImage::Format_RGB32);
    QPainter p(&scene);
    p.fillRect(scene.rect(), kBorder);
    QLinearGradient deck(0, 0, 0, kTopMargin);
    deck.setColorAt(0, kDeckTop);
    deck.setColorAt(1, kDeckBottom);
    p.fillRect(QRect(0, 0, size.width(), kTopMargin), deck);
    p.fillRect(QRect(0, 0, size.width(), 1), QColor(70, 100, 160));
    QRect inner(kSideMargin, kTopMargin, size.width() - 2 * kSideMargin,
                size.height() - kTopMargin - kBottomMargin);
    p.fillRect(inner, kInner);
    p.setPen(kEdge);
    p.drawRect(inner.adjusted(-1, -1, 0, 0));
    p.setPen(QColor(60, 96, 160));
    p.drawLine(inner.left() - 1, inner.bottom() + 1, inner.right() + 1, inner.bottom() + 1);
    p.drawLine(inner.right() + 1, inner.top() - 1, inner.right() + 1, inner.bottom() + 1);
    return scene;
}

// A groove across the inner area: two dark rows over one light row, ending short of
// the panes' edges at the caps.
void DrawSeparatorParts(QPainter& p) {
    for (const layout::Piece& piece : layout::FramePieces()) {
        if (piece.objectNumber < 111) {
            continue;
        }
        QRect r = piece.rect;
        p.fillRect(r, kInner);
        int left = r.left() + (piece.objectNumber == 111 ? 3 : 0);
        int right = r.right() - (piece.objectNumber == 113 ? 3 : 0);
        int width = right - left + 1;
        p.fillRect(QRect(left, r.top() + 1, width, 2), QColor(22, 44, 90));
        p.fillRect(QRect(left, r.top() + 3, width, 1), QColor(98, 138, 206));
    }
}

void DrawFrameParts(QPainter& p) {
    using namespace layout;
    const QSize sceneSize(700, 400);
    QImage scene = FrameScene(sceneSize);
    const int w = sceneSize.width();
    const int h = sceneSize.height();
    const QRect sources[] = {
        {0, 0, kDeckWidth, kTopMargin},                                   // 101
        {300, 0, 8, kTopMargin},                                          // 102
        {w - 14, 0, 14, kTopMargin},                                      // 103
        {0, kTopMargin, kSideMargin, 20},                                 // 104
        {0, kTopMargin + 40, kSideMargin, 8},                             // 105
        {w - kSideMargin, kTopMargin, kSideMargin, 8},                    // 106
        {0, h - kBottomMargin, kSideMargin, kBottomMargin},               // 107
        {300, h - kBottomMargin, 8, kBottomMargin},                       // 108
        {w - kSideMargin, h - kBottomMargin, kSideMargin, kBottomMargin}, // 109
    };
    int i = 0;
    for (const Piece& piece : FramePieces()) {
        if (piece.objectNumber > 109) {
            break;
        }
        p.drawImage(piece.rect.topLeft(), scene, sources[i++]);
    }
    DrawSeparatorParts(p);
}

QFont LabelFont() {
    QFont font("DejaVu Sans Condensed");
    font.setPixelSize(8);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    return font;
}

void DrawLcd(QPainter& p, const QRectF& r) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLcdRim, 1));
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    p.setBrush(kLcd);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawPanels(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    for (const QRect& r : layout::DeckPanels()) {
        p.setPen(QPen(QColor(255, 255, 255, 22), 1));
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawDisplayBackground(QPainter& p, const layout::DisplayPlace& d) {
    DrawLcd(p, d.rect);
    // Labels that do not fit close up their letters.
    QFont font = LabelFont();
    const int room = d.rect.width() - 9;
    while (QFontMetrics(font).horizontalAdvance(d.label) > room && font.letterSpacing() > -0.6) {
        font.setLetterSpacing(QFont::AbsoluteSpacing, font.letterSpacing() - 0.2);
    }
    p.setFont(font);
    p.setPen(kLabel);
    if (!d.label.isEmpty()) {
        p.drawText(QRect(d.rect.left() + 5, d.rect.top() + 2, d.rect.width() - 6, 10),
                   Qt::AlignLeft | Qt::AlignVCenter, d.label);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kDigitLit);
    const QRect c = d.content;
    switch (d.displayNumber) {
    case 31: { // the colon between minutes and seconds
        double x = c.x() + 2 * c.width() - 0.5;
        p.drawEllipse(QPointF(x, c.y() + 9), 1.6, 1.6);
        p.drawEllipse(QPointF(x, c.y() + 21), 1.6, 1.6);
        break;
    }
    case 36: { // the slash between position and count
        p.setPen(QPen(kDigitLit, 1.3));
        double x = c.x() + 3 * c.width() + 1.5;
        p.drawLine(QPointF(x + 1.5, c.y() + 1), QPointF(x - 1.5, c.y() + 15));
        break;
    }
    case 34: // the decimal point between seconds and tenths
        p.drawEllipse(QPointF(c.x() + c.width() - 2.5, c.y() + 14.5), 1.3, 1.3);
        break;
    case 35: { // percent
        QFont font("DejaVu Sans Condensed");
        font.setPixelSize(9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(kLabel);
        p.drawText(QRect(c.x() + 3 * c.width() + 1, c.y() + 4, 9, 12), Qt::AlignCenter, "%");
        break;
    }
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

// A seven-segment digit; segments a-g in the usual order, lit by mask.
void DrawSegments(QPainter& p, const QRectF& cell, int mask, bool allDim) {
    const double w = cell.width();
    const double h = cell.height();
    const double t = std::max(2.0, w / 5.5);
    const double skew = 0.08 * w;
    auto pt = [&](double x, double y) {
        return QPointF(cell.left() + x + skew * (1 - y / h), cell.top() + y);
    };
    auto horizontal = [&](double y) {
        QPolygonF poly{pt(t * 0.6 + 1, y),     pt(t + 1, y - t / 2),     pt(w - t - 2, y - t / 2),
                       pt(w - t * 0.6 - 2, y), pt(w - t - 2, y + t / 2), pt(t + 1, y + t / 2)};
        return poly;
    };
    auto vertical = [&](double x, double y0, double y1) {
        QPolygonF poly{pt(x, y0), pt(x + t / 2, y0 + t / 2), pt(x + t / 2, y1 - t / 2),
                       pt(x, y1), pt(x - t / 2, y1 - t / 2), pt(x - t / 2, y0 + t / 2)};
        return poly;
    };
    const double top = t / 2 + 0.5;
    const double mid = h / 2;
    const double bottom = h - t / 2 - 0.5;
    const double left = t / 2 + 0.5;
    const double right = w - t / 2 - 1.5;
    const QPolygonF segments[7] = {
        horizontal(top),
        vertical(right, top + 0.8, mid - 0.8),
        vertical(right, mid + 0.8, bottom - 0.8),
        horizontal(bottom),
        vertical(left, mid + 0.8, bottom - 0.8),
        vertical(left, top + 0.8, mid - 0.8),
        horizontal(mid),
    };
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        bool lit = !allDim && (mask >> s) & 1;
        p.setBrush(lit ? kDigitLit : kDigitDim);
        p.drawPolygon(segments[s]);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawEndlessHalves(QPainter& p, const QRect& left, const QRect& right) {
    // One sign drawn across both cells (with the gap between them), then cut in two.
    QRect whole(left.topLeft(), QSize(left.width() * 2 + 1, left.height()));
    QImage sign(whole.size(), QImage::Format_RGB32);
    sign.fill(kLcd);
    QPainter sp(&sign);
    sp.setRenderHint(QPainter::Antialiasing);
    QPen pen(kDigitLit, std::max(1.6, whole.height() / 9.0));
    sp.setPen(pen);
    double cx = whole.width() / 2.0;
    double cy = whole.height() / 2.0;
    double rx = whole.width() / 4.2;
    double ry = whole.height() / 4.5;
    QPainterPath path;
    path.moveTo(cx, cy);
    path.cubicTo(cx + rx * 0.8, cy - ry * 1.6, cx + rx * 2.1, cy - ry * 0.9, cx + rx * 1.9, cy);
    path.cubicTo(cx + rx * 2.1, cy + ry * 0.9, cx + rx * 0.8, cy + ry * 1.6, cx, cy);
    path.cubicTo(cx - rx * 0.8, cy - ry * 1.6, cx - rx * 2.1, cy - ry * 0.9, cx - rx * 1.9, cy);
    path.cubicTo(cx - rx * 2.1, cy + ry * 0.9, cx - rx * 0.8, cy + ry * 1.6, cx, cy);
    sp.drawPath(path);
    sp.end();
    p.drawImage(left.topLeft(), sign, QRect(0, 0, left.width(), left.height()));
    p.drawImage(right.topLeft(), sign, QRect(left.width() + 1, 0, right.width(), right.height()));
}

void DrawDigitStrip(QPainter& p, const QRect& first) {
    static const int kMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    auto cell = [&](int k) { return first.translated(k * first.width(), 0); };
    p.fillRect(QRect(first.topLeft(), QSize(first.width() * 13, first.height())), kLcd);
    for (int k = 0; k < 10; ++k) {
        DrawSegments(p, cell(k), kMasks[k], false);
    }
    DrawEndlessHalves(p, cell(10), cell(11));
    DrawSegments(p, cell(12), 0, true);
}

QColor SpectrumColor(int rowFromBottom) {
    if (rowFromBottom >= 13) {
        return QColor(255, 92, 80);
    }
    if (rowFromBottom >= 9) {
        return QColor(246, 214, 76);
    }
    return QColor(64, 226, 150);
}

void DrawBars(QPainter& p, bool lit) {
    using namespace layout;
    const QRect spectrum = GlyphStrips()[2].rect;
    p.fillRect(QRect(spectrum.topLeft(), QSize(20 * kSpectrumPitch, 16 * kSpectrumRow)), kLcd);
    for (int bar = 0; bar < 20; ++bar) {
        for (int row = 0; row < 16; ++row) {
            QRect cellRect(spectrum.x() + bar * kSpectrumPitch, spectrum.y() + row * kSpectrumRow,
                           kSpectrumPitch - 1, kSpectrumRow - 1);
            p.fillRect(cellRect, lit ? SpectrumColor(15 - row) : kCellDim);
        }
    }
    const QRect volume = GlyphStrips()[3].rect;
    p.fillRect(QRect(volume.topLeft(), QSize(8 * kVolumePitch, kVolumeRow)), kLcd);
    for (int seg = 0; seg < 8; ++seg) {
        QRect segRect(volume.x() + seg * kVolumePitch, volume.y(), kVolumePitch - 2, kVolumeRow);
        QColor on = QColor::fromHsvF(0.53 - seg * 0.012, 0.75 - seg * 0.05, 0.85 + seg * 0.018);
        p.fillRect(segRect, lit ? on : kCellDim);
    }
}

struct ButtonLook {
    QColor top, bottom, rim, ink;
    QPointF shift;
};

ButtonLook LookFor(ButtonState state) {
    switch (state) {
    case ButtonState::Off:
        return {QColor(54, 86, 146),
                QColor(33, 58, 106),
                QColor(78, 112, 176),
                QColor(228, 238, 255),
                {0, 0}};
    case ButtonState::Over:
        return {QColor(82, 130, 210),
                QColor(50, 92, 164),
                QColor(150, 200, 255),
                QColor(255, 255, 255),
                {0, 0}};
    case ButtonState::Click:
        return {QColor(20, 38, 74),
                QColor(32, 58, 106),
                QColor(70, 104, 168),
                QColor(196, 216, 248),
                {0.5, 1}};
    case ButtonState::On:
        return {QColor(252, 196, 84),
                QColor(226, 146, 32),
                QColor(255, 226, 150),
                QColor(48, 28, 4),
                {0, 0}};
    }
    return {};
}

void DrawButton(QPainter& p, const layout::ButtonPlace& button, ButtonState state) {
    const QRectF r = QRectF(button.rect).adjusted(1, 1, -1, -1);
    if (button.objectNumber == 81) {
        double glow = state == ButtonState::Over ? 1 : state == ButtonState::On ? 0.5 : 0;
        DrawLogo(p, r.translated(0, state == ButtonState::Click ? 1 : 0), glow);
        return;
    }
    ButtonLook look = LookFor(state);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(-0.5, 0.5, 0.5, 1.0), 5, 5); // a soft drop shadow
    p.setPen(QPen(look.rim, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4.5, 4.5);
    if (state != ButtonState::Click) {
        p.setPen(QPen(QColor(255, 255, 255, 55), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1.5), QPointF(r.right() - 4, r.top() + 1.5));
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawButtonIcon(p, button.objectNumber, r.translated(look.shift), look.ink);
}

} // namespace

QImage RenderSkinBitmap(ButtonState state) {
    using namespace layout;
    QImage image(kBitmapWidth, kBitmapHeight, QImage::Format_RGB32);
    image.fill(QColor(12, 20, 38));
    QPainter p(&image);
    DrawFrameParts(p);
    DrawPanels(p);
    for (const DisplayPlace& display : Displays()) {
        DrawDisplayBackground(p, display);
    }
    for (const ButtonPlace& button : Buttons()) {
        DrawButton(p, button, state);
    }
    DrawDigitStrip(p, GlyphStrips()[0].rect);
    DrawDigitStrip(p, GlyphStrips()[1].rect);
    DrawBars(p, state == ButtonState::Over);
    return image;
}

QImage RenderTitlePicture() {
    QImage image(350, 215, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 350, 215);
    sky.setColorAt(0, QColor(30, 54, 104));
    sky.setColorAt(1, QColor(12, 22, 46));
    p.fillRect(image.rect(), sky);
    QRadialGradient glow(QPointF(262, 70), 150);
    glow.setColorAt(0, QColor(64, 180, 230, 90));
    glow.setColorAt(1, QColor(64, 180, 230, 0));
    p.fillRect(image.rect(), glow);
    // A sound wave running across the picture.
    for (int i = 0; i < 44; ++i) {
        double h = 6 + 46 * std::abs(std::sin(i * 0.37) * std::cos(i * 0.11));
        QRectF bar(22 + i * 7.2, 150 - h / 2, 4, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 210, 255, 70 + (i * 4) % 90));
        p.drawRoundedRect(bar, 2, 2);
    }
    DrawLogo(p, QRectF(24, 26, 64, 64), 1);
    QFont name("DejaVu Sans");
    name.setPixelSize(40);
    name.setBold(true);
    p.setFont(name);
    p.setPen(QColor(240, 248, 255));
    p.drawText(QRectF(100, 26, 240, 46), Qt::AlignLeft | Qt::AlignVCenter, "Earlark");
    QFont small("DejaVu Sans");
    small.setPixelSize(12);
    p.setFont(small);
    p.setPen(QColor(150, 200, 250));
    p.drawText(QRectF(102, 70, 240, 18), Qt::AlignLeft | Qt::AlignVCenter,
               "Listen, write, understand.");
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(QColor(170, 190, 225));
    p.drawText(QRectF(20, 190, 310, 14), Qt::AlignLeft | Qt::AlignVCenter, "Version 4.2");
    p.drawText(QRectF(20, 190, 310, 14), Qt::AlignRight | Qt::AlignVCenter, "Velmora");
    // A thin rim keeps the borderless picture apart from a dark desktop.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(96, 140, 210));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage RenderProgramIcon() {
    return RenderProgramIcon(64);
}

QImage RenderProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // Drawn on the 64-pixel design and scaled, so every size is the same picture; below
    // 48 pixels the name would be a smear, so the small sizes show the mark alone.
    p.scale(size / 64.0, size / 64.0);
    if (size >= 48) {
        DrawLogo(p, QRectF(0, 0, 64, 64), 0);
    } else {
        DrawIconMark(p, QRectF(0, 0, 64, 64));
    }
    return image;
}
