// earlark-help-gen TEMPLATE OUT: writes the help page, with the hot-keys table made from
// the study form's accelerator table in place of the template's "<!-- hot keys -->" line,
// so the page always lists the keys the program binds.
#include "view/AcceleratorTable.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kPlaceholder = "<!-- hot keys -->";

std::string Escape(std::string_view text) {
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
        default:
            out += c;
        }
    }
    return out;
}

// "Ctrl+Alt+[" as <kbd>Ctrl</kbd>+<kbd>Alt</kbd>+<kbd>[</kbd>.
std::string Keys(std::string_view key) {
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t plus = key.find('+', start);
        const bool last = plus == std::string_view::npos || plus + 1 == key.size();
        const std::string_view part = last ? key.substr(start) : key.substr(start, plus - start);
        out += "<kbd>" + Escape(part) + "</kbd>";
        if (last) {
            return out;
        }
        out += "+";
        start = plus + 1;
    }
}

std::string HotKeysTable() {
    std::string table = "<table>\n<tr><th>Keys</th><th>Command</th></tr>\n";
    for (const Accelerator& entry : AcceleratorTable::Entries()) {
        // A key bound to a command nothing handles is not worth listing.
        if (entry.description.empty()) {
            continue;
        }
        table +=
            "<tr><td>" + Keys(entry.key) + "</td><td>" + Escape(entry.description) + "</td></tr>\n";
    }
    return table + "</table>";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: earlark-help-gen TEMPLATE OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string page = text.str();
    const std::size_t at = page.find(kPlaceholder);
    if (!in || at == std::string::npos) {
        std::cerr << "earlark-help-gen: " << argv[1] << " has no hot-keys placeholder\n";
        return 1;
    }
    page.replace(at, std::string_view(kPlaceholder).size(), HotKeysTable());
    std::ofstream out(argv[2], std::ios::binary);
    out << page;
    if (!out) {
        std::cerr << "earlark-help-gen: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
