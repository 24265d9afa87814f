// earlark-help-gen: writes the help page from its guide text, putting the hot-keys
// section, made from the program's own accelerator table, where the guide says
//   <!-- hot keys -->
// usage: earlark-help-gen GUIDE OUT
#include "HotKeyPage.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr std::string_view kMarker = "<!-- hot keys -->";

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: earlark-help-gen GUIDE OUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "earlark-help-gen: cannot read " << argv[1] << '\n';
        return 1;
    }
    std::stringstream guide;
    guide << in.rdbuf();
    std::string page = guide.str();
    size_t at = page.find(kMarker);
    if (at == std::string::npos || page.find(kMarker, at + 1) != std::string::npos) {
        std::cerr << "earlark-help-gen: " << argv[1] << " needs exactly one " << kMarker << '\n';
        return 1;
    }
    page.replace(at, kMarker.size(), HotKeyPage::Render(AcceleratorTable::Entries()));
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << page;
    out.close();
    if (!out) {
        std::cerr << "earlark-help-gen: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
