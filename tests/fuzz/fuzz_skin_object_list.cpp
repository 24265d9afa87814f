// Feeds arbitrary bytes to the skin object list reader: every id it may be asked for must
// come back found, absent or invalid, never a crash.
#include "skin/SkinObjectList.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (int id : {1, 12, 31, 61, 101}) {
        std::istringstream in(text);
        SkinObjectList::Find(in, id);
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string_view line(text.data() + start,
                              (end == std::string::npos ? text.size() : end) - start);
        SkinObjectList::ParseLine(line);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return 0;
}
