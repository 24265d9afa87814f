#include "import/MpegFrameReader.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kChunk = 16384;
// Longest free-format frame searched for (layer I at 448 kbit/s and 8 kHz is far less).
constexpr std::size_t kMaxFreeFormatFrame = 8192;
constexpr std::uint32_t kStreamMask = 0xFFFFFC00u; // sync .. sample rate, no padding

bool StartsWith(const std::uint8_t* p, std::size_t available, const char* tag) {
    const std::size_t length = std::strlen(tag);
    return available >= length && std::memcmp(p, tag, length) == 0;
}

} // namespace

MpegFrameReader::MpegFrameReader(ReadFunction read) : m_read(std::move(read)) {}

bool MpegFrameReader::Fill(std::size_t need) {
    if (m_end - m_position >= need) {
        return true;
    }
    if (m_position > 0) {
        m_bufferStart += m_position;
        std::memmove(m_buffer.data(), m_buffer.data() + m_position, m_end - m_position);
        m_end -= m_position;
        m_position = 0;
    }
    if (m_buffer.size() < need + kChunk) {
        m_buffer.resize(need + kChunk);
    }
    while (!m_atEnd && m_end < need) {
        const std::size_t got = m_read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got == 0) {
            m_atEnd = true;
        }
        m_end += std::min(got, m_buffer.size() - m_end);
    }
    return m_end >= need;
}

void MpegFrameReader::Discard(std::uint64_t count) {
    while (count > 0) {
        if (m_position == m_end && !Fill(1)) {
            return;
        }
        const std::uint64_t step = std::min<std::uint64_t>(count, m_end - m_position);
        m_position += static_cast<std::size_t>(step);
        count -= step;
    }
}

std::uint32_t MpegFrameReader::WordAt(std::size_t offset) const {
    const std::uint8_t* p = m_buffer.data() + m_position + offset;
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// An ID3v2 tag: "ID3", version, flags, a 28-bit size in four 7-bit bytes.
bool MpegFrameReader::SkipTag() {
    if (!Fill(10)) {
        return false;
    }
    const std::uint8_t* p = m_buffer.data() + m_position;
    if (std::memcmp(p, "ID3", 3) != 0 || p[3] == 0xFF || p[4] == 0xFF ||
        ((p[6] | p[7] | p[8] | p[9]) & 0x80) != 0) {
        return false;
    }
    const std::uint64_t size =
        static_cast<std::uint64_t>(p[6]) << 21 | p[7] << 14 | p[8] << 7 | p[9];
    const std::uint64_t footer = (p[5] & 0x10) ? 10 : 0;
    Discard(10 + size + footer);
    m_skipped += 10 + size + footer;
    m_locked = false;
    return true;
}

int MpegFrameReader::FrameSize(const MpegFrameHeader& header, bool direct) {
    if (!header.FreeFormat()) {
        return header.FrameBytes();
    }
    if (direct && m_freeFormatBytes > 0) {
        return header.FrameBytes(m_freeFormatBytes);
    }
    // Measure: the next header of the same stream and bitrate marks the frame's end.
    Fill(kMaxFreeFormatFrame + 4);
    const std::size_t available = m_end - m_position;
    const std::uint64_t here = m_bufferStart + m_position;
    std::size_t offset = 16;
    // A failed search for the same header already covered the bytes up to m_freeScanEnd:
    // start after them, so runs of false free-format headers cost linear time.
    if ((header.word & kStreamMask) == m_freeScanMask && m_freeScanEnd > here + offset) {
        offset = static_cast<std::size_t>(m_freeScanEnd - here);
    }
    for (; offset + 4 <= available; ++offset) {
        const std::uint32_t word = WordAt(offset);
        if ((word & kStreamMask) == (header.word & kStreamMask)) {
            const int measured =
                static_cast<int>(offset) - (header.padding ? header.SlotBytes() : 0);
            m_freeFormatBytes = measured;
            return static_cast<int>(offset);
        }
    }
    m_freeScanMask = header.word & kStreamMask;
    m_freeScanEnd = here + (available >= 3 ? available - 3 : 0);
    return 0;
}

bool MpegFrameReader::Confirmed(const MpegFrameHeader& header, int size) {
    const std::size_t frameEnd = static_cast<std::size_t>(size);
    if (!Fill(frameEnd + 4)) {
        return true; // nothing (or too little to matter) follows the frame
    }
    const std::uint8_t* next = m_buffer.data() + m_position + frameEnd;
    const std::size_t available = m_end - m_position - frameEnd;
    if (StartsWith(next, available, "TAG") || StartsWith(next, available, "ID3") ||
        StartsWith(next, available, "APETAGEX")) {
        return true;
    }
    MpegFrameHeader following;
    return MpegFrameHeader::Parse(WordAt(frameEnd), following) && following.SameStream(header) &&
           (following.bitrateIndex != 0) == (header.bitrateIndex != 0);
}

bool MpegFrameReader::Next(MpegFrameHeader& header, const std::uint8_t*& frame, int& size) {
    for (;;) {
        if (!Fill(4)) {
            m_skipped += m_end - m_position;
            m_position = m_end;
            return false;
        }
        if (m_buffer[m_position] == 'I' && SkipTag()) {
            continue;
        }
        MpegFrameHeader candidate;
        if (!MpegFrameHeader::Parse(WordAt(0), candidate)) {
            ++m_position;
            ++m_skipped;
            continue;
        }
        const bool direct = m_locked && candidate.SameStream(m_stream);
        const int frameSize = FrameSize(candidate, direct);
        const int minimum =
            4 + (candidate.crc ? 2 : 0) + (candidate.layer == 3 ? candidate.SideInfoBytes() : 0);
        if (frameSize <= minimum || !Fill(static_cast<std::size_t>(frameSize)) ||
            (!direct && !Confirmed(candidate, frameSize))) {
            ++m_position;
            ++m_skipped;
            m_locked = false;
            continue;
        }
        m_locked = true;
        m_stream = candidate;
        header = candidate;
        frame = m_buffer.data() + m_position;
        size = frameSize;
        m_position += static_cast<std::size_t>(frameSize);
        return true;
    }
}
