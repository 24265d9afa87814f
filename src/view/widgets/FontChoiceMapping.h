#pragma once

#include "view/ViewPorts.h"

#include <QFont>

// Between the study's font (a negative pixel height and style bits: 1 bold, 2 italic,
// 4 underline, 8 strikeout) and a Qt font, for the font dialog.
class FontChoiceMapping {
public:
    static QFont ToQFont(const FontChoice& choice);
    // The character set is the study's language, kept from `initial`, not chosen here.
    static FontChoice FromQFont(const QFont& font, const FontChoice& initial);
};
