// The study view's playback on the manual-clock device, 44.1 kHz 16-bit stereo:
// - F5ToFirstBuffer: from the Play command (output closed, file already PCM) to the first
//   buffers handed to the device, at speeds 100 and 50 (target: under 30 ms);
// - BufferDone: one finished buffer handled at speed 50, that is the time display, the
//   spectrum and the next buffer stretched and queued (target: under 2 ms).
//   run: build/bin/PlaybackBench
#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr std::uint32_t kBlock = 4;
constexpr std::uint32_t kSeconds = 60;
constexpr std::uint32_t kSentenceSeconds = 3;

void Put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// A minute of a gliding two-harmonic tone.
std::string WriteWave() {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("earlark-bench-" + std::to_string(getpid()) + ".wav"))
                                 .string();
    const std::uint32_t size = kSeconds * kRate * kBlock;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    Put(out, 36 + size, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);
    Put(out, 1, 2);
    Put(out, 2, 2);
    Put(out, kRate, 4);
    Put(out, kRate * kBlock, 4);
    Put(out, kBlock, 2);
    Put(out, 16, 2);
    out.write("data", 4);
    Put(out, size, 4);
    double phase = 0;
    for (std::uint32_t i = 0; i < size / kBlock; ++i) {
        phase += 2 * std::numbers::pi * (150 + 50 * std::sin(i / 20000.0)) / kRate;
        const auto v =
            static_cast<std::int16_t>(8000 * std::sin(phase) + 3000 * std::sin(2 * phase));
        Put(out, static_cast<std::uint16_t>(v), 2);
        Put(out, static_cast<std::uint16_t>(v), 2);
    }
    return path;
}

struct Study {
    explicit Study(int speed) {
        doc.m_strAudioPath = wave;
        doc.m_nSpeed = speed;
        doc.m_nRepeat = 0;
        const std::uint32_t sentence = kSentenceSeconds * kRate * kBlock;
        for (std::uint32_t i = 0; i < kSeconds / kSentenceSeconds; ++i) {
            auto record = std::make_unique<CEarlarkWaveSection>();
            record->m_nStart = i * sentence;
            record->m_nEnd = (i + 1) * sentence - 1;
            doc.m_sections.Add(std::move(record));
        }
        doc.m_player.SetOutputDevice(&device);
        view.OnInitialUpdate();
    }
    ~Study() { std::filesystem::remove(wave); }

    std::string wave = WriteWave();
    // The device outlives the document's engine.
    PumpedMessageQueue queue;
    ManualClockWaveOutDevice device{queue};
    CEarlarkDoc doc;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    ScriptedFileDialogs dialogs;
    StudyAudio audio{doc, settings, prompts, dialogs};
    HeadlessSentenceList list;
    HeadlessTextBox listenWrite;
    HeadlessTextBox original;
    HeadlessDisplays displays;
    HeadlessForm form;
    CEarlarkMainView view{
        doc, audio,
        ViewPorts{list, listenWrite, original, displays, form, prompts, dialogs, settings}};
};

void F5ToFirstBuffer(benchmark::State& state) {
    Study study(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        study.view.OnCommand(cmd::kPlay);
        state.PauseTiming();
        if (study.device.QueuedCount() == 0) {
            state.SkipWithError("nothing was queued");
            break;
        }
        study.view.OnCommand(cmd::kStop);
        state.ResumeTiming();
    }
}
BENCHMARK(F5ToFirstBuffer)->Arg(100)->Arg(50)->Unit(benchmark::kMillisecond);

void BufferDone(benchmark::State& state) {
    Study study(50);
    study.view.OnCommand(cmd::kPlay);
    for (auto _ : state) {
        study.device.FinishHeadBuffer();
        study.queue.RunPending();
    }
    if (study.displays.spectrum.empty()) {
        state.SkipWithError("the spectrum was not computed");
    }
}
BENCHMARK(BufferDone)->Unit(benchmark::kMicrosecond);

} // namespace
