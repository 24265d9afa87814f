#pragma once

#include "dictionary/DicFileWriter.h"

#include <string>
#include <vector>

// Dictionary entries from a dictd dictionary: BASE.index (headword, offset and length in
// dictd's base-64 digits, tab-separated) and the text in BASE.dict.dz (gzip or dictzip) or
// BASE.dict. Every index line becomes one entry, so a headword may occur several times;
// the dictionary's own "00-database-..." records are left out.
class DictdSource {
public:
    static bool Read(const std::string& base, std::vector<DicSourceEntry>& entries,
                     std::string& error);

    // A number in dictd's base-64 digits (A-Z, a-z, 0-9, +, /, most significant first);
    // false for an empty or invalid one or one beyond 32 bits.
    static bool DecodeNumber(std::string_view digits, std::uint32_t& value);
};
