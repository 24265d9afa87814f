#include "view/widgets/FontChoiceMapping.h"

#include <QFontInfo>
#include <cstdlib>

namespace {

constexpr int kDefaultPixels = 16;

} // namespace

QFont FontChoiceMapping::ToQFont(const FontChoice& choice) {
    QFont font(QString::fromStdU16String(choice.face));
    font.setPixelSize(choice.height == 0 ? kDefaultPixels : std::abs(choice.height));
    font.setBold((choice.style & 1) != 0);
    font.setItalic((choice.style & 2) != 0);
    font.setUnderline((choice.style & 4) != 0);
    font.setStrikeOut((choice.style & 8) != 0);
    return font;
}

FontChoice FontChoiceMapping::FromQFont(const QFont& font, const FontChoice& initial) {
    FontChoice choice;
    choice.face = font.family().toStdU16String();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    choice.height = -pixels;
    choice.style = (font.weight() > QFont::Normal ? 1u : 0u) | (font.italic() ? 2u : 0u) |
                   (font.underline() ? 4u : 0u) | (font.strikeOut() ? 8u : 0u);
    choice.charSet = initial.charSet;
    return choice;
}
