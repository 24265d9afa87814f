// Feeds arbitrary bytes to the SRT, WebVTT and LRC readers (the first byte picks the
// format and the character set): each must read cues or fail with a message, never crash
// or hang, and what it reads must become sentence ranges inside the data.
#include "document/SubtitleFile.h"
#include "document/SubtitleSentences.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static constexpr const char* kPaths[] = {"a.srt", "a.vtt", "a.lrc", "a"};
    static constexpr std::uint8_t kCharSets[] = {0, 128, 129, 134, 136};
    const char* path = kPaths[data[0] % 4];
    const std::uint8_t charSet = kCharSets[(data[0] >> 2) % 5];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const SubtitleParse parse = SubtitleFile::Read(path, bytes, charSet);
    if (!parse.Ok()) {
        return 0;
    }
    const std::uint32_t dataSize = 1000000;
    const auto plan = SubtitleSentences::Make(parse.cues, 176400, 4, dataSize);
    for (const auto& range : plan.ranges) {
        if (range.start > range.end || range.end >= dataSize) {
            std::abort();
        }
    }
    return 0;
}
