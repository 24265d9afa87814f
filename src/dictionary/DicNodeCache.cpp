#include "dictionary/DicNodeCache.h"

DicNodeCache& DicNodeCache::Shared() {
    static DicNodeCache cache;
    return cache;
}

std::span<const std::uint8_t> DicNodeCache::Fetch(int indexId, std::uint32_t offset,
                                                  const Loader& load) {
    for (const Slot& slot : m_slots) {
        if (slot.indexId == indexId && slot.offset == offset) {
            return {slot.bytes.data(), slot.length};
        }
    }
    m_last = (m_last + 1) % kSlots;
    Slot& slot = m_slots[m_last];
    slot.indexId = -1;
    slot.length = load(slot.bytes);
    if (slot.length == 0) {
        return {};
    }
    slot.indexId = indexId;
    slot.offset = offset;
    return {slot.bytes.data(), slot.length};
}

void DicNodeCache::Forget(int indexId) {
    for (Slot& slot : m_slots) {
        if (slot.indexId == indexId) {
            slot.indexId = -1;
        }
    }
}

void DicNodeCache::Clear() {
    for (Slot& slot : m_slots) {
        slot.indexId = -1;
    }
}
