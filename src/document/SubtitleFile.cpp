#include "document/SubtitleFile.h"

#include "document/LrcParser.h"
#include "document/SrtParser.h"
#include "document/SubtitleSentences.h"
#include "document/SubtitleText.h"
#include "document/WebVttParser.h"
#include "platform/CodePage.h"

#include <cstdio>

namespace {

std::string LowerExtension(std::string_view path) {
    const size_t dot = path.rfind('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string ext(path.substr(dot + 1));
    for (char& c : ext) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return ext;
}

// The text's lines, without empty ones (a blank line would end the cue).
std::vector<std::u16string_view> TextLines(const std::u16string& text) {
    std::vector<std::u16string_view> lines;
    for (std::u16string_view line : subtitle_text::Lines(text)) {
        if (!subtitle_text::Trim(line).empty()) {
            lines.push_back(subtitle_text::Trim(line));
        }
    }
    return lines;
}

std::string Escaped(std::u16string_view line) {
    std::string out;
    for (char c : codepage::Utf16ToUtf8(line)) {
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    return out;
}

void WriteCue(std::string& out, const SubtitleFile::Entry& e, std::uint32_t byteRate, bool vtt,
              size_t number) {
    const char* eol = vtt ? "\n" : "\r\n";
    if (!vtt) {
        out += std::to_string(number) + eol;
    }
    const char separator = vtt ? '.' : ',';
    out += subtitle_text::FormatClock(SubtitleSentences::TimeOf(e.start, byteRate), separator) +
           " --> " +
           subtitle_text::FormatClock(SubtitleSentences::TimeOf(e.end, byteRate), separator) + eol;
    for (std::u16string_view line : TextLines(e.text)) {
        out += (vtt ? Escaped(line) : codepage::Utf16ToUtf8(line)) + eol;
    }
    out += eol;
}

void WriteLrcLine(std::string& out, const SubtitleFile::Entry& e, std::uint32_t byteRate) {
    const std::int64_t cs = SubtitleSentences::TimeOf(e.start, byteRate, 100);
    char tag[40];
    std::snprintf(tag, sizeof tag, "[%02lld:%02lld.%02lld]", static_cast<long long>(cs / 6000),
                  static_cast<long long>(cs / 100 % 60), static_cast<long long>(cs % 100));
    std::u16string joined;
    for (std::u16string_view line : TextLines(e.text)) {
        joined += (joined.empty() ? u"" : u" ") + std::u16string(line);
    }
    out += tag + codepage::Utf16ToUtf8(joined) + "\n";
}

bool HasText(const SubtitleFile::Entry& e) {
    return !TextLines(e.text).empty();
}

} // namespace

SubtitleFile::Format SubtitleFile::Detect(std::string_view path, std::u16string_view text) {
    const std::string ext = LowerExtension(path);
    if (ext == "srt" || ext == "vtt" || ext == "lrc") {
        return ext == "srt" ? Format::Srt : ext == "vtt" ? Format::WebVtt : Format::Lrc;
    }
    const auto lines = subtitle_text::Lines(text);
    const std::u16string_view first = lines.empty() ? u"" : subtitle_text::Trim(lines[0]);
    if (first.starts_with(u"WEBVTT")) {
        return Format::WebVtt;
    }
    return first.starts_with(u"[") ? Format::Lrc : Format::Srt;
}

SubtitleParse SubtitleFile::Read(std::string_view path, std::string_view bytes,
                                 std::uint8_t charSet) {
    const std::u16string text = subtitle_text::Decode(bytes, charSet);
    switch (Detect(path, text)) {
    case Format::WebVtt:
        return WebVttParser::Parse(text);
    case Format::Lrc:
        return LrcParser::Parse(text);
    case Format::Srt:
        break;
    }
    return SrtParser::Parse(text);
}

std::string SubtitleFile::Write(Format format, const std::vector<Entry>& entries,
                                std::uint32_t byteRate) {
    std::string out = format == Format::WebVtt ? "WEBVTT\n\n" : "";
    size_t number = 0;
    for (const Entry& e : entries) {
        if (!HasText(e)) {
            continue;
        }
        if (format == Format::Lrc) {
            WriteLrcLine(out, e, byteRate);
        } else {
            WriteCue(out, e, byteRate, format == Format::WebVtt, ++number);
        }
    }
    return out;
}
