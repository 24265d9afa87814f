// earlark-tool render: the bytes the player would play for a range, written as a wave file.
#include "AudioToolSupport.h"
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "audio/WaveFileWriter.h"
#include "platform/ManualClockWaveOutDevice.h"

#include <iostream>

int RunRenderCommand(const ToolArgs& args) {
    if (args.size() != 6) {
        return ToolError("usage: render FILE START END INTERVAL RATE OUT.wav");
    }
    auto start = ParseUInt32(args[1]);
    auto end = ParseUInt32(args[2]);
    auto interval = ParseUInt32(args[3]);
    auto rate = ParseUInt32(args[4]);
    if (!start || !end || !interval || !rate) {
        return ToolError("START, END, INTERVAL and RATE must be unsigned integers");
    }
    if (*rate < CWaveEngine::kMinRate || *rate > CWaveEngine::kMaxRate) {
        return ToolError("RATE must be between 33 and 200");
    }
    // Rendering needs an open output but no sound: a device whose clock never moves. The
    // device is declared first so that it outlives the engine.
    PumpedMessageQueue messages;
    ManualClockWaveOutDevice device(messages);
    CWaveEngine engine;
    engine.SetOutputDevice(&device);
    ToolPlayerOwner owner(engine);
    const int probe = engine.OpenWaveFile(args[0]);
    if (probe != 0) {
        return ToolError(DescribeOpenFailure(args[0], probe));
    }
    if (!engine.OpenOutput(args[0], &owner, static_cast<int>(*rate))) {
        engine.CloseOutput();
        return ToolError("cannot prepare " + args[0] + " for output");
    }
    std::vector<std::uint8_t> bytes;
    const std::int64_t written =
        engine.RenderRange(bytes, *start, *end, *interval, static_cast<int>(*rate));
    const WaveFormat format = engine.Format();
    engine.CloseOutput();
    std::string error;
    if (written < 0 || !WaveFileWriter::Write(args[5], format, bytes, &error)) {
        return ToolError("cannot write " + args[5] + (error.empty() ? "" : ": " + error));
    }
    JsonWriter json;
    json.BeginObject().Key("bytes").Int(written).Key("rate").UInt(*rate).EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}
