#include "SkinTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPainter>

QColor CraftedSkin::StateColor(SkinBitmap which) {
    switch (which) {
    case SkinBitmap::Off:
        return QColor(10, 10, 10);
    case SkinBitmap::Over:
        return QColor(200, 0, 0);
    case SkinBitmap::Click:
        return QColor(0, 0, 200);
    case SkinBitmap::On:
        return QColor(200, 200, 0);
    }
    return {};
}

int CraftedSkin::GlyphOf(QColor color) {
    for (int k = 0; k <= 12; ++k) {
        if (color == GlyphColor(k)) {
            return k;
        }
    }
    return -1;
}

void CraftedSkin::Write(const std::string& objectList, bool withOnBitmap) {
    QDir(m_dir.path()).mkpath("Skins");
    const std::pair<SkinBitmap, const char*> files[] = {{SkinBitmap::Off, "off"},
                                                        {SkinBitmap::Over, "over"},
                                                        {SkinBitmap::Click, "click"},
                                                        {SkinBitmap::On, "on"}};
    for (const auto& [which, suffix] : files) {
        if (which == SkinBitmap::On && !withOnBitmap) {
            continue;
        }
        QImage image(kWidth, kHeight, QImage::Format_RGB888);
        image.fill(StateColor(which));
        QPainter painter(&image);
        if (which == SkinBitmap::Over) {
            painter.fillRect(kBarArea, Lit());
        }
        if (which == SkinBitmap::Off) {
            painter.fillRect(kBarArea, Unlit());
            for (int k = 0; k <= 12; ++k) {
                painter.fillRect(k * kGlyphWidth, kGlyphY, kGlyphWidth, kGlyphHeight,
                                 GlyphColor(k));
            }
        }
        painter.end();
        image.save(QString::fromStdString(Folder() + "Skins/default_" + suffix + ".bmp"), "BMP");
    }
    QFile list(QString::fromStdString(ObjectListPath()));
    list.open(QIODevice::WriteOnly | QIODevice::Truncate);
    list.write(objectList.data(), static_cast<qint64>(objectList.size()));
}

QColor PixelAt(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}
