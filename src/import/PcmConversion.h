#pragma once

#include "import/WaveSourceDescription.h"
#include "platform/AudioCodec.h"
#include "platform/CodecService.h"
#include "platform/RiffReader.h"
#include "platform/RiffWriter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One conversion of a wave file into a PCM wave file through the codec service: about one
// second of source per cycle, each cycle's output written at once, then end-of-stream
// conversions that release whatever the codec held back. Everything it opens or allocates
// is released when Run returns, whatever the outcome.
//
// The destination's "fact" chunk holds the sample frames actually written (it is filled
// in when the destination is closed, after a failure too). For codecs whose last block is
// padded (ADPCM), the output stops at the source's "fact" count.
class PcmConversion {
public:
    explicit PcmConversion(const CodecService& codecs) : m_codecs(codecs) {}
    ~PcmConversion() { Close(); }
    PcmConversion(const PcmConversion&) = delete;
    PcmConversion& operator=(const PcmConversion&) = delete;

    bool Run(const std::string& sourcePath, const std::string& destinationPath);

    const WaveFormatEx& DestinationFormat() const { return m_destinationFormat; }
    // The destination "fact" value: sample frames written.
    std::uint32_t SampleCount() const;
    // A one-line reason after a failed Run.
    const std::string& Error() const { return m_error; }

private:
    bool ChooseFormat();
    bool Open(const std::string& destinationPath);
    bool SizeBuffers();
    bool PositionSource();
    bool WriteHeaderChunks();
    bool MainPass();
    bool FinalPass();
    bool Close();

    std::size_t ReadSource();
    bool ConvertRead(std::size_t offset, std::size_t length, unsigned flags,
                     CodecConversion* result);
    bool WriteOutput(std::size_t bytes);
    bool OutputComplete() const;
    bool WriteSampleCount();
    bool Fail(const std::string& reason);

    const CodecService& m_codecs;
    WaveSourceDescription m_source;
    WaveFormatEx m_destinationFormat;
    std::unique_ptr<AudioCodec> m_stream;
    RiffReader m_sourceFile;
    RiffWriter m_destinationFile;
    std::vector<std::uint8_t> m_sourceBuffer;
    std::vector<std::uint8_t> m_destinationBuffer;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_written = 0;     // destination data bytes
    bool m_limitOutput = false;      // the "fact" count ends the audio (padded blocks)
    std::uint64_t m_outputLimit = 0; // data bytes the "fact" count allows
    std::uint64_t m_factOffset = 0;  // where the destination's "fact" value is; 0: not yet
    std::string m_error;
};
