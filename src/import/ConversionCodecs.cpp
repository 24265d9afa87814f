#include "import/ConversionCodecs.h"

#include "import/MpegWaveCodec.h"

namespace {

std::vector<CodecService::Factory> Factories() {
    std::vector<CodecService::Factory> factories = CodecService::PlatformCodecs();
    // MPEG audio inside wave files (format tags 0x0050 and 0x0055) is decoded by this
    // subsystem's MPEG decoder.
    factories.push_back(MpegWaveCodec::Create);
    return factories;
}

} // namespace

const CodecService& ConversionCodecs() {
    static const CodecService service(Factories());
    return service;
}
