#pragma once

#include <string>

class CEarlarkMainView;
class CommandMap;

// Subtitle and lyrics files (SRT, WebVTT, LRC): importing one replaces the study's
// sentences by its cues, with their texts as Original Text; exporting writes the listed
// sentences' times and transcriptions in the format the file name asks for.
class SubtitleCommands {
public:
    explicit SubtitleCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void Import();
    void Export();

    // The question asked before the cues replace the sentences.
    static std::string ReplaceQuestion(int cues, int sentences);

private:
    // Stops playback, opens the audio and commits the boxes; false when there is no audio.
    bool Prepare();

    CEarlarkMainView& m_view;
};
