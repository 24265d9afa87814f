#include "HotKeyPage.h"

#include "view/ViewCommandIds.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

namespace {

struct Group {
    const char* title;
    std::initializer_list<int> commands;
};

// The order in which a learner meets the keys: play, move, write, then edit and files.
// A command missing here still appears, under the last heading, so the page never
// drops a key that the table binds.
const std::array kGroups{
    Group{"Playing",
          {cmd::kPlay, cmd::kPause, cmd::kStop, cmd::kPlayOnce, cmd::kPlayWhole, cmd::kAutoPlay,
           cmd::kListenSpeak, cmd::kSeekBack, cmd::kSeekForward}},
    Group{"Repetitions, pause, speed and volume",
          {cmd::kRepeatUp, cmd::kRepeatDown, cmd::kRepeatEndless, cmd::kIntervalUp,
           cmd::kIntervalDown, cmd::kFaster, cmd::kSlower, cmd::kSpeedPresetUp,
           cmd::kSpeedPresetDown, cmd::kVolumeUp, cmd::kVolumeDown}},
    Group{"Moving between sentences", {cmd::kPrevious, cmd::kNext, cmd::kFirst, cmd::kLast}},
    Group{"Writing and checking",
          {cmd::kEnter, cmd::kCheck, cmd::kCompareMode, cmd::kShowOriginal, cmd::kHint,
           cmd::kCopyOriginal, cmd::kCopyToOriginal, cmd::kMoveRest, cmd::kOriginalEditMode}},
    Group{"Editing sentences",
          {cmd::kHighlight, cmd::kInsert, cmd::kDelete, cmd::kMerge, cmd::kMergeUp, cmd::kSplit,
           cmd::kSerialSplit, cmd::kStartEarlier, cmd::kStartLater, cmd::kEndEarlier,
           cmd::kEndLater, cmd::kStartEarlierMore, cmd::kStartLaterMore, cmd::kEndEarlierMore,
           cmd::kEndLaterMore, cmd::kJoinPrevious, cmd::kJoinNext, cmd::kMergeAll,
           cmd::kMergeAllTop}},
    Group{"Sentence groups",
          {cmd::kGroupNext, cmd::kGroupAll, cmd::kGroupSplitLast, cmd::kGroupDissolve}},
    Group{"Files",
          {cmd::kImportAudio, cmd::kOpenStudy, cmd::kSaveButton, cmd::kSaveStudyAs,
           cmd::kReplaceAudio, cmd::kImportScript, cmd::kExportScript, cmd::kExportSentenceMp3}},
    Group{"Window", {cmd::kMenu, cmd::kShowSentenceBox}},
};
constexpr const char* kOtherTitle = "Other keys";

bool InGroup(const Group& group, int command) {
    return std::find(group.commands.begin(), group.commands.end(), command) != group.commands.end();
}

bool InAnyGroup(int command) {
    return std::any_of(kGroups.begin(), kGroups.end(),
                       [command](const Group& g) { return InGroup(g, command); });
}

// One line of a table: the keys that do the same thing with the same description.
struct Row {
    std::vector<std::string_view> keys;
    int command;
    std::string_view description;
};

std::vector<Row> RowsOf(std::span<const Accelerator> entries, const Group* group) {
    std::vector<Row> rows;
    for (const Accelerator& entry : entries) {
        // Ctrl+I is bound to a command nothing handles: listing it would promise a key
        // that does nothing.
        if (entry.command == cmd::kUnbound) {
            continue;
        }
        bool belongs = group ? InGroup(*group, entry.command) : !InAnyGroup(entry.command);
        if (!belongs) {
            continue;
        }
        auto same = std::find_if(rows.begin(), rows.end(), [&entry](const Row& row) {
            return row.command == entry.command && row.description == entry.description;
        });
        if (same != rows.end()) {
            same->keys.push_back(entry.key);
        } else {
            rows.push_back({{entry.key}, entry.command, entry.description});
        }
    }
    return rows;
}

void AppendTable(std::string& out, const char* title, const std::vector<Row>& rows) {
    if (rows.empty()) {
        return;
    }
    out += "<h3>";
    out += HotKeyPage::Escape(title);
    out += "</h3>\n<table class=\"keys\">\n";
    for (const Row& row : rows) {
        out += "<tr><td>";
        for (size_t i = 0; i < row.keys.size(); ++i) {
            if (i > 0) {
                out += " or ";
            }
            out += "<span class=\"key\">" + HotKeyPage::RenderKey(row.keys[i]) + "</span>";
        }
        out += "</td><td>" + HotKeyPage::Escape(row.description) + "</td></tr>\n";
    }
    out += "</table>\n";
}

} // namespace

std::string HotKeyPage::Escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string HotKeyPage::RenderKey(std::string_view key) {
    std::string out;
    size_t begin = 0;
    while (begin < key.size()) {
        // A '+' right at a part's start is the plus key itself, not a separator.
        size_t plus = key.find('+', begin + 1);
        std::string_view part =
            key.substr(begin, plus == std::string_view::npos ? key.npos : plus - begin);
        if (!out.empty()) {
            out += '+';
        }
        out += "<kbd>" + Escape(part) + "</kbd>";
        if (plus == std::string_view::npos) {
            break;
        }
        begin = plus + 1;
    }
    return out;
}

std::string HotKeyPage::Render(std::span<const Accelerator> entries) {
    std::string out = "<section id=\"hotkeys\">\n<h2>Hot keys</h2>\n";
    for (const Group& group : kGroups) {
        AppendTable(out, group.title, RowsOf(entries, &group));
    }
    AppendTable(out, kOtherTitle, RowsOf(entries, nullptr));
    out += "</section>\n";
    return out;
}
