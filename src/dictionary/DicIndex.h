#pragma once

#include "dictionary/DicNode.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

// The entry a search reached: child offset, value (bit 31 a flag, bits 0-30 the entry's
// position in the data file) and key.
struct DicKeyEntry {
    std::int32_t child = DicNode::kNoChild;
    std::uint32_t value = 0;
    std::string key;
};

// A dictionary index file: a disk B-tree of 1,024-byte nodes under a root block at offset 0,
// read through the shared node cache. Searches keep a path of up to eight levels, which is
// also where stepping goes on from. A damaged file never leads outside the file or into a
// loop: every node is checked as it is read, and a path deeper than eight levels (which is
// what a cycle of child offsets becomes) ends the search as if nothing were there.
class DicIndex {
public:
    static constexpr int kMaxLevels = 8;
    static constexpr int kFound = 1;
    static constexpr int kEnd = -2;

    // The search path and key buffer, saved around a step that may fail.
    struct State {
        struct Level {
            std::int32_t node = 0;
            int pos = -1;
        };
        std::array<Level, kMaxLevels> path{};
        int level = -1;
        bool atEntry = false;
        DicKeyEntry entry;
    };

    DicIndex();
    ~DicIndex();
    DicIndex(const DicIndex&) = delete;
    DicIndex& operator=(const DicIndex&) = delete;

    // Opens the file and reads its root block; false when it cannot be read or the root is
    // damaged.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // The first entry whose key equals the key; false when there is none.
    bool ExactSearch(std::string_view key);
    // kFound for an exact match, 0 when the first greater key was reached instead, kEnd
    // when no key is at or after it.
    int NearestSearch(std::string_view key);
    // The next or previous entry in key order from the one reached last; kEnd at either end
    // (the state is then undefined: Step saves and restores it).
    int Successor();
    int Predecessor();

    // The entry the last successful search or step reached.
    const DicKeyEntry& Current() const { return m_state.entry; }
    bool AtEntry() const { return m_state.atEntry; }
    const State& SaveState() const { return m_state; }
    void RestoreState(const State& state) { m_state = state; }

private:
    bool LoadNode(std::int32_t offset, DicNode& node);
    bool Descend(std::int32_t child, bool rightmost, DicNode& node);
    int TakeEntry(const DicNode& node);
    int Fail();

    std::FILE* m_file = nullptr;
    std::uint64_t m_fileSize = 0;
    int m_id;
    DicNode m_root;
    State m_state;
};
