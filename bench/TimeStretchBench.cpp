// The stretcher's cost per buffer of one eighth of a second, by sample rate and speed, and
// the cost of rendering one second of stereo audio through the engine. Real time needs a
// buffer well under 125 ms (per channel, alongside everything else the program does).
#include "audio/CWaveEngine.h"
#include "audio/TimeStretch.h"
#include "audio/WaveFileWriter.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/PumpedMessageQueue.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <vector>

namespace {

// A voice-like test signal: a few harmonics of a gliding fundamental with a little noise.
std::vector<std::int32_t> VoiceLike(int frames, int sampleRate) {
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 300.0);
    std::vector<std::int32_t> out(frames);
    double phase = 0;
    for (int i = 0; i < frames; ++i) {
        const double f0 = 140 + 40 * std::sin(2 * std::numbers::pi * i / sampleRate);
        phase += 2 * std::numbers::pi * f0 / sampleRate;
        const double v = 6000 * std::sin(phase) + 3000 * std::sin(2 * phase) +
                         1500 * std::sin(3 * phase) + noise(random);
        out[i] = static_cast<std::int32_t>(v);
    }
    return out;
}

void BM_TimeStretchBuffer(benchmark::State& state) {
    const int sampleRate = static_cast<int>(state.range(0));
    const int rate = static_cast<int>(state.range(1));
    const int f = sampleRate / 8;
    const auto input = VoiceLike(3 * f, sampleRate);
    std::vector<std::int32_t> output(5 * f + 64);
    for (auto _ : state) {
        benchmark::DoNotOptimize(TimeStretch(output, input, f, rate));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(sampleRate) + " Hz, " + std::to_string(rate) + "%");
    state.SetItemsProcessed(state.iterations() * f);
}
BENCHMARK(BM_TimeStretchBuffer)
    ->ArgsProduct({{44100, 22050, 11025}, {33, 50, 75, 125, 150, 200}})
    ->Unit(benchmark::kMicrosecond);

class NullOwner : public PlayerListener {
public:
    void OnOutputBufferDone(WaveOutBuffer*) override {}
    void OnRangeFinished() override {}
};

// One second of 44.1 kHz stereo 16-bit audio rendered at the speed, file reads included.
void BM_RenderOneSecondStereo(benchmark::State& state) {
    const int rate = static_cast<int>(state.range(0));
    const auto mono = VoiceLike(44100 * 6, 44100);
    std::vector<std::uint8_t> bytes;
    for (std::int32_t v : mono) {
        for (int channel = 0; channel < 2; ++channel) {
            bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        }
    }
    WaveFormat format{WaveFormat::kPcm, 2, 44100, 176400, 4, 16};
    const std::string path = "/tmp/earlark_bench_render.wav";
    WaveFileWriter::Write(path, format, bytes);
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    CWaveEngine engine;
    engine.SetOutputDevice(&device);
    NullOwner owner;
    if (!engine.OpenOutput(path, &owner, rate)) {
        state.SkipWithError("cannot open the rendered file");
        return;
    }
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        out.clear();
        engine.RenderRange(out, 176400, 2 * 176400, 0, rate);
        benchmark::DoNotOptimize(out.data());
    }
    engine.CloseOutput();
    std::remove(path.c_str());
}
BENCHMARK(BM_RenderOneSecondStereo)
    ->Arg(50)
    ->Arg(75)
    ->Arg(100)
    ->Arg(150)
    ->Unit(benchmark::kMillisecond);

} // namespace
