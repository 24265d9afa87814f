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
//
// The bytes come either from a read function (pulled as needed) or are handed over with
// Push as they arrive. A pushed stream is only judged on bytes that are there: when the
// next decision needs bytes that have not arrived, Read says so and leaves its state as it
// was, so the frames found are the same however the stream is cut into pieces.
class MpegFrameReader {
public:
    // Reads up to `size` bytes; returns the count read, 0 at the end of the input.
    using ReadFunction = std::function<std::size_t(std::uint8_t* buffer, std::size_t size)>;

    enum class Status { kFrame, kNeedInput, kEnd };

    // A reader that pulls its bytes through `read`.
    explicit MpegFrameReader(ReadFunction read);
    // A reader that is handed its bytes with Push and told the end with EndInput.
    MpegFrameReader();

    // Next complete frame. `frame` stays valid until the next call of Read, Next or Push.
    // kNeedInput only for a pushed stream whose end has not been given.
    Status Read(MpegFrameHeader& header, const std::uint8_t*& frame, int& size);
    // Next complete frame, false at the end of the input (or when more must be pushed).
    bool Next(MpegFrameHeader& header, const std::uint8_t*& frame, int& size) {
        return Read(header, frame, size) == Status::kFrame;
    }
    // Appends bytes to a pushed stream; bytes pushed after EndInput continue the stream.
    void Push(const std::uint8_t* bytes, std::size_t count);
    // No more bytes follow the pushed ones (until another Push).
    void EndInput() { m_pushEnded = true; }
    // Drops the lock on the stream, so the next frame is confirmed again.
    void Unlock() { m_locked = false; }
    std::uint64_t SkippedBytes() const { return m_skipped; }

private:
    bool Fill(std::size_t need);
    void Compact();
    void DiscardPending();
    bool SkipTag();
    int FrameSize(const MpegFrameHeader& header, bool direct);
    bool Confirmed(const MpegFrameHeader& header, int size);
    std::uint32_t WordAt(std::size_t offset) const;

    ReadFunction m_read; // empty for a pushed stream
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;        // a pulled stream's read gave nothing
    bool m_pushEnded = false;    // a pushed stream was told its end
    bool m_starved = false;      // the last Fill needed bytes that were not pushed yet
    std::uint64_t m_discard = 0; // bytes of a skipped tag still to drop
    bool m_locked = false;
    MpegFrameHeader m_stream;
    int m_freeFormatBytes = 0;
    std::uint64_t m_bufferStart = 0; // stream offset of m_buffer[0]
    std::uint32_t m_freeScanMask = 0;
    std::uint64_t m_freeScanEnd = 0; // stream offset up to which no match was found
    std::uint64_t m_skipped = 0;
};
