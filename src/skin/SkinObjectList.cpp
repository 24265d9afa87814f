#include "skin/SkinObjectList.h"

#include <charconv>
#include <fstream>
#include <vector>

namespace {

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::optional<int> WholeNumber(std::string_view field) {
    field = Trim(field);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
    }
    int value = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size()) {
        return std::nullopt;
    }
    return value;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one line, keeping at most kMaxLineLength characters of it; false at the end.
bool ReadLine(std::istream& in, std::string& line) {
    line.clear();
    char c = 0;
    bool any = false;
    while (in.get(c)) {
        any = true;
        if (c == '\n') {
            return true;
        }
        if (line.size() < SkinObjectList::kMaxLineLength) {
            line.push_back(c);
        }
    }
    return any;
}

} // namespace

std::optional<int> SkinObjectList::LineId(std::string_view line) {
    if (line.empty() || !IsDigit(line.front())) {
        return std::nullopt;
    }
    size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    // Like the classic atoi: the leading digits count, anything after them is ignored.
    int id = 0;
    auto [end, error] = std::from_chars(line.data(), line.data() + comma, id);
    (void)end;
    if (error != std::errc()) {
        return std::nullopt;
    }
    return id;
}

std::optional<SkinObject> SkinObjectList::ParseLine(std::string_view line) {
    std::optional<int> id = LineId(line);
    if (!id) {
        return std::nullopt;
    }
    std::vector<std::string_view> fields = SplitFields(line);
    // id, type, x, y, w, h and the unused extra number.
    if (fields.size() != 7) {
        return std::nullopt;
    }
    int numbers[6] = {};
    for (size_t i = 1; i < fields.size(); ++i) {
        std::optional<int> value = WholeNumber(fields[i]);
        if (!value) {
            return std::nullopt;
        }
        numbers[i - 1] = *value;
    }
    if (numbers[0] < kMinType || numbers[0] > kMaxType) {
        return std::nullopt;
    }
    return SkinObject{*id, numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]};
}

SkinLookup SkinObjectList::Find(const std::string& path, int id) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {SkinLookupStatus::Unreadable, {}};
    }
    return Find(in, id);
}

SkinLookup SkinObjectList::Find(std::istream& in, int id) {
    std::string line;
    while (ReadLine(in, line)) {
        if (LineId(line) != id) {
            continue;
        }
        std::optional<SkinObject> object = ParseLine(line);
        if (!object) {
            return {SkinLookupStatus::Invalid, {}};
        }
        return {SkinLookupStatus::Found, *object};
    }
    return {SkinLookupStatus::Absent, {}};
}
