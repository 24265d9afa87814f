#include "import/PcmConversion.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace {

constexpr std::uint32_t kWave = MakeFourCC("WAVE");
constexpr std::uint32_t kFmt = MakeFourCC("fmt ");
constexpr std::uint32_t kData = MakeFourCC("data");
constexpr std::uint32_t kFact = MakeFourCC("fact");

// Caps on the two cycle buffers, whatever byte rate a (possibly hostile) header claims.
constexpr std::size_t kMaxSourceBuffer = 8u << 20;
constexpr std::size_t kMaxDestinationBuffer = 64u << 20;
// The cycle size for a source whose header gives no byte rate (as streaming writers leave
// it), instead of one block per cycle.
constexpr std::size_t kSourceBufferWithoutByteRate = 64u << 10;

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

bool PcmConversion::Run(const std::string& sourcePath, const std::string& destinationPath) {
    m_error.clear();
    if (!WaveSourceDescription::Read(sourcePath, &m_source, &m_error)) {
        return false;
    }
    bool ok = ChooseFormat() && Open(destinationPath) && MainPass() && FinalPass();
    // Closing fixes the destination's chunk sizes; if that fails the file is not usable.
    if (!Close() && ok) {
        ok = Fail("cannot finish writing the destination file");
    }
    return ok;
}

bool PcmConversion::ChooseFormat() {
    std::optional<WaveFormatEx> suggested = m_codecs.SuggestPcmFormat(m_source.format);
    if (!suggested) {
        return Fail("no codec converts this format");
    }
    m_destinationFormat = *suggested;
    return true;
}

bool PcmConversion::Open(const std::string& destinationPath) {
    m_stream = m_codecs.OpenStream(m_source.format, m_destinationFormat);
    if (!m_stream) {
        return Fail("no codec converts this format");
    }
    m_limitOutput = m_stream->FactCountEndsTheAudio();
    if (m_limitOutput) {
        m_outputLimit = static_cast<std::uint64_t>(m_source.sampleCount) *
                        std::max<std::uint16_t>(m_destinationFormat.blockAlign, 1);
    }
    if (!SizeBuffers()) {
        return false;
    }
    if (SameFile(m_source.path, destinationPath)) {
        return Fail("the destination is the source file");
    }
    if (!m_sourceFile.Open(m_source.path)) {
        return Fail("cannot open the source file");
    }
    if (!m_destinationFile.Create(destinationPath)) {
        return Fail("cannot create the destination file");
    }
    if (!m_destinationFile.CreateChunk(kRiffId, kWave)) {
        return Fail("cannot write the destination file");
    }
    return PositionSource() && WriteHeaderChunks();
}

// About one second of source per cycle, in whole blocks, and room for all it can produce.
bool PcmConversion::SizeBuffers() {
    std::size_t block = std::max<std::size_t>(m_source.format.blockAlign, 1);
    std::size_t wanted = m_source.format.avgBytesPerSec;
    if (wanted == 0) {
        wanted = kSourceBufferWithoutByteRate;
    }
    wanted = std::min(wanted, kMaxSourceBuffer);
    wanted = std::min(wanted, static_cast<std::size_t>(m_source.dataSize) + block - 1);
    std::size_t sourceBytes = std::max(wanted / block, std::size_t{1}) * block;
    while (m_stream->EstimateOutputSize(sourceBytes) > kMaxDestinationBuffer &&
           sourceBytes > block) {
        sourceBytes = std::max(sourceBytes / 2 / block, std::size_t{1}) * block;
    }
    std::size_t destinationBytes = m_stream->EstimateOutputSize(sourceBytes);
    if (destinationBytes == 0 || destinationBytes > kMaxDestinationBuffer) {
        return Fail("the codec cannot convert a buffer of this format");
    }
    try {
        m_sourceBuffer.resize(sourceBytes);
        m_destinationBuffer.resize(destinationBytes);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    }
    return true;
}

// Finds the data chunk again through the source's chunk structure.
bool PcmConversion::PositionSource() {
    RiffChunk form;
    RiffChunk data;
    if (!m_sourceFile.FindForm(kWave, &form) || !m_sourceFile.Descend(form, &data, kData) ||
        static_cast<std::int64_t>(data.dataOffset) != m_source.dataOffset) {
        return Fail("the source file changed while it was being read");
    }
    return true;
}

// The "fact" value is written as 0 here and filled in on closing, when the count is known.
bool PcmConversion::WriteHeaderChunks() {
    std::vector<std::uint8_t> format = m_destinationFormat.ToBytes();
    const std::uint8_t fact[4] = {0, 0, 0, 0};
    bool ok = m_destinationFile.CreateChunk(kFmt) &&
              m_destinationFile.Write(format.data(), format.size()) && m_destinationFile.Ascend() &&
              m_destinationFile.CreateChunk(kFact);
    if (ok) {
        m_factOffset = m_destinationFile.Position();
        ok = m_destinationFile.Write(fact, sizeof fact) && m_destinationFile.Ascend() &&
             m_destinationFile.CreateChunk(kData);
    }
    return ok || Fail("cannot write the destination file");
}

