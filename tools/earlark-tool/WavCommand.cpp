// earlark-tool wav probe|level|quiet: the wave engine's file side on one file.
#include "AudioToolSupport.h"
#include "JsonWriter.h"
#include "ToolCommands.h"

#include <charconv>
#include <iostream>

namespace {

int Probe(const ToolArgs& args) {
    if (args.size() != 1) {
        return ToolError("usage: wav probe FILE");
    }
    CWaveEngine engine;
    const int result = engine.OpenWaveFile(args[0]);
    engine.CloseWaveFile();
    JsonWriter json;
    json.BeginObject();
    json.Key("result").Int(result);
    if (engine.HasFormat()) {
        WriteFormatMembers(json, engine.Format());
    }
    json.Key("dataOffset").UInt(engine.DataOffset());
    json.Key("dataSize").UInt(engine.DataSize());
    json.EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}

bool OpenPcm(CWaveEngine& engine, const std::string& path) {
    const int result = engine.OpenWaveFile(path);
    if (result != 0) {
        ToolError(DescribeOpenFailure(path, result));
        return false;
    }
    return true;
}

int Level(const ToolArgs& args) {
    if (args.size() != 3 && !(args.size() == 5 && args[3] == "--centre")) {
        return ToolError("usage: wav level FILE POS LEN [--centre C]");
    }
    auto position = ParseUInt32(args[1]);
    auto length = ParseUInt32(args[2]);
    std::int32_t centre = 0;
    if (args.size() == 5) {
        const std::string& text = args[4];
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), centre);
        if (ec != std::errc() || end != text.data() + text.size()) {
            return ToolError("the centring value must be an integer: " + text);
        }
    }
    if (!position || !length) {
        return ToolError("POS and LEN must be byte counts");
    }
    CWaveEngine engine;
    if (!OpenPcm(engine, args[0])) {
        return 1;
    }
    engine.SetCentringValue(centre);
    std::cout << engine.MeasureLevel(*position, *length) << '\n';
    return 0;
}

int Quiet(const ToolArgs& args) {
    if (args.size() != 3) {
        return ToolError("usage: wav quiet FILE POS WINDOW");
    }
    auto position = ParseUInt32(args[1]);
    auto window = ParseUInt32(args[2]);
    if (!position || !window) {
        return ToolError("POS and WINDOW must be byte counts");
    }
    CWaveEngine engine;
    if (!OpenPcm(engine, args[0])) {
        return 1;
    }
    std::cout << engine.FindQuietPoint(*position, *window) << '\n';
    return 0;
}

} // namespace

int RunWavCommand(const ToolArgs& args) {
    if (args.empty()) {
        return ToolError("usage: wav probe|level|quiet ...");
    }
    const ToolArgs rest(args.begin() + 1, args.end());
    if (args[0] == "probe") {
        return Probe(rest);
    }
    if (args[0] == "level") {
        return Level(rest);
    }
    if (args[0] == "quiet") {
        return Quiet(rest);
    }
    return ToolError("unknown wav command: " + args[0]);
}
