#include "platform/CodecService.h"

#include "platform/FloatPcmCodec.h"
#include "platform/G711Codec.h"
#include "platform/GsmCodec.h"
#include "platform/ImaAdpcmCodec.h"
#include "platform/MsAdpcmCodec.h"
#include "platform/WidePcmCodec.h"

CodecService::CodecService(std::vector<Factory> factories) : m_factories(std::move(factories)) {}

std::vector<CodecService::Factory> CodecService::PlatformCodecs() {
    return {ImaAdpcmCodec::Create, MsAdpcmCodec::Create, G711Codec::Create,
            FloatPcmCodec::Create, WidePcmCodec::Create, GsmCodec::Create};
}

std::optional<WaveFormatEx> CodecService::SuggestPcmFormat(const WaveFormatEx& source) const {
    for (const Factory& factory : m_factories) {
        if (std::unique_ptr<AudioCodec> codec = factory(source)) {
            return codec->OutputFormat();
        }
    }
    return std::nullopt;
}

std::unique_ptr<AudioCodec> CodecService::OpenStream(const WaveFormatEx& source,
                                                     const WaveFormatEx& destination) const {
    for (const Factory& factory : m_factories) {
        std::unique_ptr<AudioCodec> codec = factory(source);
        if (codec && codec->OutputFormat() == destination) {
            return codec;
        }
    }
    return nullptr;
}
