#include "document/SrtParser.h"

#include "document/SubtitleBlocks.h"
#include "document/SubtitleText.h"

SubtitleParse SrtParser::Parse(std::u16string_view text) {
    SubtitleBlocks::Syntax syntax;
    // Files in the wild use a full stop as often as the comma and leave out zero hours.
    syntax.fractionSeparators = u",.";
    syntax.hoursOptional = true;
    return SubtitleBlocks::Parse(subtitle_text::Lines(text), 0, syntax);
}
