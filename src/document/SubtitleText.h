#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text handling shared by the subtitle parsers and writers.
namespace subtitle_text {

// The file's bytes as text: UTF-8 with or without its mark, UTF-16 with its mark (either
// byte order), else the legacy code page of the study's character set.
std::u16string Decode(std::string_view bytes, std::uint8_t charSet);

// The lines of a text split at LF, CR LF or a lone CR, without their ends.
std::vector<std::u16string_view> Lines(std::u16string_view text);

// Without white space at either end.
std::u16string_view Trim(std::u16string_view text);

// A time "[[h]h:]mm:ss<sep>fff" in milliseconds, where sep is any of separators and the
// fraction has one to three digits (read as a decimal fraction); nothing when it is not one.
// hoursOptional lets "mm:ss.fff" stand alone.
std::optional<std::int64_t> ParseClock(std::u16string_view text, std::u16string_view separators,
                                       bool hoursOptional);

// Removes markup tags. allTags: every <...>; otherwise only <i> <b> <u> <font ...> and their
// closing tags, other angle brackets stay as text.
std::u16string StripTags(std::u16string_view text, bool allTags);

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; &lrm; &rlm; and numeric references.
std::u16string DecodeEntities(std::u16string_view text);

// "hh:mm:ss<sep>mmm" for a time in milliseconds.
std::string FormatClock(std::int64_t ms, char separator);

} // namespace subtitle_text
