#pragma once

#include "document/SubtitleCue.h"

#include <string_view>

// LRC lyrics: lines "[mm:ss.xx]text" or "[mm:ss.xxx]text", several time tags giving the same
// text at each time. Cues have no end of their own. [offset:+/-ms] moves every time (a
// positive offset shows the lines sooner); other tags and untimed lines are ignored.
class LrcParser {
public:
    static SubtitleParse Parse(std::u16string_view text);
};
