#pragma once

#include "audio/PlayItem.h"
#include "export/Mp3ExportOptions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CEarlarkWaveSection;
class Prompts;

// The export list of the dialog's choices: the play items to render, in order, and for the
// one-file-per-sentence choice the file of each item.
class Mp3ExportList {
public:
    // The pause after a pass of start..end for an interval value: proportional, the
    // sentence's length times value / 2; otherwise value tenths of a second.
    using PauseRule = std::function<std::uint32_t(std::uint32_t start, std::uint32_t end, int value,
                                                  bool proportional)>;

    // The study's settings used by the current-settings choice.
    struct Study {
        int repeat = 3;
        int speed = 100;
        int interval = 3;
        bool listenSpeak = false;
        // Lead-in and tail added to every sentence, in bytes, within the data.
        std::uint32_t padding = 0;
        std::uint32_t dataSize = 0;
    };

    Mp3ExportList(PauseRule pause, Prompts& prompts);

    // Builds the list from the sentences in list order (a null entry is skipped). folder
    // holds the per-sentence files. A bad range shows its message; the learner's No to the
    // name question fails without one. On failure both lists are empty.
    bool Build(const std::vector<const CEarlarkWaveSection*>& sentences,
               const Mp3ExportOptions& options, const Study& study, const std::string& folder);

    const std::vector<PlayItem>& Items() const { return m_items; }
    const std::vector<std::string>& Files() const { return m_files; }

private:
    bool AddSentence(const CEarlarkWaveSection& sentence, int position,
                     const Mp3ExportOptions& options, const Study& study,
                     const std::string& folder);
    void AddItem(const CEarlarkWaveSection& sentence, const Study& study, int rate,
                 std::uint32_t repetitions, int value, bool proportional);
    bool AddFile(const CEarlarkWaveSection& sentence, int position, const std::string& folder);
    bool Fail();

    PauseRule m_pause;
    Prompts& m_prompts;
    std::vector<PlayItem> m_items;
    std::vector<std::string> m_files;
};
