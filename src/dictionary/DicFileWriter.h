#pragma once

#include "dictionary/DicDataFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One entry to write: its key (lower case, at most 99 bytes) and its fields.
struct DicSourceEntry {
    std::string key;
    DicEntryData data;
};

// Writes a dictionary: the data file with the entries one after another, and the index, a
// B-tree packed bottom-up from the keys in byte order (entries with equal keys keep their
// order) with the root block at offset 0.
class DicFileWriter {
public:
    struct Options {
        // Places the nodes after the root in a random order of this seed (for tests of
        // readers that must follow the child offsets wherever they lead).
        std::optional<std::uint32_t> shuffleSeed;
    };

    // An error text, empty on success.
    static std::string Write(std::vector<DicSourceEntry> entries, const std::string& indexPath,
                             const std::string& dataPath, const Options& options);
};
