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

MpegFrameReader::MpegFrameReader() = default;

// Moves the unread bytes to the start of the buffer.
void MpegFrameReader::Compact() {
    if (m_position > 0) {
        m_bufferStart += m_position;
        std::memmove(m_buffer.data(), m_buffer.data() + m_position, m_end - m_position);
        m_end -= m_position;
        m_position = 0;
    }
}

void MpegFrameReader::Push(const std::uint8_t* bytes, std::size_t count) {
    if (m_read || count == 0) {
        return;
    }
    Compact();
    if (m_buffer.size() < m_end + count) {
        m_buffer.resize(std::max(m_end + count, m_buffer.size() * 2));
    }
    std::memcpy(m_buffer.data() + m_end, bytes, count);
    m_end += count;
    m_pushEnded = false;
}

// True when `need` bytes from the read position are there. A pushed stream that is short
// of them before its end is starved: the caller gives up the decision it was making.
bool MpegFrameReader::Fill(std::size_t need) {
    if (m_end - m_position >= need) {
        return true;
    }
    if (!m_read) {
        m_starved = !m_pushEnded;
        return false;
    }
    Compact();
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

// Drops what is left of a skipped tag; at the end of the input there is nothing to drop.
void MpegFrameReader::DiscardPending() {
    while (m_discard > 0) {
        if (m_position == m_end && !Fill(1)) {
            if (!m_starved) {
                m_discard = 0;
            }
            return;
        }
        const std::uint64_t step = std::min<std::uint64_t>(m_discard, m_end - m_position);
        m_position += static_cast<std::size_t>(step);
        m_discard -= step;
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
    m_discard = 10 + size + footer;
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
    // Measure: the next header of the same stream and bitrate marks the frame's end. The
    // search looks at a fixed window, so that its answer does not depend on how many bytes
    // happen to be buffered.
    constexpr std::size_t kWindow = kMaxFreeFormatFrame + 4;
    if (!Fill(kWindow) && m_starved) {
        return 0;
    }
    const std::size_t available = std::min(m_end - m_position, kWindow);
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

// What follows a frame: the next frame's header, a tag, or the end of the input. Looks at
// the 8 bytes after the frame (the longest tag name), or fewer at the end of the input.
bool MpegFrameReader::Confirmed(const MpegFrameHeader& header, int size) {
    const std::size_t frameEnd = static_cast<std::size_t>(size);
    if (!Fill(frameEnd + 8) && m_starved) {
        return false;
    }
    const std::size_t available = std::min<std::size_t>(m_end - m_position - frameEnd, 8);
    if (available < 4) {
        return true; // nothing (or too little to matter) follows the frame
    }
    const std::uint8_t* next = m_buffer.data() + m_position + frameEnd;
    if (StartsWith(next, available, "TAG") || StartsWith(next, available, "ID3") ||
        StartsWith(next, available, "APETAGEX")) {
        return true;
    }
    MpegFrameHeader following;
    return MpegFrameHeader::Parse(WordAt(frameEnd), following) && following.SameStream(header) &&
           (following.bitrateIndex != 0) == (header.bitrateIndex != 0);
}

MpegFrameReader::Status MpegFrameReader::Read(MpegFrameHeader& header, const std::uint8_t*& frame,
                                              int& size) {
    m_starved = false;
    for (;;) {
        DiscardPending();
        if (m_starved) {
            return Status::kNeedInput;
        }
        if (!Fill(4)) {
            if (m_starved) {
                return Status::kNeedInput;
            }
            m_skipped += m_end - m_position;
            m_position = m_end;
            return Status::kEnd;
        }
        if (m_buffer[m_position] == 'I') {
            const bool tag = SkipTag();
            if (m_starved) {
                return Status::kNeedInput;
            }
            if (tag) {
                continue;
            }
        }
        MpegFrameHeader candidate;
        if (!MpegFrameHeader::Parse(WordAt(0), candidate)) {
            ++m_position;
            ++m_skipped;
            continue;
        }
        const bool direct = m_locked && candidate.SameStream(m_stream);
        const int frameSize = FrameSize(candidate, direct);
        if (m_starved) {
            return Status::kNeedInput;
        }
        const int minimum =
            4 + (candidate.crc ? 2 : 0) + (candidate.layer == 3 ? candidate.SideInfoBytes() : 0);
        bool whole = frameSize > minimum && Fill(static_cast<std::size_t>(frameSize));
        if (whole && !direct) {
            whole = Confirmed(candidate, frameSize);
        }
        if (m_starved) {
            return Status::kNeedInput;
        }
        if (!whole) {
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
        return Status::kFrame;
    }
}
