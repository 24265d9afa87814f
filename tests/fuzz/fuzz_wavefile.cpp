// Any bytes as a wave file: opening, the loudness measures and rendering at two speeds must
// never crash, hang or read out of bounds.
#include "audio/CWaveEngine.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class Owner : public PlayerListener {
public:
    explicit Owner(CWaveEngine& engine) : m_engine(engine) {}
    void OnOutputBufferDone(WaveOutBuffer* buffer) override { m_engine.OnBufferDone(buffer, true); }
    void OnRangeFinished() override {}

private:
    CWaveEngine& m_engine;
};

std::string ScratchPath() {
    return "/tmp/earlark_fuzz_wavefile_" + std::to_string(getpid()) + ".wav";
}

void Exercise(CWaveEngine& engine, const std::string& path) {
    const std::uint32_t size = engine.DataSize();
    engine.MeasureLevel(0, 4096);
    engine.MeasureLevel(size / 2, size);
    engine.FindQuietPoint(size / 2, 8000);
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    engine.SetOutputDevice(&device);
    Owner owner(engine);
    if (engine.OpenOutput(path, &owner, 50)) {
        // Bounded work per input: at most about one second of audio.
        const std::uint32_t end = std::min(size, engine.Format().avgBytesPerSec);
        std::vector<std::uint8_t> out;
        engine.RenderRange(out, 0, end, 64, 50);
        engine.RenderRange(out, end / 3, end, 0, 100);
        engine.PlayRange(0, end, 16);
        device.Advance(1 << 16);
        messages.RunPending();
    }
    engine.CloseOutput();
    engine.SetOutputDevice(nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = ScratchPath();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    CWaveEngine engine;
    if (engine.OpenWaveFile(path) == 0) {
        Exercise(engine, path);
    }
    engine.CloseWaveFile();
    return 0;
}
