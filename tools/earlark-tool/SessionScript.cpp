#include "SessionScript.h"

#include <charconv>
#include <set>

namespace {

bool IsKeyName(std::string_view name) {
    static const std::set<std::string_view> kNamed{
        "Enter", "Ins", "Del", "PageUp", "PageDown", "Up",        "Down", "Left", "Right",
        "Home",  "End", "Esc", "Tab",    "Space",    "Backspace", "[",    "]",    ",",
        ".",     ";",   "'",   "/",      "\\",       "-",         "=",    "`"};
    if (kNamed.count(name) != 0) {
        return true;
    }
    if (name.size() == 1) {
        return (name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9');
    }
    int number = 0;
    if (name.size() >= 2 && name[0] == 'F') {
        auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
        return ec == std::errc() && end == name.data() + name.size() && number >= 1 && number <= 24;
    }
    return false;
}

std::optional<long long> ParseInteger(std::string_view text) {
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "\r" is a paragraph break and "\\" a backslash; any other escape is an error.
std::optional<std::string> Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (i + 1 >= text.size()) {
            return std::nullopt;
        }
        const char next = text[++i];
        if (next == 'r') {
            out += '\r';
        } else if (next == '\\') {
            out += '\\';
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::optional<SessionLine> Numbered(SessionLine::Kind kind, std::string_view argument) {
    auto value = ParseInteger(argument);
    if (!value) {
        return std::nullopt;
    }
    SessionLine line;
    line.kind = kind;
    line.number = *value;
    return line;
}

std::optional<SessionLine> ParseWheel(std::string_view argument) {
    SessionLine line;
    line.kind = SessionLine::Kind::Wheel;
    const std::size_t space = argument.find(' ');
    if (space != std::string_view::npos) {
        if (argument.substr(space + 1) != "shift") {
            return std::nullopt;
        }
        line.flag = true;
        argument = argument.substr(0, space);
    }
    auto value = ParseInteger(argument);
    if (!value) {
        return std::nullopt;
    }
    line.number = *value;
    return line;
}

std::optional<SessionLine> WithText(SessionLine::Kind kind, std::optional<std::string> text) {
    if (!text) {
        return std::nullopt;
    }
    SessionLine line;
    line.kind = kind;
    line.text = std::move(*text);
    return line;
}

// "partition Q L": the silence interval in quarter seconds and the minimum loudness.
std::optional<SessionLine> ParsePartition(std::string_view argument) {
    const std::size_t space = argument.find(' ');
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    auto quarters = ParseInteger(argument.substr(0, space));
    auto loudness = ParseInteger(argument.substr(space + 1));
    if (!quarters || !loudness) {
        return std::nullopt;
    }
    SessionLine line;
    line.kind = SessionLine::Kind::Partition;
    line.number = *quarters;
    line.second = *loudness;
    return line;
}

} // namespace

std::optional<KeyModifiers> ParseKeyName(std::string_view key) {
    KeyModifiers modifiers;
    const std::pair<std::string_view, bool KeyModifiers::*> kPrefixes[] = {
        {"Ctrl+", &KeyModifiers::ctrl},
        {"Alt+", &KeyModifiers::alt},
        {"Shift+", &KeyModifiers::shift}};
    // Each modifier at most once, in the order Ctrl, Alt, Shift.
    for (const auto& [prefix, member] : kPrefixes) {
        if (key.size() > prefix.size() && key.substr(0, prefix.size()) == prefix) {
            modifiers.*member = true;
            key.remove_prefix(prefix.size());
        }
    }
    if (!IsKeyName(key)) {
        return std::nullopt;
    }
    return modifiers;
}

std::optional<SessionLine> ParseSessionLine(std::string_view text) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    if (text.empty() || text[0] == '#') {
        return SessionLine{};
    }
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    const std::string_view argument =
        space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    using Kind = SessionLine::Kind;
    if (word == "key") {
        auto modifiers = ParseKeyName(argument);
        if (!modifiers) {
            return std::nullopt;
        }
        SessionLine line;
        line.kind = Kind::Key;
        line.text = std::string(argument);
        line.modifiers = *modifiers;
        return line;
    }
    if (word == "cmd")
        return Numbered(Kind::Command, argument);
    if (word == "click")
        return Numbered(Kind::Click, argument);
    if (word == "caret")
        return Numbered(Kind::Caret, argument);
    if (word == "buffers")
        return Numbered(Kind::Buffers, argument);
    if (word == "wheel")
        return ParseWheel(argument);
    if (word == "partition")
        return ParsePartition(argument);
    if (word == "type")
        return WithText(Kind::Type, Unescape(argument));
    if (word == "otype")
        return WithText(Kind::OriginalType, Unescape(argument));
    if (word == "file" && !argument.empty())
        return WithText(Kind::File, std::string(argument));
    if (word == "focus" && (argument == "lw" || argument == "orig")) {
        return WithText(Kind::Focus, std::string(argument));
    }
    if (word == "answer" && (argument == "yes" || argument == "no")) {
        SessionLine line;
        line.kind = Kind::Answer;
        line.flag = argument == "yes";
        return line;
    }
    if (space == std::string_view::npos && (word == "finish" || word == "state")) {
        SessionLine line;
        line.kind = word == "finish" ? Kind::Finish : Kind::State;
        return line;
    }
    return std::nullopt;
}
