#pragma once

#include "dictionary/DicFileWriter.h"
#include "support/TempDir.h"

#include <string>
#include <tuple>
#include <vector>

// Writes dictionaries into a temporary folder: through the writer, or node by node for
// files that the writer would never make.
struct DictionaryFiles {
    TempDir dir;
    std::string index = dir.Path("test.idx");
    std::string data = dir.Path("test.dat");

    // Entries whose headword is the key and whose meaning is the given text.
    void Write(const std::vector<std::pair<std::string, std::string>>& words,
               DicFileWriter::Options options = {});
};

// One index entry: child offset, value, key.
using NodeEntry = std::tuple<std::int32_t, std::uint32_t, std::string>;

// The bytes of a node (size 1,024, or 1,032 for the root block).
std::string NodeBytes(std::int32_t own, std::int32_t leftChild,
                      const std::vector<NodeEntry>& entries, std::size_t size = 1024);

// A data file entry with four narrow strings.
std::string EntryBytes(std::uint32_t partOfSpeech, const std::string& headword,
                       const std::string& meaning);

void WriteFile(const std::string& path, const std::string& bytes);
