#pragma once

#include "dictionary/DicNode.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>

// The node buffers that every open index shares: eight nodes, each tagged with the index
// it came from and its file offset. A miss loads into the buffer after the one used last,
// in a ring. Nothing writes to an index, so a buffer never needs writing back.
class DicNodeCache {
public:
    static constexpr int kSlots = 8;
    // Fills a buffer with the node's bytes and returns how many it read (0 on failure).
    using Loader = std::function<std::size_t(std::span<std::uint8_t>)>;

    // The process-wide cache.
    static DicNodeCache& Shared();

    // The bytes of a node, loaded on a miss; empty when the loader fails.
    std::span<const std::uint8_t> Fetch(int indexId, std::uint32_t offset, const Loader& load);
    // Drops every buffer of one index (it was closed; its id is not used again).
    void Forget(int indexId);
    void Clear();

private:
    struct Slot {
        int indexId = -1;
        std::uint32_t offset = 0;
        std::size_t length = 0;
        std::array<std::uint8_t, DicNode::kNodeSize> bytes{};
    };

    std::array<Slot, kSlots> m_slots;
    int m_last = kSlots - 1;
};
