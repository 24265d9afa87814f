// Any bytes as a wave file, partitioned: the silence search over the data must never crash,
// hang or read out of bounds, and every sentence it finds lies in order within the data.
// The first two bytes choose the factors, the rest is the file.
#include "audio/CWaveEngine.h"
#include "partition/HeadlessProgress.h"
#include "partition/PartitionRecording.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const int quarters = 1 + data[0] % 40;
    const int loudness = data[1] % 32;
    const std::string path = "/tmp/earlark_fuzz_partition_" + std::to_string(getpid()) + ".wav";
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data + 2, 1, size - 2, file);
        std::fclose(file);
    }
    CWaveEngine engine;
    if (engine.OpenWaveFile(path) == 0) {
        HeadlessProgress progress;
        progress.CancelAtCheck(1 + data[0] * 7);
        const PartitionResult result = PartitionRecording(engine, quarters, loudness, &progress);
        std::uint32_t previous = 0;
        for (const SentenceRange& s : result.sentences) {
            if (s.start > s.end || s.start < previous || s.end > engine.DataSize()) {
                std::abort();
            }
            previous = s.end;
        }
    }
    engine.CloseWaveFile();
    std::remove(path.c_str());
    return 0;
}
