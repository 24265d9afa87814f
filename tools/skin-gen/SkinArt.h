#pragma once

#include <QImage>

// The four pictures of the default skin.
enum class ButtonState { Off, Over, Click, On };

QImage RenderSkinBitmap(ButtonState state);
// The 350 x 215 title picture.
QImage RenderTitlePicture();
// The program's 64 x 64 icon.
QImage RenderProgramIcon();
