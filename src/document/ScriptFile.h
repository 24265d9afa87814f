#pragma once

#include "document/ScriptOptions.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>

class CEarlarkWaveSection;
class CEarlarkWaveSectionArray;

// Export and import of text scripts as files; the Export Script and Import Script commands
// and earlark-tool run these.
namespace script_file {

inline constexpr const char* kCannotReadOrWrite = "Cannot import/export a text file.";

// Writes the sentences' texts to path (created or truncated); the date line, when chosen,
// shows localTime. False when the file cannot be written.
bool Export(const std::string& path, std::span<const CEarlarkWaveSection* const> sentences,
            const ScriptExportOptions& options, const std::tm& localTime);

// Reads the script at path into the sentences' texts (narrow files not in UTF-8 are read in
// the code page of charSet). False, changing nothing, when the file cannot be read.
bool Import(const std::string& path, CEarlarkWaveSectionArray& sentences, std::uint8_t charSet,
            const ScriptImportOptions& options);

// The local time now, for the date line.
std::tm LocalTimeNow();

} // namespace script_file
