#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

// One object of a skin's object list: what kind of element it is and where it lies in
// the skin bitmaps (and, for controls, in the window).
struct SkinObject {
    int id = 0;
    int type = 0;
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

enum class SkinLookupStatus {
    Found,      // the first line with the id, well formed
    Absent,     // no line carries the id
    Unreadable, // the list cannot be opened
    Invalid,    // the first line with the id is malformed
};

struct SkinLookup {
    SkinLookupStatus status = SkinLookupStatus::Absent;
    SkinObject object;
};

// The object list: a text file of lines "id, type, x, y, w, h, extra". Lines that do not
// begin with a digit are comments; the first line for an id is the one that counts.
// The file is read anew on every look-up, so an edited skin applies without a restart.
class SkinObjectList {
public:
    static constexpr int kMinType = 1;
    static constexpr int kMaxType = 10;
    // Characters of a line beyond this are ignored.
    static constexpr size_t kMaxLineLength = 510;

    static SkinLookup Find(const std::string& path, int id);
    static SkinLookup Find(std::istream& in, int id);

    // The id of an object line: the number before the first comma of a line that begins
    // with a digit. Other lines have none.
    static std::optional<int> LineId(std::string_view line);
    // The whole object of a line with an id; none when the type is out of range or the
    // five numbers after it are not exactly there.
    static std::optional<SkinObject> ParseLine(std::string_view line);
};
