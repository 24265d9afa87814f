#pragma once

// The choices of the Export Script and Import Script dialogs.
struct ScriptExportOptions {
    bool original = false; // the Original Texts instead of the transcriptions
    bool dataFile = false; // the vocabulary data-file layout (.wkf) instead of a script
    bool date = false;     // a date line first
    bool unicode = false;  // UTF-16LE with a byte-order mark instead of the narrow encoding
};

struct ScriptImportOptions {
    bool original = false; // fill the Original Texts instead of the transcriptions
    bool delimiter = true; // texts end at "//" instead of at line ends
};
