#include "document/ScriptWriter.h"

#include "document/CEarlarkWaveSection.h"
#include "platform/CodePage.h"

#include <cstdio>

namespace script_writer {

namespace {

std::u16string Ascii(const std::string& text) {
    return {text.begin(), text.end()};
}

void AppendEscaped(std::u16string& out, const std::u16string& text) {
    for (char16_t c : text) {
        if (c == u'\r') {
            out += u"\\r";
        } else {
            out += c;
        }
    }
}

void AppendDataRecord(std::u16string& out, const CEarlarkWaveSection& s, std::size_t row,
                      const std::u16string& text) {
    out += text;
    out += u'\n';
    out += Ascii(std::to_string(row)) + u'\n';
    out += Ascii(std::to_string(s.m_nStart)) + u'\n';
    out += Ascii(std::to_string(s.m_nEnd)) + u'\n';
    out += u'\n';
}

std::vector<std::uint8_t> Encode(const std::u16string& content, bool unicode) {
    std::vector<std::uint8_t> bytes;
    if (!unicode) {
        const std::string narrow = codepage::Utf16ToUtf8(content);
        return {narrow.begin(), narrow.end()};
    }
    bytes.reserve(2 + 2 * content.size());
    bytes.push_back(0xFF);
    bytes.push_back(0xFE);
    for (char16_t c : content) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

} // namespace

std::u16string DateLine(const std::tm& t) {
    char text[128];
    std::snprintf(text, sizeof text, "* Written at %02d/%02d/%02d %02d:%02d:%02d  ", t.tm_mon + 1,
                  t.tm_mday, (t.tm_year + 1900) % 100, t.tm_hour, t.tm_min, t.tm_sec);
    return Ascii(text);
}

std::vector<std::uint8_t> Build(std::span<const CEarlarkWaveSection* const> sentences,
                                const ScriptExportOptions& options,
                                const std::u16string& dateLine) {
    std::u16string content = dateLine;
    for (std::size_t row = 0; row < sentences.size(); ++row) {
        const CEarlarkWaveSection& s = *sentences[row];
        const std::u16string& text = options.original ? s.m_strOriginal : s.m_strListenWrite;
        if (options.dataFile) {
            AppendDataRecord(content, s, row, text);
        } else {
            AppendEscaped(content, text);
            content += u"//\r\n";
        }
    }
    return Encode(content, options.unicode);
}

} // namespace script_writer
