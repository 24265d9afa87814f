// The built help page: its hot-keys section lists exactly the keys the program binds.
#include "view/AcceleratorTable.h"
#include "view/ViewCommandIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using KeyRow = std::pair<std::string, std::string>;

std::string ReadHelpPage() {
    std::ifstream in(EARLARK_BINARY_DIR "/bin/help/index.html", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text of an HTML fragment: tags dropped, the few entities the page uses decoded.
std::string TextOf(std::string_view html) {
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == html.npos) {
                break;
            }
            continue;
        }
        text += html[i];
    }
    for (auto [entity, c] : {std::pair{"&lt;", "<"},
                             {"&gt;", ">"},
                             {"&quot;", "\""},
                             {"&#39;", "'"},
                             {"&amp;", "&"}}) {
        for (size_t at = text.find(entity); at != text.npos; at = text.find(entity, at + 1)) {
            text.replace(at, std::string_view(entity).size(), c);
        }
    }
    return text;
}

// Every piece of html between open and close, in order.
std::vector<std::string_view> Between(std::string_view html, std::string_view open,
                                      std::string_view close) {
    std::vector<std::string_view> pieces;
    for (size_t at = html.find(open); at != html.npos; at = html.find(open, at)) {
        at += open.size();
        size_t end = html.find(close, at);
        if (end == html.npos) {
            break;
        }
        pieces.push_back(html.substr(at, end - at));
        at = end + close.size();
    }
    return pieces;
}

TEST(HelpPage, TheHotKeysSectionListsEveryBoundKeyWithItsDescriptionAndNoOther) {
    std::string page = ReadHelpPage();
    ASSERT_FALSE(page.empty()) << "the build writes bin/help/index.html";
    size_t anchor = page.find("id=\"hotkeys\"");
    ASSERT_NE(anchor, page.npos) << "Hot Keys opens index.html#hotkeys";
    EXPECT_EQ(page.find("id=\"hotkeys\"", anchor + 1), page.npos);
    std::string_view section(page);
    section = section.substr(anchor, section.find("</section>", anchor) - anchor);

    std::vector<KeyRow> listed;
    for (std::string_view row : Between(section, "<tr>", "</tr>")) {
        std::vector<std::string_view> cells = Between(row, "<td>", "</td>");
        ASSERT_EQ(cells.size(), 2u) << row;
        std::vector<std::string_view> keys = Between(cells[0], "<span class=\"key\">", "</span>");
        EXPECT_FALSE(keys.empty()) << row;
        for (std::string_view key : keys) {
            listed.emplace_back(TextOf(key), TextOf(cells[1]));
        }
    }
    std::vector<KeyRow> bound;
    for (const Accelerator& entry : AcceleratorTable::Entries()) {
        if (entry.command != cmd::kUnbound) {
            bound.emplace_back(std::string(entry.key), std::string(entry.description));
        }
    }
    ASSERT_GT(bound.size(), 60u);
    std::sort(listed.begin(), listed.end());
    std::sort(bound.begin(), bound.end());
    EXPECT_EQ(listed, bound);
}

} // namespace
