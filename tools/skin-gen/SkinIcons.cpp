#include "SkinIcons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

QPainterPath Triangle(QPointF a, QPointF b, QPointF c) {
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

// A triangle pointing right (dir 1) or left (dir -1), w wide, h high, left edge at x.
QPainterPath Arrow(double x, double cy, double w, double h, int dir) {
    if (dir > 0) {
        return Triangle({x, cy - h / 2}, {x + w, cy}, {x, cy + h / 2});
    }
    return Triangle({x + w, cy - h / 2}, {x, cy}, {x + w, cy + h / 2});
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& ink) {
    p.fillPath(path, ink);
}

void Text(QPainter& p, const QRectF& box, const QString& text, int pixelSize, const QColor& ink,
          bool condensed = false) {
    QFont font(condensed ? "DejaVu Sans Condensed" : "DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
}

QPen Stroke(const QColor& ink, double width) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Transport(QPainter& p, int object, const QRectF& b, const QColor& ink) {
    const QPointF c = b.center();
    const double h = 12;
    switch (object) {
    case 1: // play
        Fill(p, Arrow(c.x() - 5, c.y(), 12, 14, 1), ink);
        break;
    case 2: // pause
        p.fillRect(QRectF(c.x() - 5, c.y() - 6, 3.5, 12), ink);
        p.fillRect(QRectF(c.x() + 1.5, c.y() - 6, 3.5, 12), ink);
        break;
    case 3: // stop
        p.fillRect(QRectF(c.x() - 5.5, c.y() - 5.5, 11, 11), ink);
        break;
    case 4: // previous
        p.fillRect(QRectF(c.x() - 6, c.y() - h / 2, 2.5, h), ink);
        Fill(p, Arrow(c.x() - 3, c.y(), 9, h, -1), ink);
        break;
    case 5: // next
        Fill(p, Arrow(c.x() - 6, c.y(), 9, h, 1), ink);
        p.fillRect(QRectF(c.x() + 3.5, c.y() - h / 2, 2.5, h), ink);
        break;
    case 6: // first
        p.fillRect(QRectF(c.x() - 8, c.y() - h / 2, 2.5, h), ink);
        Fill(p, Arrow(c.x() - 5, c.y(), 7, h, -1), ink);
        Fill(p, Arrow(c.x() + 1, c.y(), 7, h, -1), ink);
        break;
    case 7: // last
        Fill(p, Arrow(c.x() - 8, c.y(), 7, h, 1), ink);
        Fill(p, Arrow(c.x() - 2, c.y(), 7, h, 1), ink);
        p.fillRect(QRectF(c.x() + 5.5, c.y() - h / 2, 2.5, h), ink);
        break;
    }
}

void Chevron(QPainter& p, const QRectF& b, const QColor& ink, bool up) {
    const QPointF c = b.center();
    double dy = up ? 2 : -2;
    Fill(p,
         Triangle({c.x() - 4.5, c.y() + dy}, {c.x() + 4.5, c.y() + dy}, {c.x(), c.y() - dy * 1.6}),
         ink);
}

void Speaker(QPainter& p, const QPointF& c, const QColor& ink) {
    QPainterPath path;
    path.moveTo(c.x() - 8, c.y() - 3);
    path.lineTo(c.x() - 5, c.y() - 3);
    path.lineTo(c.x() - 1, c.y() - 7);
    path.lineTo(c.x() - 1, c.y() + 7);
    path.lineTo(c.x() - 5, c.y() + 3);
    path.lineTo(c.x() - 8, c.y() + 3);
    path.closeSubpath();
    Fill(p, path, ink);
}

void Toggles(QPainter& p, int object, const QRectF& b, const QColor& ink) {
    const QPointF c = b.center();
    p.setBrush(Qt::NoBrush);
    switch (object) {
    case 14: { // auto-play: a loop around a small play sign
        p.setPen(Stroke(ink, 1.8));
        p.drawArc(QRectF(c.x() - 7, c.y() - 7, 14, 14), 100 * 16, 290 * 16);
        Fill(p, Triangle({c.x() + 1, c.y() - 10}, {c.x() + 5, c.y() - 7}, {c.x() + 1, c.y() - 4}),
             ink);
        Fill(p, Arrow(c.x() - 2, c.y(), 5.5, 7, 1), ink);
        break;
    }
    case 15: { // show original text: an eye
        QPainterPath eye;
        eye.moveTo(c.x() - 9, c.y());
        eye.quadTo(c.x(), c.y() - 9, c.x() + 9, c.y());
        eye.quadTo(c.x(), c.y() + 9, c.x() - 9, c.y());
        p.setPen(Stroke(ink, 1.6));
        p.drawPath(eye);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(c, 2.8, 2.8);
        break;
    }
    case 16: { // compare: a check mark
        p.setPen(Stroke(ink, 2.4));
        QPainterPath tick;
        tick.moveTo(c.x() - 6, c.y());
        tick.lineTo(c.x() - 2, c.y() + 4.5);
        tick.lineTo(c.x() + 6.5, c.y() - 5);
        p.drawPath(tick);
        break;
    }
    case 17: { // listen-and-speak: a speech bubble
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(c.x() - 8, c.y() - 7, 16, 11), 3.5, 3.5);
        bubble.moveTo(c.x() - 4, c.y() + 3);
        bubble.lineTo(c.x() - 6, c.y() + 8);
        bubble.lineTo(c.x() + 1, c.y() + 3);
        p.setPen(Stroke(ink, 1.6));
        p.drawPath(bubble.simplified());
        for (int i = -1; i <= 1; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawEllipse(QPointF(c.x() + i * 4, c.y() - 1.5), 1.2, 1.2);
        }
        break;
    }
    case 18: { // highlight: a star
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            double r = i % 2 == 0 ? 8 : 3.4;
            double a = -M_PI / 2 + i * M_PI / 5;
            QPointF pt(c.x() + r * std::cos(a), c.y() + 1 + r * std::sin(a));
            i == 0 ? star.moveTo(pt) : star.lineTo(pt);
        }
        star.closeSubpath();
        Fill(p, star, ink);
        break;
    }
    case 80: { // phrase by phrase: a play sign and three short phrases
        Fill(p, Arrow(c.x() - 9, c.y(), 6, 8, 1), ink);
        for (int i = 0; i < 3; ++i) {
            p.fillRect(QRectF(c.x() - 1 + i * 4, c.y() - 1.5, 3, 3), ink);
        }
        break;
    }
    }
}

