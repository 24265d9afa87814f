#pragma once

#include "import/MpegFrameHeader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Finds MPEG audio frames in a byte stream: skips ID3v2 tags by their size and any other
// bytes that do not start a frame. Until the stream is locked, a header is only believed
// when the next frame's header follows it (or a trailing tag, or the end of the input);
// while locked, frames of the same stream follow one another directly. Free-format frame
// lengths are measured from the distance to the next header.
class MpegFrameReader {
public:
    // Reads up to `size` bytes; returns the count read, 0 at the end of the input.
    using ReadFunction = std::function<std::size_t(std::uint8_t* buffer, std::size_t size)>;

    explicit MpegFrameReader(ReadFunction read);

    // Next complete frame, false at the end of the input. `frame` stays valid until the
    // next call.
    bool Next(MpegFrameHeader& header, const std::uint8_t*& frame, int& size);
    // Drops the lock on the stream, so the next frame is confirmed again.
    void Unlock() { m_locked = false; }
    std::uint64_t SkippedBytes() const { return m_skipped; }

private:
    bool Fill(std::size_t need);
    void Discard(std::uint64_t count);
    bool SkipTag();
    int FrameSize(const MpegFrameHeader& header, bool direct);
    bool Confirmed(const MpegFrameHeader& header, int size);
    std::uint32_t WordAt(std::size_t offset) const;

    ReadFunction m_read;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_locked = false;
    MpegFrameHeader m_stream;
    int m_freeFormatBytes = 0;
    std::uint64_t m_bufferStart = 0; // stream offset of m_buffer[0]
    std::uint32_t m_freeScanMask = 0;
    std::uint64_t m_freeScanEnd = 0; // stream offset up to which no match was found
    std::uint64_t m_skipped = 0;
};
