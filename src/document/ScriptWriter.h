#pragma once

#include "document/ScriptOptions.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <vector>

class CEarlarkWaveSection;

// Text scripts written from a study: one text per sentence, in the order given.
namespace script_writer {

// "* Written at MM/DD/YY HH:MM:SS  " for a local time; the first text follows on its line.
std::u16string DateLine(const std::tm& localTime);

// The whole file: the date line (when not empty), then every sentence's chosen text as a
// script ("text//" CR LF, carriage returns written as backslash-r) or as a data file (text,
// list position, start and end, each followed by LF, and one more LF); UTF-16LE after FF FE
// with the unicode option, else UTF-8.
std::vector<std::uint8_t> Build(std::span<const CEarlarkWaveSection* const> sentences,
                                const ScriptExportOptions& options, const std::u16string& dateLine);

} // namespace script_writer
