// The help page built beside the program lists exactly the keys the program binds.
#include "support/TempDir.h"
#include "view/AcceleratorTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string HelpPage() {
    auto bytes = TempDir::Read(std::string(EARLARK_BINARY_DIR) + "/bin/help/index.html");
    return {bytes.begin(), bytes.end()};
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(HelpPage, ListsEveryBoundKeyOnceUnderTheHotKeysAnchor) {
    const std::string page = HelpPage();
    ASSERT_FALSE(page.empty());
    const std::size_t anchor = page.find("id=\"hotkeys\"");
    ASSERT_NE(anchor, std::string::npos);
    int rows = 0;
    for (const Accelerator& entry : AcceleratorTable::Entries()) {
        std::string keys;
        std::string key(entry.key);
        for (std::size_t start = 0;;) {
            std::size_t plus = key.find('+', start);
            bool last = plus == std::string::npos || plus + 1 == key.size();
            keys +=
                "<kbd>" + (last ? key.substr(start) : key.substr(start, plus - start)) + "</kbd>";
            if (last) {
                break;
            }
            keys += "+";
            start = plus + 1;
        }
        const std::string row =
            "<tr><td>" + keys + "</td><td>" + std::string(entry.description) + "</td></tr>";
        if (entry.description.empty()) {
            EXPECT_EQ(page.find("<td>" + keys + "</td>"), std::string::npos) << entry.key;
            continue;
        }
        EXPECT_EQ(Occurrences(page, row), 1) << entry.key;
        EXPECT_GT(page.find(row), anchor) << entry.key;
        ++rows;
    }
    EXPECT_EQ(Occurrences(page, "<tr><td>"), rows) << "no key the table does not bind";
    EXPECT_EQ(page.find("<!-- hot keys -->"), std::string::npos);
}

} // namespace
