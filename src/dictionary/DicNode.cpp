#include "dictionary/DicNode.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t ReadUInt32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool ValidChild(std::int32_t child) {
    return child >= 0 || child == DicNode::kNoChild;
}

} // namespace

bool DicNode::Parse(std::span<const std::uint8_t> bytes, std::size_t capacity) {
    m_count = 0;
    const std::size_t size = std::min({bytes.size(), capacity, m_bytes.size()});
    if (size < kHeaderSize) {
        return false;
    }
    std::copy_n(bytes.begin(), size, m_bytes.begin());
    const std::uint32_t used = ReadUInt32(&m_bytes[4]);
    m_leftChild = static_cast<std::int32_t>(ReadUInt32(&m_bytes[8]));
    if (used > size - kHeaderSize || !ValidChild(m_leftChild)) {
        return false;
    }
    const std::size_t end = kHeaderSize + used;
    std::size_t pos = kHeaderSize;
    while (pos < end) {
        if (end - pos < kEntryOverhead) {
            return false;
        }
        const std::uint8_t* key = &m_bytes[pos + 8];
        const void* nul = std::memchr(key, 0, end - pos - 8);
        if (nul == nullptr) {
            return false;
        }
        Entry& entry = m_entries[m_count];
        entry.child = static_cast<std::int32_t>(ReadUInt32(&m_bytes[pos]));
        entry.value = ReadUInt32(&m_bytes[pos + 4]);
        entry.keyOffset = static_cast<std::uint16_t>(pos + 8);
        entry.keyLength = static_cast<std::uint16_t>(static_cast<const std::uint8_t*>(nul) - key);
        if (!ValidChild(entry.child)) {
            return false;
        }
        ++m_count;
        pos += kEntryOverhead + entry.keyLength;
    }
    return true;
}

std::string_view DicNode::Key(int i) const {
    const Entry& entry = m_entries[i];
    return {reinterpret_cast<const char*>(&m_bytes[entry.keyOffset]), entry.keyLength};
}
