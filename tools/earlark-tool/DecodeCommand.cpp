// earlark-tool decode: MPEG audio files to wave files, and a report of what a file holds.
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "import/DecodeMpegToWave.h"
#include "import/MpegDecoder.h"
#include "import/MpegFileInput.h"

#include <iostream>

namespace {

int Info(const std::string& path) {
    std::unique_ptr<MpegDecoder> decoder;
    if (MpegDecoderCreate(&decoder) != kMpegSuccess ||
        MpegDecoderRegisterInputModule(*decoder, MpegFileInputModule()) < 0 ||
        MpegDecoderAttachInput(*decoder, path.c_str(), -1) != kMpegSuccess ||
        MpegDecoderOpenInput(*decoder) != kMpegSuccess) {
        return ToolError("cannot open input file " + path);
    }
    int result;
    do {
        result = MpegDecoderDecodeFrame(*decoder);
    } while (result == kMpegSuccess || result == kMpegErrorInvalidFrame);

    const MpegStreamStats& s = decoder->Stats();
    JsonWriter json;
    json.BeginObject();
    json.Key("framesDecoded").UInt(s.framesDecoded);
    json.Key("framesSkipped").UInt(s.framesSkipped);
    json.Key("junkBytes").UInt(s.junkBytes);
    json.Key("infoFrame").Bool(s.infoFrame);
    json.Key("layer").Int(s.layer);
    json.Key("version").String(s.version);
    json.Key("sampleRate").Int(s.sampleRate);
    json.Key("channels").Int(s.channels);
    json.Key("bitrate").BeginObject();
    json.Key("min").Int(s.minBitrate).Key("max").Int(s.maxBitrate);
    json.EndObject();
    json.EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}

} // namespace

int RunDecodeCommand(const ToolArgs& args) {
    if (args.size() == 2 && args[0] == "--info") {
        return Info(args[1]);
    }
    if (args.size() != 2 || args[0].starts_with("--")) {
        return ToolError("usage: decode IN OUT.wav | decode --info IN");
    }
    if (!DecodeMpegToWave(args[0], args[1])) {
        return ToolError("cannot decode " + args[0] + " to " + args[1]);
    }
    return 0;
}
