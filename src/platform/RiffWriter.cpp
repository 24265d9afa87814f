#include "platform/RiffWriter.h"

#include "platform/RiffChunk.h"

namespace {

constexpr std::size_t kBufferBytes = 256 * 1024;
constexpr std::uint64_t kMaxChunkSize = 0xFFFFFFFEu; // leaves room for a pad byte

void StoreLe32(unsigned char* p, std::uint32_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

} // namespace

RiffWriter::~RiffWriter() {
    Close();
}

bool RiffWriter::Create(const std::string& path) {
    Close();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) {
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, kBufferBytes);
    m_position = 0;
    m_open.clear();
    m_failed = false;
    return true;
}

bool RiffWriter::CreateChunk(std::uint32_t id, std::uint32_t formType) {
    if (!m_file || m_failed) {
        return false;
    }
    unsigned char header[12];
    StoreLe32(header, id);
    StoreLe32(header + 4, 0);
    std::size_t length = 8;
    if (id == kRiffId || id == kListId) {
        StoreLe32(header + 8, formType);
        length = 12;
    }
    std::uint64_t sizeOffset = m_position + 4;
    if (!WriteRaw(header, length)) {
        return false;
    }
    m_open.push_back(sizeOffset);
    return true;
}

bool RiffWriter::Write(const void* bytes, std::size_t count) {
    if (!m_file || m_failed || m_open.empty()) {
        return false;
    }
    // The outermost chunk holds everything, so it is the one that overflows first.
    std::uint64_t outerStart = m_open.front() + 4;
    if (m_position + count - outerStart > kMaxChunkSize) {
        m_failed = true;
        return false;
    }
    return WriteRaw(bytes, count);
}

bool RiffWriter::Ascend() {
    if (!m_file || m_open.empty()) {
        return false;
    }
    std::uint64_t sizeOffset = m_open.back();
    m_open.pop_back();
    std::uint64_t size = m_position - (sizeOffset + 4);
    if (size & 1u) {
        const unsigned char pad = 0;
        WriteRaw(&pad, 1);
    }
    return PatchSize(sizeOffset, static_cast<std::uint32_t>(size)) && !m_failed;
}

bool RiffWriter::Close() {
    if (!m_file) {
        return false;
    }
    while (!m_open.empty()) {
        Ascend();
    }
    if (std::fclose(m_file) != 0) {
        m_failed = true;
    }
    m_file = nullptr;
    return !m_failed;
}

bool RiffWriter::WriteRaw(const void* bytes, std::size_t count) {
    if (count == 0) {
        return !m_failed;
    }
    std::size_t n = std::fwrite(bytes, 1, count, m_file);
    m_position += n;
    if (n != count) {
        m_failed = true;
    }
    return !m_failed;
}

// Writes a size field in place and returns to the end of the file.
bool RiffWriter::PatchSize(std::uint64_t sizeOffset, std::uint32_t size) {
    unsigned char field[4];
    StoreLe32(field, size);
    return WriteAt(sizeOffset, field, 4);
}

bool RiffWriter::Overwrite(std::uint64_t offset, const void* bytes, std::size_t count) {
    if (!m_file || m_failed || offset > m_position || count > m_position - offset) {
        return false;
    }
    return WriteAt(offset, bytes, count);
}

bool RiffWriter::WriteAt(std::uint64_t offset, const void* bytes, std::size_t count) {
    if (::fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) != 0 ||
        std::fwrite(bytes, 1, count, m_file) != count ||
        ::fseeko(m_file, static_cast<off_t>(m_position), SEEK_SET) != 0) {
        m_failed = true;
        return false;
    }
    return true;
}
