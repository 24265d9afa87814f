#include "import/ConversionCodecs.h"

namespace {

std::vector<CodecService::Factory> Factories() {
    std::vector<CodecService::Factory> factories = CodecService::PlatformCodecs();
    // MPEG audio inside wave files (format tags 0x0050 and 0x0055) is decoded by this
    // subsystem's MPEG decoder; its codec factory belongs here.
    return factories;
}

} // namespace

const CodecService& ConversionCodecs() {
    static const CodecService service(Factories());
    return service;
}
