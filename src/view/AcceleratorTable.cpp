#include "view/AcceleratorTable.h"

#include "view/ViewCommandIds.h"

#include <array>

namespace {

constexpr std::array kAccelerators{
    Accelerator{"F5", cmd::kPlay, "Play the current sentence"},
    Accelerator{"F6", cmd::kPause, "Pause / resume"},
    Accelerator{"Ctrl+F6", cmd::kStop, "Stop"},
    Accelerator{"F7", cmd::kPrevious, "Previous sentence"},
    Accelerator{"Shift+Enter", cmd::kPrevious, "Previous sentence"},
    Accelerator{"F8", cmd::kNext, "Next sentence"},
    Accelerator{"Ctrl+F7", cmd::kFirst, "First sentence"},
    Accelerator{"Ctrl+F8", cmd::kLast, "Last sentence"},
    Accelerator{"Enter", cmd::kEnter, "Next sentence, or check the transcription in Compare Mode"},
    Accelerator{"Alt+Enter", cmd::kCheck, "Check the transcription"},
    Accelerator{"F9", cmd::kPlayOnce, "Play the current sentence once"},
    Accelerator{"Shift+F5", cmd::kPlayWhole, "Play the whole recording (or the group again)"},
    Accelerator{"F10", cmd::kMenu, "Main menu"},
    Accelerator{"F11", cmd::kAutoPlay, "Auto-play on/off"},
    Accelerator{"F2", cmd::kShowOriginal, "Show / hide the Original Text"},
    Accelerator{"Shift+F2", cmd::kCompareMode, "Compare Mode on/off"},
    Accelerator{"Ins", cmd::kHighlight, "Highlight on/off"},
    Accelerator{"Ctrl+Shift+Ins", cmd::kInsert, "Insert a sentence"},
    Accelerator{"Ctrl+Shift+Del", cmd::kDelete, "Delete the sentence"},
    Accelerator{"F3", cmd::kMerge, "Merge with the next sentence"},
    Accelerator{"Shift+F3", cmd::kMergeUp, "Merge with the previous sentence"},
    Accelerator{"F4", cmd::kSplit, "Split the sentence where it plays"},
    Accelerator{"Shift+F4", cmd::kSerialSplit, "Serial split"},
    Accelerator{"F12", cmd::kSerialSplit, "Serial split"},
    Accelerator{"Ctrl+,", cmd::kStartEarlier, "Start earlier by 0.05 s"},
    Accelerator{"Ctrl+.", cmd::kStartLater, "Start later by 0.05 s"},
    Accelerator{"Alt+,", cmd::kEndEarlier, "End earlier by 0.05 s"},
    Accelerator{"Alt+.", cmd::kEndLater, "End later by 0.05 s"},
    Accelerator{"Ctrl+Shift+,", cmd::kStartEarlierMore, "Start earlier by 0.2 s"},
    Accelerator{"Ctrl+Shift+.", cmd::kStartLaterMore, "Start later by 0.2 s"},
    Accelerator{"Alt+Shift+,", cmd::kEndEarlierMore, "End earlier by 0.2 s"},
    Accelerator{"Alt+Shift+.", cmd::kEndLaterMore, "End later by 0.2 s"},
    Accelerator{"Ctrl+L", cmd::kJoinPrevious, "Join the previous sentence's end to this start"},
    Accelerator{"Alt+L", cmd::kJoinNext, "Join the next sentence's start to this end"},
    Accelerator{"Alt+T", cmd::kMergeAll, "Add one sentence for the whole recording"},
    Accelerator{"Alt+Shift+T", cmd::kMergeAllTop,
                "Add one sentence for the whole recording at the top"},
    Accelerator{"Ctrl+]", cmd::kRepeatUp, "More repetitions"},
    Accelerator{"Ctrl+[", cmd::kRepeatDown, "Fewer repetitions"},
    Accelerator{"Ctrl+Shift+]", cmd::kRepeatEndless, "Repeat endlessly"},
    Accelerator{"Alt+]", cmd::kIntervalUp, "Longer pause after each pass"},
    Accelerator{"Alt+[", cmd::kIntervalDown, "Shorter pause after each pass"},
    Accelerator{"Ctrl+Alt+]", cmd::kFaster, "Faster by 5 percent"},
    Accelerator{"Ctrl+Alt+[", cmd::kSlower, "Slower by 5 percent"},
    Accelerator{"Ctrl+2", cmd::kSpeedPresetUp, "Next speed preset"},
    Accelerator{"Ctrl+1", cmd::kSpeedPresetDown, "Previous speed preset"},
    Accelerator{"Ctrl+Up", cmd::kVolumeUp, "Volume up"},
    Accelerator{"Ctrl+Down", cmd::kVolumeDown, "Volume down"},
    Accelerator{"PageUp", cmd::kSeekBack, "Back one second"},
    Accelerator{"PageDown", cmd::kSeekForward, "Forward one second"},
    Accelerator{"Ctrl+G", cmd::kGroupNext, "Group with the next sentence"},
    Accelerator{"Ctrl+Shift+G", cmd::kGroupAll, "Group all sentences"},
    Accelerator{"Ctrl+F", cmd::kGroupSplitLast, "Take the last sentence off the group"},
    Accelerator{"Ctrl+Shift+F", cmd::kGroupDissolve, "Dissolve the group"},
    Accelerator{"Ctrl+U", cmd::kCopyOriginal,
                "Copy the Original Text into the Listen-and-Write box"},
    Accelerator{"Ctrl+Shift+U", cmd::kCopyOriginal, "The same for every listed sentence"},
    Accelerator{"Ctrl+D", cmd::kCopyToOriginal, "Copy the transcription into the Original Text"},
    Accelerator{"Ctrl+Shift+D", cmd::kCopyToOriginal, "The same for every listed sentence"},
    Accelerator{"Ctrl+P", cmd::kMoveRest, "Move the text after the caret to the next sentence"},
    Accelerator{"Ctrl+H", cmd::kHint, "Reveal one more letter of each word"},
    Accelerator{"Ctrl+E", cmd::kOriginalEditMode, "Original Text Editing Mode on/off"},
    Accelerator{"Alt+V", cmd::kShowSentenceBox, "Show / hide the sentence box"},
    Accelerator{"Alt+R", cmd::kListenSpeak, "Listen-and-speak mode on/off"},
    Accelerator{"Alt+F7", cmd::kImportScript, "Import a script"},
    Accelerator{"Alt+F8", cmd::kExportScript, "Export a script"},
    Accelerator{"Ctrl+N", cmd::kImportAudio, "Import an audio file as a new study"},
    Accelerator{"Ctrl+O", cmd::kOpenStudy, "Open a study file"},
    Accelerator{"Ctrl+S", cmd::kSaveButton, "Save the study file"},
    Accelerator{"Ctrl+Shift+S", cmd::kSaveStudyAs, "Save the study file under another name"},
    Accelerator{"Alt+M", cmd::kReplaceAudio, "Replace (or locate) the audio file"},
    Accelerator{"Ctrl+M", cmd::kExportSentenceMp3, "Export the current sentence to an MP3 file"},
    // Bound to a command no window handles: the key does nothing.
    Accelerator{"Ctrl+I", cmd::kUnbound, ""},
};

} // namespace

std::span<const Accelerator> AcceleratorTable::Entries() {
    return kAccelerators;
}

std::optional<int> AcceleratorTable::Find(std::string_view key) {
    for (const Accelerator& entry : kAccelerators) {
        if (entry.key == key) {
            return entry.command;
        }
    }
    return std::nullopt;
}
