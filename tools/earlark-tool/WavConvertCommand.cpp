// earlark-tool wavconvert IN OUT.wav: converts a wave file the wave engine cannot play
// (compressed, floating-point, extensible, wider than 16 bits) into a PCM wave file.
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "import/ConversionCodecs.h"
#include "import/ConvertWaveToPcm.h"

#include <iostream>

int RunWavConvertCommand(const ToolArgs& args) {
    if (args.size() != 2) {
        return ToolError("usage: wavconvert IN OUT.wav");
    }
    PcmConversionReport report;
    if (!ConvertWaveToPcm(args[0], args[1], ConversionCodecs(), &report)) {
        return ToolError("cannot convert " + args[0] + ": " + report.error);
    }
    const WaveFormatEx& f = report.format;
    JsonWriter json;
    json.BeginObject().Key("ok").Bool(true).Key("format").BeginObject();
    json.Key("formatTag").UInt(f.formatTag).Key("channels").UInt(f.channels);
    json.Key("samplesPerSec").UInt(f.samplesPerSec).Key("avgBytesPerSec").UInt(f.avgBytesPerSec);
    json.Key("blockAlign").UInt(f.blockAlign).Key("bitsPerSample").UInt(f.bitsPerSample);
    json.EndObject().Key("sampleCount").UInt(report.sampleCount).EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}
