// Throughput of the stretcher and of RenderRange, in seconds of audio produced per second of
// CPU (the "produced_x" counter; "consumed_x" counts the file's audio read instead). The
// player produces one buffer of one eighth of a second of the file at a time, so a factor of
// 200 means a buffer costs half a percent of the time it lasts at normal speed.
//
// Formats: 0 = 44.1 kHz stereo, 1 = 22.05 kHz mono, 2 = 11.025 kHz mono, all 16-bit.
//   run: build/bin/TimeStretchBench --benchmark_counters_tabular=true
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
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Format {
    int sampleRate;
    int channels;
    const char* name;
};

constexpr Format kFormats[] = {
    {44100, 2, "44.1 kHz stereo"},
    {22050, 1, "22.05 kHz mono"},
    {11025, 1, "11.025 kHz mono"},
};

// A voice-like test signal: a few harmonics of a gliding fundamental with a little noise.
std::vector<std::int32_t> VoiceLike(int frames, int sampleRate, unsigned seed) {
    std::mt19937 random(seed);
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

void SetRealTimeCounters(benchmark::State& state, double producedPerIteration,
                         double consumedPerIteration, const Format& format, int rate) {
    using benchmark::Counter;
    state.counters["produced_x"] =
        Counter(producedPerIteration, Counter::kIsIterationInvariantRate);
    state.counters["consumed_x"] =
        Counter(consumedPerIteration, Counter::kIsIterationInvariantRate);
    state.SetLabel(std::string(format.name) + ", " + std::to_string(rate) + "%");
}

// One buffer of one eighth of a second, every channel, as the engine stretches it. Eight
// different buffers of the signal take turns so that no single input is measured.
void BM_TimeStretch(benchmark::State& state) {
    const Format& format = kFormats[state.range(0)];
    const int rate = static_cast<int>(state.range(1));
    const int f = format.sampleRate / 8;
    constexpr int kBuffers = 8;
    std::vector<std::vector<std::int32_t>> channels;
    for (int c = 0; c < format.channels; ++c) {
        channels.push_back(VoiceLike((kBuffers + 3) * f, format.sampleRate, 3 + c));
    }
    std::vector<std::int32_t> output(5 * f + 64);
    int produced = 0;
    int turn = 0;
    for (auto _ : state) {
        for (const auto& channel : channels) {
            const std::span<const std::int32_t> input(channel.data() + turn * f, 3 * f);
            produced = TimeStretch(output, input, f, rate);
            benchmark::DoNotOptimize(output.data());
        }
        turn = (turn + 1) % kBuffers;
    }
    SetRealTimeCounters(state, static_cast<double>(produced) / format.sampleRate, 0.125, format,
                        rate);
}
BENCHMARK(BM_TimeStretch)
    ->ArgsProduct({{0, 1, 2}, {33, 50, 75, 125, 150, 200}})
    ->ArgNames({"format", "rate"})
    ->Unit(benchmark::kMicrosecond);

class NullOwner : public PlayerListener {
public:
    void OnOutputBufferDone(WaveOutBuffer*) override {}
    void OnRangeFinished() override {}
};

// Four seconds of the file rendered at the speed, file reads and sample conversion included.
void BM_RenderRange(benchmark::State& state) {
    const Format& format = kFormats[state.range(0)];
    const int rate = static_cast<int>(state.range(1));
    constexpr int kSeconds = 8;
    std::vector<std::vector<std::int32_t>> channels;
    for (int c = 0; c < format.channels; ++c) {
        channels.push_back(VoiceLike(kSeconds * format.sampleRate, format.sampleRate, 5 + c));
    }
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < kSeconds * format.sampleRate; ++i) {
        for (const auto& channel : channels) {
            bytes.push_back(static_cast<std::uint8_t>(channel[i] & 0xFF));
            bytes.push_back(static_cast<std::uint8_t>((channel[i] >> 8) & 0xFF));
        }
    }
    const auto blockAlign = static_cast<std::uint16_t>(2 * format.channels);
    const auto byteRate = static_cast<std::uint32_t>(format.sampleRate) * blockAlign;
    const WaveFormat wave{WaveFormat::kPcm,
                          static_cast<std::uint16_t>(format.channels),
                          static_cast<std::uint32_t>(format.sampleRate),
                          byteRate,
                          blockAlign,
                          16};
    const std::string path = "/tmp/earlark_bench_render_" + std::to_string(getpid()) + ".wav";
    WaveFileWriter::Write(path, wave, bytes);
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    CWaveEngine engine;
    engine.SetOutputDevice(&device);
    NullOwner owner;
    if (!engine.OpenOutput(path, &owner, rate)) {
        std::remove(path.c_str());
        state.SkipWithError("cannot open the rendered file");
        return;
    }
    std::vector<std::uint8_t> out;
    std::int64_t written = 0;
    for (auto _ : state) {
        out.clear();
        written = engine.RenderRange(out, byteRate, 5 * byteRate, 0, rate);
        benchmark::DoNotOptimize(out.data());
    }
    engine.CloseOutput();
    std::remove(path.c_str());
    SetRealTimeCounters(state, static_cast<double>(written) / byteRate, 4.0, format, rate);
}
BENCHMARK(BM_RenderRange)
    ->ArgsProduct({{0, 1, 2}, {33, 50, 75, 125, 150, 200}})
    ->ArgNames({"format", "rate"})
    ->Unit(benchmark::kMillisecond);

} // namespace
