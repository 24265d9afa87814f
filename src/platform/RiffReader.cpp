#include "platform/RiffReader.h"

#include <algorithm>

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

std::uint32_t LoadLe32(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

RiffReader::~RiffReader() {
    Close();
}

bool RiffReader::Open(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file) {
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, kBufferBytes);
    if (::fseeko(m_file, 0, SEEK_END) != 0) {
        Close();
        return false;
    }
    off_t size = ::ftello(m_file);
    if (size < 0 || ::fseeko(m_file, 0, SEEK_SET) != 0) {
        Close();
        return false;
    }
    m_fileSize = static_cast<std::uint64_t>(size);
    m_position = 0;
    return true;
}

void RiffReader::Close() {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_fileSize = 0;
    m_position = 0;
}

bool RiffReader::FindForm(std::uint32_t formType, RiffChunk* form) {
    if (!m_file || !Seek(0)) {
        return false;
    }
    RiffChunk chunk;
    while (ReadHeader(m_fileSize, &chunk)) {
        if (chunk.id == kRiffId && chunk.formType == formType) {
            *form = chunk;
            return Seek(chunk.dataOffset);
        }
        if (!Seek(chunk.end)) {
            return false;
        }
    }
    return false;
}

bool RiffReader::Descend(const RiffChunk& parent, RiffChunk* chunk, std::uint32_t id) {
    if (!m_file) {
        return false;
    }
    std::uint64_t parentEnd = parent.dataOffset + parent.available;
    if (m_position < parent.dataOffset && !Seek(parent.dataOffset)) {
        return false;
    }
    RiffChunk found;
    while (ReadHeader(parentEnd, &found)) {
        if (id == 0 || found.id == id) {
            *chunk = found;
            return Seek(found.dataOffset);
        }
        if (!Seek(found.end)) {
            return false;
        }
    }
    return false;
}

// Reads the chunk header at the current position, within [position, parentEnd).
bool RiffReader::ReadHeader(std::uint64_t parentEnd, RiffChunk* chunk) {
    parentEnd = std::min(parentEnd, m_fileSize);
    if (m_position > parentEnd || parentEnd - m_position < 8) {
        return false;
    }
    unsigned char header[8];
    if (Read(header, 8) != 8) {
        return false;
    }
    RiffChunk c;
    c.id = LoadLe32(header);
    c.size = LoadLe32(header + 4);
    c.dataOffset = m_position;
    std::uint64_t room = parentEnd - c.dataOffset;
    c.available = std::min<std::uint64_t>(c.size, room);
    c.end = std::min<std::uint64_t>(c.dataOffset + c.size + (c.size & 1u), parentEnd);
    if (c.IsForm()) {
        unsigned char type[4];
        if (c.available < 4 || Read(type, 4) != 4) {
            return false;
        }
        c.formType = LoadLe32(type);
        c.dataOffset += 4;
        c.available -= 4;
    }
    *chunk = c;
    return true;
}

std::size_t RiffReader::Read(void* buffer, std::size_t bytes) {
    if (!m_file || bytes == 0) {
        return 0;
    }
    std::size_t n = std::fread(buffer, 1, bytes, m_file);
    m_position += n;
    return n;
}

std::size_t RiffReader::ReadContents(const RiffChunk& chunk, void* buffer, std::size_t bytes) {
    if (!Seek(chunk.dataOffset)) {
        return 0;
    }
    return Read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(bytes, chunk.available)));
}

bool RiffReader::Seek(std::uint64_t offset) {
    if (!m_file || offset > m_fileSize) {
        return false;
    }
    if (offset == m_position) {
        return true;
    }
    if (::fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) != 0) {
        return false;
    }
    m_position = offset;
    return true;
}
