// Exports a whole wave file to MP3 as a study of sentences of equal length would be exported
// (repetition 1, interval 0, speed 100), through the wave engine and the encoder library.
//
//   mp3-export-timer LIBRARY IN.wav OUT.mp3 [BITRATE] [SENTENCE_SECONDS]
#include "audio/CWaveEngine.h"
#include "export/ExportProgress.h"
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3Export.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedPrompts.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class IdleOwner : public PlayerListener {
public:
    void OnOutputBufferDone(WaveOutBuffer*) override {}
    void OnRangeFinished() override {}
};

std::vector<PlayItem> Sentences(const CWaveEngine& engine, double seconds) {
    const auto length = static_cast<std::uint32_t>(seconds * engine.Format().avgBytesPerSec);
    std::vector<PlayItem> items;
    for (std::uint32_t start = 0; start < engine.DataSize(); start += length) {
        PlayItem item;
        item.start = item.curStart = start;
        item.end = item.curEnd = std::min(start + length, engine.DataSize());
        items.push_back(item);
    }
    return items;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s LIBRARY IN.wav OUT.mp3 [BITRATE] [SENTENCE_SECONDS]\n",
                     argv[0]);
        return 2;
    }
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device{messages};
    CWaveEngine engine;
    engine.SetOutputDevice(&device);
    IdleOwner owner;
    if (!engine.OpenOutput(argv[2], &owner, 100)) {
        std::fprintf(stderr, "cannot open %s\n", argv[2]);
        return 1;
    }
    ScriptedPrompts prompts;
    SilentExportProgress progress;
    Mp3EncoderDriver encoder(argv[1], &prompts);
    Mp3Export exporter(engine, encoder, prompts, progress);
    const std::vector<PlayItem> items = Sentences(engine, argc > 5 ? std::atof(argv[5]) : 3.0);
    if (!exporter.ExportToFile(items, argv[3], argc > 4 ? std::atoi(argv[4]) : 48)) {
        std::fprintf(stderr, "%s\n",
                     prompts.Messages().empty() ? "failed" : prompts.Messages()[0].c_str());
        return 1;
    }
    std::printf("{\"items\": %zu, \"renderedBytes\": %llu}\n", items.size(),
                static_cast<unsigned long long>(exporter.EncodedPcmBytes()));
    return 0;
}
