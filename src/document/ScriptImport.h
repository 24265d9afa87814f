#pragma once

#include "document/ScriptOptions.h"

class CEarlarkWaveSectionArray;
class ScriptReader;

// Distributes the texts of a script over the sentences in array order: each text replaces
// the chosen text of the next sentence. Without the delimiter every read is one text; with
// it, reads are joined (with no separator) until a "//" appears, and what follows the "//"
// in that read is dropped. Backslash-r becomes a carriage return. Returns the number of
// sentences whose text was replaced; the others are left as they were.
int ImportScriptTexts(ScriptReader& reader, CEarlarkWaveSectionArray& sentences,
                      const ScriptImportOptions& options);
