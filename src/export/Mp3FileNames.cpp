#include "export/Mp3FileNames.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace {

// Names longer than this many bytes are refused by the usual file systems.
constexpr std::size_t kMaxNameBytes = 255;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

char16_t FullWidth(char16_t c) {
    switch (c) {
    case u'"':
        return u'\uFF02';
    case u'/':
        return u'\uFF0F';
    case u':':
        return u'\uFF1A';
    case u'<':
        return u'\uFF1C';
    case u'>':
        return u'\uFF1E';
    case u'?':
        return u'\uFF1F';
    case u'\\':
        return u'\uFFE6';
    case u'|':
        return u'\uFF5C';
    default:
        return c;
    }
}

std::size_t CountCharacters(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }
    return count;
}

} // namespace

namespace mp3names {

std::string FullWidthName(std::u16string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    std::u16string name(text.substr(first, last - first));
    for (char16_t& c : name) {
        c = FullWidth(c);
    }
    return codepage::Utf16ToUtf8(name);
}

std::string NumberedPath(const std::string& folder, int position) {
    char name[24];
    std::snprintf(name, sizeof name, "%03d.mp3", position);
    return folder + "/" + name;
}

Target SentencePath(const std::string& folder, std::u16string_view text, int position) {
    const std::string name = FullWidthName(text) + ".mp3";
    const std::string path = folder + "/" + name;
    // A NUL would end the name early and the file would be made under another name.
    const bool usable = name.size() > 4 && name.size() <= kMaxNameBytes &&
                        name.find('\0') == std::string::npos &&
                        CountCharacters(path) <= kMaxPathCharacters;
    if (!usable) {
        return {NumberedPath(folder, position), true};
    }
    return {path, false};
}

bool CanCreate(const std::string& path) {
    // "x": made only when it does not exist yet, so the probe never empties a user's file.
    if (std::FILE* made = std::fopen(path.c_str(), "wbx")) {
        std::fclose(made);
        return std::remove(path.c_str()) == 0;
    }
    std::FILE* existing = std::fopen(path.c_str(), "r+b");
    if (existing == nullptr) {
        return false;
    }
    std::fclose(existing);
    return true;
}

std::string CurrentSentenceName(const std::vector<std::u16string>& texts) {
    std::u16string joined;
    for (const std::u16string& text : texts) {
        joined += text + u" ";
    }
    std::string name = FullWidthName(joined);
    if (!name.empty() && name.back() == '.') {
        name += '.';
    }
    return name;
}

} // namespace mp3names
