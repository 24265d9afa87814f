// Feeds arbitrary bytes to the Mini-Dictionary readers: the first two bytes give the length
// of the index file, the rest after it is the data file. Opening, lookups and steps must
// fail cleanly or find entries, never crash, read outside the files or hang.
#include "dictionary/CDicVoca.h"
#include "dictionary/MiniDictionary.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t indexSize = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
    static const std::string base = "/tmp/fuzz_dictionary_" + std::to_string(getpid());
    WriteFile(base + ".idx", data + 2, indexSize);
    WriteFile(base + ".dat", data + 2 + indexSize, size - 2 - indexSize);
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary(settings, prompts, "");
    if (dictionary.OpenDictionary(base + ".idx") != 0) {
        return 0;
    }
    CDicVoca entry(dictionary);
    for (const char* word : {"a", "m", "running,", "zzzz", "\xFF"}) {
        if (entry.LookupWord(word)) {
            for (int k = 0; k < 4; ++k) {
                entry.Step(k % 3 != 0);
            }
        }
        (void)entry.LookupExact(word);
    }
    return 0;
}
