// earlark-tool play: plays a range through the sound output (or, on a machine without one,
// through the silent real-time device) with a progress line; Ctrl+C stops cleanly.
#include "AudioToolSupport.h"
#include "ToolCommands.h"

#include "platform/DefaultWaveOutDevice.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
}

struct PlayOptions {
    std::string path;
    std::optional<std::uint32_t> start;
    std::optional<std::uint32_t> end;
    std::uint32_t rate = 100;
    std::uint32_t interval = 0;
};

std::optional<PlayOptions> ParseOptions(const ToolArgs& args) {
    PlayOptions options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--rate" || args[i] == "--interval") {
            if (i + 1 >= args.size()) {
                return std::nullopt;
            }
            auto value = ParseUInt32(args[++i]);
            if (!value) {
                return std::nullopt;
            }
            (args[i - 1] == "--rate" ? options.rate : options.interval) = *value;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 1 && positional.size() != 3) {
        return std::nullopt;
    }
    options.path = positional[0];
    if (positional.size() == 3) {
        options.start = ParseUInt32(positional[1]);
        options.end = ParseUInt32(positional[2]);
        if (!options.start || !options.end) {
            return std::nullopt;
        }
    }
    return options;
}

double Seconds(std::uint64_t bytes, const WaveFormat& format) {
    return format.avgBytesPerSec == 0 ? 0.0 : static_cast<double>(bytes) / format.avgBytesPerSec;
}

void ShowProgress(const CWaveEngine& engine, std::uint32_t start, std::uint32_t end) {
    const std::uint64_t at =
        std::min<std::uint64_t>(start + engine.GetPlayPosition(), std::max(start, end));
    std::fprintf(stderr, "\rplaying %8.2f s  (%.2f to %.2f s at %d%%)  ",
                 Seconds(at, engine.Format()), Seconds(start, engine.Format()),
                 Seconds(end, engine.Format()), engine.Rate());
    std::fflush(stderr);
}

} // namespace

int RunPlayCommand(const ToolArgs& args) {
    auto options = ParseOptions(args);
    if (!options) {
        return ToolError("usage: play FILE [START END] [--rate N] [--interval BYTES]");
    }
    if (options->rate < CWaveEngine::kMinRate || options->rate > CWaveEngine::kMaxRate) {
        return ToolError("--rate must be between 33 and 200");
    }
    // The device is declared first so that it outlives the engine.
    PumpedMessageQueue messages;
    DefaultWaveOutDevice device(messages);
    CWaveEngine engine;
    engine.SetOutputDevice(&device);
    ToolPlayerOwner owner(engine);
    const int probe = engine.OpenWaveFile(options->path);
    if (probe != 0) {
        return ToolError(DescribeOpenFailure(options->path, probe));
    }
    if (!engine.OpenOutput(options->path, &owner, static_cast<int>(options->rate))) {
        engine.CloseOutput();
        return ToolError("cannot open the wave output device for " + options->path);
    }
    if (device.IsSilent()) {
        std::cerr << "earlark-tool: no sound output device; playing silently in real time\n";
    }
    const std::uint32_t start = options->start.value_or(0);
    const std::uint32_t end = options->end.value_or(engine.DataSize());
    g_interrupted = 0;
    auto previous = std::signal(SIGINT, OnInterrupt);
    engine.PlayRange(start, end, options->interval);
    while (!owner.finished && !g_interrupted && engine.BufferCount() > 0) {
        messages.WaitAndRun(std::chrono::milliseconds(100));
        ShowProgress(engine, start, end);
    }
    engine.ResetOutput();
    engine.CloseOutput();
    std::signal(SIGINT, previous);
    std::cerr << (g_interrupted ? "\nstopped\n" : "\n");
    return 0;
}
