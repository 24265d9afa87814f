#pragma once

#include "document/SubtitleCue.h"

#include <string_view>

// WebVTT (.vtt): the "WEBVTT" line and header, then cue blocks "[hh:]mm:ss.mmm -->
// [hh:]mm:ss.mmm [settings]". NOTE, STYLE and REGION blocks are skipped, cue settings ignored,
// every tag removed (a <v Name> span keeps its text without the name) and character
// references decoded.
class WebVttParser {
public:
    static SubtitleParse Parse(std::u16string_view text);
};
