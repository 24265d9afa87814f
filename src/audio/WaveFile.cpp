#include "audio/WaveFile.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unistd.h>

namespace {

constexpr std::uint64_t kHeaderBytes = 8;
// A "fmt " chunk is read as at least 18 bytes: the PCM record plus the extra-size field.
constexpr std::uint32_t kFormatReadBytes = 18;
constexpr std::uint32_t kFormatRecordBytes = 16;

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool IsId(const std::array<char, 4>& id, const char* text) {
    return std::memcmp(id.data(), text, 4) == 0;
}

WaveFormat DecodeFormat(const std::uint8_t* p) {
    WaveFormat format;
    format.formatTag = Le16(p);
    format.channels = Le16(p + 2);
    format.samplesPerSec = Le32(p + 4);
    format.avgBytesPerSec = Le32(p + 8);
    format.blockAlign = Le16(p + 12);
    format.bitsPerSample = Le16(p + 14);
    return format;
}

// A PCM record the player can step through frame by frame without dividing by zero.
bool IsSoundPcmRecord(const WaveFormat& format) {
    return format.channels != 0 && format.samplesPerSec != 0 && format.avgBytesPerSec != 0 &&
           format.blockAlign != 0 &&
           format.blockAlign * 8u == static_cast<unsigned>(format.channels) * format.bitsPerSample;
}

} // namespace

int WaveFile::Open(const std::string& path) {
    Close();
    m_format = WaveFormat{};
    m_hasFormat = false;
    m_dataOffset = 0;
    m_dataSize = 0;
    m_fact = {};
    m_file = std::fopen(path.c_str(), "rb");
    if (m_file == nullptr) {
        return kUnreadable;
    }
    long size = std::fseek(m_file, 0, SEEK_END) == 0 ? std::ftell(m_file) : -1;
    m_fileSize = size < 0 ? 0 : static_cast<std::uint64_t>(size);
    int result = WalkChunks();
    if (result != kPcm) {
        Close();
    }
    return result;
}

void WaveFile::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool WaveFile::ReadAt(std::uint64_t offset, void* out, std::size_t count) {
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<long>::max()) ||
        std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0) {
        return false;
    }
    return std::fread(out, 1, count, m_file) == count;
}

bool WaveFile::ReadHeader(std::uint64_t offset, ChunkHeader& header) {
    std::uint8_t bytes[kHeaderBytes];
    if (offset + kHeaderBytes > m_fileSize || !ReadAt(offset, bytes, sizeof bytes)) {
        return false;
    }
    std::memcpy(header.id.data(), bytes, 4);
    header.size = Le32(bytes + 4);
    return true;
}

// Finds the first top-level RIFF chunk of form "WAVE"; begin is its first sub-chunk, end the
// end of its contents (never beyond the file).
bool WaveFile::FindWaveForm(std::uint64_t& begin, std::uint64_t& end) {
    std::uint64_t at = 0;
    ChunkHeader chunk;
    while (ReadHeader(at, chunk)) {
        char form[4] = {};
        if (IsId(chunk.id, "RIFF") && chunk.size >= 4 && ReadAt(at + kHeaderBytes, form, 4) &&
            std::memcmp(form, "WAVE", 4) == 0) {
            begin = at + kHeaderBytes + 4;
            end = std::min(at + kHeaderBytes + chunk.size, m_fileSize);
            return true;
        }
        at += kHeaderBytes + chunk.size + (chunk.size & 1u);
    }
    return false;
}

int WaveFile::WalkChunks() {
    std::uint64_t at = 0;
    std::uint64_t end = 0;
    if (!FindWaveForm(at, end)) {
        return kUnreadable;
    }
    ChunkHeader chunk;
    while (at + kHeaderBytes <= end && ReadHeader(at, chunk)) {
        const std::uint64_t contents = at + kHeaderBytes;
        // A chunk that claims more bytes than the file holds is a damaged file; the pad byte
        // after an odd-sized last chunk may be missing.
        if (contents + chunk.size > m_fileSize) {
            return kUnreadable;
        }
        if (IsId(chunk.id, "fmt ")) {
            int result = ReadFormatChunk(chunk, contents);
            if (result != kPcm) {
                return result;
            }
        } else if (IsId(chunk.id, "data")) {
            if (contents > std::numeric_limits<std::uint32_t>::max()) {
                return kUnreadable;
            }
            m_dataOffset = static_cast<std::uint32_t>(contents);
            m_dataSize = chunk.size;
        } else if (IsId(chunk.id, "fact")) {
            if (!ReadAt(contents, m_fact.data(), m_fact.size())) {
                return kUnreadable;
            }
        }
        at = contents + chunk.size + (chunk.size & 1u);
    }
    // Fewer than eight bytes left inside the form: a chunk header cut off.
    if (at < end) {
        return kUnreadable;
    }
    return m_hasFormat ? kPcm : kUnreadable;
}

// Reads max(size, 18) bytes, as the format record of a PCM file is followed by the size of
// its (absent) extra bytes. Only 8- and 16-bit samples play as they are: wider PCM needs the
// same conversion as compressed audio.
int WaveFile::ReadFormatChunk(const ChunkHeader& chunk, std::uint64_t contents) {
    const std::uint32_t count = std::max(chunk.size, kFormatReadBytes);
    std::uint8_t head[kFormatReadBytes];
    if (contents + count > m_fileSize || !ReadAt(contents, head, sizeof head)) {
        return kUnreadable;
    }
    WaveFormat format = DecodeFormat(head);
    m_format = format;
    m_hasFormat = true;
    if (format.formatTag != WaveFormat::kPcm) {
        return kNeedsConversion;
    }
    if (chunk.size < kFormatRecordBytes) {
        return kUnreadable;
    }
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
        bool wholeBytes = format.bitsPerSample % 8 == 0 && format.bitsPerSample != 0;
        return wholeBytes && IsSoundPcmRecord(format) ? kNeedsConversion : kUnreadable;
    }
    return IsSoundPcmRecord(format) ? kPcm : kUnreadable;
}

std::size_t WaveFile::ReadData(std::uint64_t position, std::uint8_t* out, std::size_t count) {
    if (m_file == nullptr || position >= m_dataSize) {
        return 0;
    }
    // Reads stop at the end of the data chunk: what follows it is not sound.
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_dataSize - position));
    // Straight from the file at the offset, without the stream's buffer: the silence search
    // reads every byte of a recording once, and a buffered read would copy it twice.
    const int fd = fileno(m_file);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n =
            pread(fd, out + got, count - got, static_cast<off_t>(m_dataOffset + position + got));
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    return got;
}
