#include "platform/BlockCodec.h"

#include <algorithm>

BlockCodec::BlockCodec(const WaveFormatEx& output, std::size_t sourceBlockBytes,
                       std::size_t outputBlockBytes)
    : m_output(output), m_sourceBlockBytes(sourceBlockBytes), m_outputBlockBytes(outputBlockBytes) {
}

std::size_t BlockCodec::EstimateOutputSize(std::size_t sourceBytes) const {
    std::size_t blocks = (sourceBytes + m_sourceBlockBytes - 1) / m_sourceBlockBytes;
    return blocks * m_outputBlockBytes;
}

bool BlockCodec::Convert(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                         unsigned flags, CodecConversion* result) {
    std::size_t blocks =
        std::min(source.size() / m_sourceBlockBytes, destination.size() / m_outputBlockBytes);
    if (blocks > 0) {
        DecodeBlocks(source.data(), blocks, destination.data());
    }
    result->consumed = blocks * m_sourceBlockBytes;
    result->produced = blocks * m_outputBlockBytes;

    std::size_t left = source.size() - result->consumed;
    bool tail = (flags & kEndOfStream) && !(flags & kBlockAlign) && left > 0 &&
                left < m_sourceBlockBytes &&
                destination.size() - result->produced >= m_outputBlockBytes;
    if (tail) {
        result->produced += DecodePartialBlock(source.subspan(result->consumed),
                                               destination.data() + result->produced);
        result->consumed = source.size();
    }
    return true;
}

std::size_t BlockCodec::DecodePartialBlock(std::span<const std::uint8_t>, std::uint8_t*) {
    return 0;
}