std::uint32_t PcmConversion::SampleCount() const {
    const std::uint64_t frames =
        m_written / std::max<std::uint16_t>(m_destinationFormat.blockAlign, 1);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(frames, 0xFFFFFFFFu));
}

bool PcmConversion::WriteSampleCount() {
    if (m_factOffset == 0) {
        return true;
    }
    const std::uint32_t count = SampleCount();
    const std::uint8_t fact[4] = {
        static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
        static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    return m_destinationFile.Overwrite(m_factOffset, fact, sizeof fact);
}

// Ends early only when a cycle makes no progress at all: a codec may take source into a
// queue of its own (a partial MPEG frame) and produce nothing in that cycle.
bool PcmConversion::MainPass() {
    auto total = static_cast<std::uint64_t>(m_source.dataSize);
    while (m_consumed < total && !OutputComplete()) {
        std::size_t read = ReadSource();
        if (read == 0) {
            break;
        }
        CodecConversion done;
        if (!ConvertRead(0, read, AudioCodec::kBlockAlign, &done)) {
            return false;
        }
        m_consumed += done.consumed;
        if (done.produced == 0 && done.consumed == 0) {
            break;
        }
        if (!WriteOutput(done.produced)) {
            return false;
        }
    }
    return true;
}

// Releases what the codec holds back and decodes a trailing partial block.
bool PcmConversion::FinalPass() {
    auto total = static_cast<std::uint64_t>(m_source.dataSize);
    while (!OutputComplete()) {
        bool remains = m_consumed < total;
        std::size_t read = remains ? ReadSource() : 0;
        if (remains && read == 0) {
            break;
        }
        CodecConversion done;
        if (!ConvertRead(0, read, AudioCodec::kBlockAlign | AudioCodec::kEndOfStream, &done)) {
            return false;
        }
        if (done.produced == 0) {
            // Only the bytes the first call left are offered again.
            CodecConversion tail;
            if (!ConvertRead(done.consumed, read - done.consumed, AudioCodec::kEndOfStream,
                             &tail)) {
                return false;
            }
            done.consumed += tail.consumed;
            done.produced = tail.produced;
        }
        m_consumed += done.consumed;
        // A codec that took source without output yet goes on while source remains.
        if (done.produced == 0 && (done.consumed == 0 || m_consumed >= total)) {
            break;
        }
        if (!WriteOutput(done.produced)) {
            return false;
        }
    }
    return true;
}

// Reads up to one buffer of the source data that has not been consumed yet. Unconsumed
// bytes of the previous cycle are read again, from the file.
std::size_t PcmConversion::ReadSource() {
    auto total = static_cast<std::uint64_t>(m_source.dataSize);
    std::size_t want = static_cast<std::size_t>(
        std::min<std::uint64_t>(m_sourceBuffer.size(), total - m_consumed));
    if (!m_sourceFile.Seek(static_cast<std::uint64_t>(m_source.dataOffset) + m_consumed)) {
        return 0;
    }
    return m_sourceFile.Read(m_sourceBuffer.data(), want);
}

bool PcmConversion::ConvertRead(std::size_t offset, std::size_t length, unsigned flags,
                                CodecConversion* result) {
    std::span<const std::uint8_t> source(m_sourceBuffer.data() + offset, length);
    if (!m_stream->Convert(source, m_destinationBuffer, flags, result) ||
        result->consumed > length || result->produced > m_destinationBuffer.size()) {
        return Fail("the codec failed on the source data");
    }
    return true;
}

// Writes a cycle's output, up to the limit of the "fact" count.
bool PcmConversion::WriteOutput(std::size_t bytes) {
    if (m_limitOutput) {
        bytes = static_cast<std::size_t>(
            std::min<std::uint64_t>(bytes, m_outputLimit - std::min(m_written, m_outputLimit)));
    }
    if (!m_destinationFile.Write(m_destinationBuffer.data(), bytes)) {
        return Fail("cannot write the destination file");
    }
    m_written += bytes;
    return true;
}

bool PcmConversion::OutputComplete() const {
    return m_limitOutput && m_written >= m_outputLimit;
}

// Safe to call more than once; false when the destination could not be completed.
bool PcmConversion::Close() {
    m_sourceFile.Close();
    bool ok = true;
    if (m_destinationFile.IsOpen()) {
        ok = WriteSampleCount();
        ok = m_destinationFile.Close() && ok;
    }
    m_stream.reset();
    std::vector<std::uint8_t>().swap(m_sourceBuffer);
    std::vector<std::uint8_t>().swap(m_destinationBuffer);
    return ok;
}

bool PcmConversion::Fail(const std::string& reason) {
    if (m_error.empty()) {
        m_error = reason;
    }
    return false;
}
