#pragma once

#include "document/SubtitleCue.h"

#include <string_view>

// SubRip (.srt): numbered blocks "hh:mm:ss,mmm --> hh:mm:ss,mmm" with their text lines. The
// formatting tags <i> <b> <u> <font ...> are removed and character references decoded.
class SrtParser {
public:
    static SubtitleParse Parse(std::u16string_view text);
};
