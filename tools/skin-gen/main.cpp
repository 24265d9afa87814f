// earlark-skin-gen: renders the default skin (four bitmaps and the object list), the
// title picture and the program icon in the desktop's sizes from vector drawings. Run it after
// changing the look and commit its output:
//   earlark-skin-gen <repository>/resources
#include "SkinArt.h"
#include "SkinLayout.h"
#include "skin/SkinObjects.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <iostream>
#include <map>

namespace {

QString Line(int id, int type, const QRect& r) {
    return QString("%1, %2, %3, %4, %5, %6, 0\n")
        .arg(id)
        .arg(type)
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QString MappingComment() {
    QString text = "; Control ids of the study form and the objects they take.\n"
                   "; Buttons: object (type 1 push, 2 toggle) <- control id, name\n";
    for (const SkinButtonObject& b : skin_objects::kButtons) {
        text += QString(";   %1 <- %2  %3\n")
                    .arg(b.objectNumber, 3)
                    .arg(b.controlId, 5)
                    .arg(QString(b.name).replace("&&", "&"));
    }
    text += "; Displays: display, glyph strip, content area <- control id, name\n";
    for (const SkinDisplayObject& d : skin_objects::kDisplays) {
        text += QString(";   %1, %2, %3 <- %4  %5\n")
                    .arg(d.displayNumber)
                    .arg(d.glyphStrip)
                    .arg(d.contentArea)
                    .arg(d.controlId, 5)
                    .arg(d.name);
    }
    return text;
}

bool WriteObjectList(const QString& path) {
    std::map<int, QRect> places;
    for (const layout::ButtonPlace& b : layout::Buttons()) {
        places[b.objectNumber] = b.rect;
    }
    QString text = "; Earlark skin \"default\": object list.\n"
                   "; id, type, x, y, width, height, 0 - lines not starting with a digit are "
                   "comments.\n"
                   "; Types: 1 push button, 2 toggle button, 3 display, 5 glyph strip,\n"
                   ";        9 display content area (x, y in window coordinates; width = pitch,\n"
                   ";        height = row height), 10 frame piece.\n";
    text += MappingComment();
    text += "\n; Buttons\n";
    for (const SkinButtonObject& b : skin_objects::kButtons) {
        if (!places.count(b.objectNumber)) {
            std::cerr << "no place for button object " << b.objectNumber << '\n';
            return false;
        }
        text += Line(b.objectNumber, b.toggle ? 2 : 1, places[b.objectNumber]);
    }
    text += "\n; Displays, their content areas and glyph strips\n";
    for (const layout::DisplayPlace& d : layout::Displays()) {
        text += Line(d.displayNumber, 3, d.rect);
    }
    for (const layout::DisplayPlace& d : layout::Displays()) {
        text += Line(d.contentArea, 9, d.content);
    }
    for (const layout::Piece& s : layout::GlyphStrips()) {
        text += "; " + s.role + "\n" + Line(s.objectNumber, 5, s.rect);
    }
    text += "\n; Frame pieces\n";
    for (const layout::Piece& piece : layout::FramePieces()) {
        text += "; " + piece.role + "\n" + Line(piece.objectNumber, 10, piece.rect);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    file.write(text.toUtf8());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: earlark-skin-gen <resources folder>\n";
        return 2;
    }
    QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath("Skins");
    out.mkpath("title");
    const std::pair<ButtonState, const char*> bitmaps[] = {
        {ButtonState::Off, "off"},
        {ButtonState::Over, "over"},
        {ButtonState::Click, "click"},
        {ButtonState::On, "on"},
    };
    for (const auto& [state, suffix] : bitmaps) {
        QString path = out.filePath(QString("Skins/default_%1.bmp").arg(suffix));
        if (!RenderSkinBitmap(state).convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            return 1;
        }
    }
    if (!WriteObjectList(out.filePath("Skins/default_objectlist.txt"))) {
        std::cerr << "cannot write the object list\n";
        return 1;
    }
    if (!RenderProgramIcon().save(out.filePath("title/icon.png"), "PNG")) {
        std::cerr << "cannot write the program icon\n";
        return 1;
    }
    if (!RenderTitlePicture().save(out.filePath("title/title.png"), "PNG")) {
        std::cerr << "cannot write the title picture\n";
        return 1;
    }
    // The sizes desktops ask the hicolor theme for, from menus (16) to launchers (256).
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QString folder = QString("icons/hicolor/%1x%1/apps").arg(size);
        out.mkpath(folder);
        QString path = out.filePath(folder + "/earlark.png");
        if (!RenderProgramIcon(size).save(path, "PNG")) {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
