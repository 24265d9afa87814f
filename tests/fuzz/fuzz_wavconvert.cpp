// Feeds arbitrary bytes to the compressed-wave conversion (source reader, RIFF reader and
// every codec): it must convert or fail cleanly, never crash, leak or hang.
#include "import/ConvertWaveToPcm.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string ScratchPath(const char* name) {
    return "/tmp/earlark-fuzz-wavconvert-" + std::to_string(::getpid()) + "-" + name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string source = ScratchPath("in.wav");
    static const std::string destination = ScratchPath("out.wav");
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    (void)ConvertWaveToPcm(source, destination);
    std::remove(destination.c_str());
    return 0;
}