void Document(QPainter& p, const QPointF& c, const QColor& ink) {
    QPainterPath page;
    page.moveTo(c.x() - 6, c.y() - 7);
    page.lineTo(c.x() + 2, c.y() - 7);
    page.lineTo(c.x() + 6, c.y() - 3);
    page.lineTo(c.x() + 6, c.y() + 7);
    page.lineTo(c.x() - 6, c.y() + 7);
    page.closeSubpath();
    p.setPen(Stroke(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(page);
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(c.x() - 3.5, c.y() - 2 + i * 3),
                   QPointF(c.x() + 3.5, c.y() - 2 + i * 3));
    }
}

void Files(QPainter& p, int object, const QRectF& b, const QColor& ink) {
    const QPointF c = b.center();
    p.setBrush(Qt::NoBrush);
    switch (object) {
    case 71:   // import script: a page with an arrow coming in
    case 72: { // export script: a page with an arrow going out
        Document(p, QPointF(c.x() + 3, c.y()), ink);
        p.setPen(Stroke(ink, 1.8));
        double y = c.y() + 3;
        if (object == 71) {
            p.drawLine(QPointF(c.x() - 10, y), QPointF(c.x() - 2, y));
            Fill(p, Arrow(c.x() - 3, y, 4, 6, 1), ink);
        } else {
            p.drawLine(QPointF(c.x() - 3, y), QPointF(c.x() - 9, y));
            Fill(p, Arrow(c.x() - 12, y, 4, 6, -1), ink);
        }
        break;
    }
    case 73: { // open: a folder
        QPainterPath folder;
        folder.moveTo(c.x() - 8, c.y() + 6);
        folder.lineTo(c.x() - 8, c.y() - 6);
        folder.lineTo(c.x() - 3, c.y() - 6);
        folder.lineTo(c.x() - 1, c.y() - 4);
        folder.lineTo(c.x() + 7, c.y() - 4);
        folder.lineTo(c.x() + 7, c.y() - 1);
        p.setPen(Stroke(ink, 1.5));
        p.drawPath(folder);
        QPainterPath flap;
        flap.moveTo(c.x() - 8, c.y() + 6);
        flap.lineTo(c.x() - 5, c.y() - 1);
        flap.lineTo(c.x() + 10, c.y() - 1);
        flap.lineTo(c.x() + 7, c.y() + 6);
        flap.closeSubpath();
        Fill(p, flap, ink);
        break;
    }
    case 74: { // save: a disk
        QPainterPath disk;
        disk.moveTo(c.x() - 7, c.y() - 7);
        disk.lineTo(c.x() + 4, c.y() - 7);
        disk.lineTo(c.x() + 7, c.y() - 4);
        disk.lineTo(c.x() + 7, c.y() + 7);
        disk.lineTo(c.x() - 7, c.y() + 7);
        disk.closeSubpath();
        QPainterPath holes;
        holes.addRect(QRectF(c.x() - 4, c.y() - 7, 7, 4.5));
        holes.addRoundedRect(QRectF(c.x() - 4.5, c.y() + 1, 9, 6), 1, 1);
        Fill(p, disk.subtracted(holes), ink);
        break;
    }
    case 75: { // help and about: a question mark in a ring
        p.setPen(Stroke(ink, 1.5));
        p.drawEllipse(c, 8, 8);
        Text(p, b.translated(0, 0.5), "?", 12, ink);
        break;
    }
    case 82: { // e-mail and website: an envelope
        QRectF env(c.x() - 8, c.y() - 5.5, 16, 11);
        p.setPen(Stroke(ink, 1.5));
        p.drawRoundedRect(env, 1.5, 1.5);
        QPainterPath flap;
        flap.moveTo(env.topLeft() + QPointF(1, 1));
        flap.lineTo(c.x(), c.y() + 1);
        flap.lineTo(env.topRight() + QPointF(-1, 1));
        p.drawPath(flap);
        break;
    }
    }
}

