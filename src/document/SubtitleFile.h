#pragma once

#include "document/SubtitleCue.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Subtitle and lyrics files as a whole: telling SRT, WebVTT and LRC apart, reading one into
// cues, and writing timed texts in each format (UTF-8).
class SubtitleFile {
public:
    enum class Format { Srt, WebVtt, Lrc };

    // One exported text: a sentence's byte range, paragraph breaks as CR.
    struct Entry {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        std::u16string text;
    };

    // By the extension (.srt, .vtt, .lrc, case ignored), else by the content: a first line
    // "WEBVTT" is WebVTT, a first line that opens with '[' is LRC, anything else SRT.
    static Format Detect(std::string_view path, std::u16string_view text);

    // Decodes the bytes (see subtitle_text::Decode) and parses them in their format.
    static SubtitleParse Read(std::string_view path, std::string_view bytes, std::uint8_t charSet);

    // Times are the offsets at the byte rate, rounded to the nearest millisecond (LRC: to the
    // nearest centisecond). Entries with an empty text are left out.
    static std::string Write(Format format, const std::vector<Entry>& entries,
                             std::uint32_t byteRate);
};
