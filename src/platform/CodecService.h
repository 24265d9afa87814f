#pragma once

#include "platform/AudioCodec.h"
#include "platform/WaveFormatEx.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// Stands in for the platform's audio compression manager: given a compressed (or otherwise
// unplayable) wave format record, it suggests the PCM format to convert to and opens a
// conversion stream. The codecs are tried in the order of the factory list; a factory
// returns no codec for a record it does not handle.
class CodecService {
public:
    using Factory = std::function<std::unique_ptr<AudioCodec>(const WaveFormatEx& source)>;

    explicit CodecService(std::vector<Factory> factories);

    // The codecs of this layer: IMA and Microsoft ADPCM, A-law and µ-law, IEEE float, wide
    // integer PCM (plain or extensible) and GSM 06.10.
    static std::vector<Factory> PlatformCodecs();

    std::optional<WaveFormatEx> SuggestPcmFormat(const WaveFormatEx& source) const;
    // A stream that converts `source` into exactly `destination`, or none.
    std::unique_ptr<AudioCodec> OpenStream(const WaveFormatEx& source,
                                           const WaveFormatEx& destination) const;

private:
    std::vector<Factory> m_factories;
};