void Sound(QPainter& p, int object, const QRectF& b, const QColor& ink) {
    const QPointF c = b.center();
    switch (object) {
    case 76: // volume down
    case 77: // volume up
        Speaker(p, QPointF(c.x() - 1, c.y()), ink);
        p.fillRect(QRectF(c.x() + 2, c.y() - 1, 8, 2), ink);
        if (object == 77) {
            p.fillRect(QRectF(c.x() + 5, c.y() - 4, 2, 8), ink);
        }
        break;
    case 83: // volume control program: three sliders
        for (int i = 0; i < 3; ++i) {
            double x = c.x() - 6 + i * 6;
            p.fillRect(QRectF(x - 0.75, c.y() - 7, 1.5, 14), ink);
            double knob = c.y() + (i == 0 ? 2 : i == 1 ? -3 : 4);
            p.fillRect(QRectF(x - 2.5, knob - 1.5, 5, 3), ink);
        }
        break;
    case 78: // MP3 export
        Text(p, b.adjusted(0, -6, 0, 0), "MP3", 9, ink, true);
        p.setPen(Stroke(ink, 1.6));
        p.drawLine(QPointF(c.x() - 5, c.y() + 6), QPointF(c.x() + 3, c.y() + 6));
        Fill(p, Arrow(c.x() + 2, c.y() + 6, 4, 6, 1), ink);
        break;
    case 79: { // attached clip: a paper clip
        QPainterPath clip;
        clip.moveTo(c.x() + 3, c.y() - 3);
        clip.lineTo(c.x() + 3, c.y() + 5);
        clip.arcTo(QRectF(c.x() - 3, c.y() + 2, 6, 6), 0, -180);
        clip.lineTo(c.x() - 3, c.y() - 6);
        clip.arcTo(QRectF(c.x() - 3, c.y() - 9, 9, 7), 180, -180);
        clip.lineTo(c.x() + 6, c.y() + 4);
        p.setPen(Stroke(ink, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(clip);
        break;
    }
    case 27: { // menu: three lines, the word, and a drop-down mark
        double x = b.left() + 12;
        for (int i = 0; i < 3; ++i) {
            p.fillRect(QRectF(x, c.y() - 5.5 + i * 4.5, 11, 2), ink);
        }
        Text(p, QRectF(x + 13, b.top(), 38, b.height()), "MENU", 10, ink, true);
        double dx = b.right() - 14;
        Fill(p, Triangle({dx, c.y() - 1.5}, {dx + 6, c.y() - 1.5}, {dx + 3, c.y() + 2}), ink);
        break;
    }
    }
}

QString Label(int object) {
    switch (object) {
    case 19:
        return "I";
    case 20:
        return "D";
    case 21:
        return "M";
    case 22:
        return "S";
    case 23:
        return "LF";
    case 24:
        return "RF";
    case 25:
        return "LT";
    case 26:
        return "RT";
    default:
        return {};
    }
}

// The rounded, blue-green badge behind the program's mark.
void DrawBadge(QPainter& p, const QRectF& badge, double glow) {
    QLinearGradient fill(badge.topLeft(), badge.bottomRight());
    fill.setColorAt(0, QColor(58, 190, 220).lighter(100 + int(glow * 25)));
    fill.setColorAt(1, QColor(40, 92, 196).lighter(100 + int(glow * 25)));
    p.setPen(QPen(QColor(170, 225, 255, 150 + int(glow * 100)), 1));
    p.setBrush(fill);
    p.drawRoundedRect(badge, 9, 9);
}

} // namespace

void DrawButtonIcon(QPainter& p, int object, const QRectF& box, const QColor& ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!Label(object).isEmpty()) {
        Text(p, box, Label(object), Label(object).size() > 1 ? 10 : 12, ink,
             Label(object).size() > 1);
    } else if (object >= 1 && object <= 7) {
        Transport(p, object, box, ink);
    } else if (object >= 8 && object <= 13) {
        Chevron(p, box, ink, object % 2 == 0);
    } else if ((object >= 14 && object <= 18) || object == 80) {
        Toggles(p, object, box, ink);
    } else if ((object >= 71 && object <= 75) || object == 82) {
        Files(p, object, box, ink);
    } else {
        Sound(p, object, box, ink);
    }
    p.restore();
}

