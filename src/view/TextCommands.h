#pragma once

#include "document/CEarlarkWaveSection.h"

#include <string>

class CEarlarkMainView;
class CommandMap;
class TextBoxPort;

// Commands on the sentences' texts: resetting the transcriptions, copying between the
// transcription and the Original Text, and moving the text after the caret on to the next
// sentence.
class TextCommands {
public:
    explicit TextCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void ResetListenWrite();
    void CopyOriginal();
    void CopyToOriginal();
    void MoveRest();

private:
    // A current sentence outside range play: what the copy commands need.
    bool CopyAllowed();
    bool CopyText(std::u16string CEarlarkWaveSection::*from,
                  std::u16string CEarlarkWaveSection::*to, TextBoxPort& box, const char* question);

    CEarlarkMainView& m_view;
};
