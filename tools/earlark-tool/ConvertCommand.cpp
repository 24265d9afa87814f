// earlark-tool convert: any audio file the program imports, turned into the PCM wave file
// the player plays, by the same decision and conversions as the import.
#include "AudioToolSupport.h"
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "document/CEarlarkDoc.h"
#include "import/CAudioImport.h"
#include "import/DefaultConversionBackend.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"
#include "platform/WaitWindow.h"

#include <filesystem>
#include <iostream>

namespace {

// The real conversions, noting which one the decision took and why a decoding failed.
ConversionBackend RecordingBackend(CWaveEngine& engine, std::string& kind, std::string& reason) {
    ConversionBackend real = DefaultConversionBackend(engine);
    ConversionBackend backend = real;
    backend.probeWave = [real, &kind](const std::string& path) {
        int result = real.probeWave(path);
        kind = result == 1 ? "wave-codec" : "pcm";
        return result;
    };
    backend.decodeMpeg = [real, &kind](const std::string& source, const std::string& target) {
        kind = "mpeg";
        return real.decodeMpeg(source, target);
    };
    backend.decodeMedia = [&kind, &reason](const std::string& source, const std::string& target,
                                           const FfmpegAudioDecoder::Progress& progress) {
        kind = "media";
        return FfmpegAudioDecoder::Decode(source, target, progress, &reason);
    };
    return backend;
}

std::string KindOfUnconverted(const std::string& source) {
    std::string lower = source;
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower.find(".ekw") != std::string::npos ? "ekw" : "unknown";
}

} // namespace

int RunConvertCommand(const ToolArgs& args) {
    if (args.size() != 2) {
        return ToolError("usage: convert IN OUT.wav");
    }
    const std::string& source = args[0];
    const std::string& target = args[1];
    CEarlarkDoc doc;
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    SilentWaitWindow wait;
    std::string kind;
    std::string reason;
    CAudioImport import(doc, settings, prompts, wait, RecordingBackend(doc.m_player, kind, reason));
    import.SetConvertedPath(target);

    std::string playPath;
    const int result = import.PrepareAudioSource(source, playPath);
    if (kind.empty()) {
        kind = KindOfUnconverted(source);
    }
    if (result == CAudioImport::kNotFound || result == CAudioImport::kNoPath) {
        return ToolError("cannot find " + source);
    }
    if (result == CAudioImport::kConversionFailed) {
        return ToolError("cannot convert " + source + " (" + kind + ")" +
                         (reason.empty() ? "" : ": " + reason));
    }
    if (playPath.empty()) {
        return ToolError(source + " is not an audio or video file Earlark plays");
    }
    if (playPath != target) {
        // Played as it is: the copy is the file the player would open.
        std::error_code ec;
        std::filesystem::copy_file(playPath, target,
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            return ToolError("cannot write " + target + ": " + ec.message());
        }
    }
    CWaveEngine probe;
    const int playable = probe.OpenWaveFile(target);
    probe.CloseWaveFile();
    if (playable != 0) {
        return ToolError(DescribeOpenFailure(target, playable));
    }
    if (probe.DataSize() == 0) {
        return ToolError("no audio could be decoded from " + source);
    }
    JsonWriter json;
    json.BeginObject().Key("result").Int(result).Key("kind").String(kind);
    json.Key("format").BeginObject();
    WriteFormatMembers(json, probe.Format());
    json.Key("dataSize").UInt(probe.DataSize());
    json.EndObject().EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}
