// Feeds arbitrary bytes to the compressed-wave conversion (source reader, RIFF reader and
// every codec): it must convert or fail cleanly, never crash, leak or hang.
#include "import/ConvertWaveToPcm.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The conversion reads and writes files, so each input goes through two scratch files of
// this process, removed when the fuzzer exits.
struct ScratchFiles {
    std::string source = Path("in.wav");
    std::string destination = Path("out.wav");

    ~ScratchFiles() {
        std::remove(source.c_str());
        std::remove(destination.c_str());
    }
    static std::string Path(const char* name) {
        return "/tmp/earlark-fuzz-wavconvert-" + std::to_string(::getpid()) + "-" + name;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFiles files;
    std::FILE* file = std::fopen(files.source.c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    (void)ConvertWaveToPcm(files.source, files.destination);
    std::remove(files.destination.c_str());
    return 0;
}