void DrawLogo(QPainter& p, const QRectF& box, double glow) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF badge = box.adjusted(1.5, 1.5, -1.5, -1.5);
    DrawBadge(p, badge, glow);
    // Sound bars in the shape of an ear's outline.
    const double heights[] = {6, 12, 20, 14, 24, 16, 9};
    double x = badge.center().x() - 3.5 * 5;
    for (double h : heights) {
        QRectF bar(x + 1, badge.top() + 19 - h / 2, 3, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 235));
        p.drawRoundedRect(bar, 1.5, 1.5);
        x += 5;
    }
    QFont font("DejaVu Sans");
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255));
    p.drawText(QRectF(badge.left(), badge.bottom() - 19, badge.width(), 14), Qt::AlignCenter,
               "Earlark");
    p.restore();
}

void DrawIconMark(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF badge = box.adjusted(1.5, 1.5, -1.5, -1.5);
    DrawBadge(p, badge, 0);
    // Five broad bars of the same outline, centred, so that they stay apart at 16 pixels.
    const double heights[] = {16, 32, 24, 42, 20};
    const double pitch = 11;
    const double width = 7;
    double x = badge.center().x() - 2.5 * pitch;
    for (double h : heights) {
        QRectF bar(x + (pitch - width) / 2, badge.center().y() - h / 2, width, h);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 240));
        p.drawRoundedRect(bar, 3, 3);
        x += pitch;
    }
    p.restore();
}
