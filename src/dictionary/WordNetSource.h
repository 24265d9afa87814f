#pragma once

#include "dictionary/DicFileWriter.h"

#include <string>
#include <vector>

// Dictionary entries from the WordNet database (data.noun, data.verb, data.adj, data.adv):
// one entry per headword, with the parts of speech of its synsets and, grouped by part of
// speech, the definitions of their glosses (the quoted examples left out); and from the
// exception lists (noun.exc, ...), irregular forms such as "went" that point to their base.
class WordNetSource {
public:
    // The entries of the database in a folder; false with an error text on failure.
    static bool Read(const std::string& folder, std::vector<DicSourceEntry>& entries,
                     std::string& error);
};
