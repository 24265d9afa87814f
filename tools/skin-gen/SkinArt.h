#pragma once

#include <QImage>

// The four pictures of the default skin.
enum class ButtonState { Off, Over, Click, On };

QImage RenderSkinBitmap(ButtonState state);
// The 350 x 215 title picture.
QImage RenderTitlePicture();
// The program's 64 x 64 icon.
QImage RenderProgramIcon();
// The program's icon at size x size pixels, for the desktop's icon theme.
QImage RenderProgramIcon(int size);
