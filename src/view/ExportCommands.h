#pragma once

#include "view/StudyDialogPorts.h"

#include <cstdint>
#include <string>
#include <vector>

class CEarlarkMainView;
class CEarlarkWaveSection;
class CommandMap;
class Mp3ExportOptions;

// Export To an MP3 File (32832, the form's button 1012): the export dialog over the listed
// sentences, or the group played while one is active. Export Current Sentence To an MP3
// File (32867, Ctrl+M): the current sentence or the active group into one file.
class ExportCommands {
public:
    explicit ExportCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);
    void SetDialog(Mp3ExportDialogPort* dialog) { m_dialog = dialog; }

    void ExportToFile();
    void ExportCurrentSentence();

private:
    struct SentenceRange {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        std::vector<std::u16string> texts;
    };

    bool Prepare();
    // One click of the dialog's Export button.
    void RunExport(const Mp3ExportOptions& options,
                   const std::vector<const CEarlarkWaveSection*>& sentences);
    bool CurrentRange(SentenceRange& range) const;
    // The learner's sentence padding for this recording, in bytes.
    std::uint32_t PaddingBytes() const;
    FileDialogRequest OutputRequest(int format) const;

    CEarlarkMainView& m_view;
    Mp3ExportDialogPort* m_dialog = nullptr;
};
