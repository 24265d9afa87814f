#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One node of the dictionary's B-tree, copied out of the file and checked: a header of the
// node's own offset, the bytes used by entries and the leftmost child, then entries of
// child offset, value and zero-terminated key, in ascending key order. Entry i's child
// holds the keys between entry i and entry i + 1; the leftmost child those below entry 0.
class DicNode {
public:
    static constexpr std::size_t kNodeSize = 1024;
    // The root block at offset 0 is 8 bytes longer than the other nodes.
    static constexpr std::size_t kRootSize = 1032;
    static constexpr std::size_t kHeaderSize = 12;
    static constexpr std::size_t kEntryOverhead = 9;
    static constexpr std::int32_t kNoChild = -1;

    // Takes the bytes found at a node's place (fewer than a whole node where the file ends)
    // and the node's capacity. False when the header or any entry does not fit, a key has
    // no terminator or a child offset is negative other than "no child".
    bool Parse(std::span<const std::uint8_t> bytes, std::size_t capacity);

    int Count() const { return m_count; }
    std::int32_t LeftChild() const { return m_leftChild; }
    std::int32_t Child(int i) const { return m_entries[i].child; }
    std::uint32_t Value(int i) const { return m_entries[i].value; }
    std::string_view Key(int i) const;
    // The subtree after entry pos; pos -1 stands for the place before the first entry.
    std::int32_t ChildAfter(int pos) const { return pos < 0 ? m_leftChild : Child(pos); }

private:
    struct Entry {
        std::int32_t child;
        std::uint32_t value;
        std::uint16_t keyOffset;
        std::uint16_t keyLength;
    };
    static constexpr std::size_t kMaxEntries = (kRootSize - kHeaderSize) / kEntryOverhead;

    std::array<std::uint8_t, kRootSize> m_bytes{};
    std::array<Entry, kMaxEntries> m_entries{};
    int m_count = 0;
    std::int32_t m_leftChild = kNoChild;
};
