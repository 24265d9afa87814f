#pragma once

#include <cstdint>

class CEarlarkMainView;
class CommandMap;

// Requests that play one fragment or one range rather than the sentence with its
// repetitions: play once (F9), the boundary previews of the editing commands, the whole
// recording (Shift+F5), a sentence group, and the sentence's attached clip.
class FragmentCommands {
public:
    enum Type { kOnce = 0, kStartPreview = 1, kEndPreview = 2, kWholeRecording = 3, kGroup = 4 };

    explicit FragmentCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void PlayFragment(int type);
    // Button 1202: the current sentence's attached clip, once.
    void PlayClip();
    // Auto-play at the end of a range: the group or the whole recording again.
    void RestartRange();

private:
    struct Range {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        std::uint32_t repetitions = 1;
        std::uint32_t interval = 0;
    };

    // A single-fragment request during range play ends the range play and nothing else.
    void EndRangePlay();
    Range StartPreview();
    Range EndPreview();
    Range WholeRecording();
    Range Group();
    void StartFragment(int type);
    void PlayOneItem(Range range);
    // 0.3 seconds of the recording in bytes.
    std::uint32_t ShortSpan() const;
    std::uint32_t LastDataByte() const;

    CEarlarkMainView& m_view;
};
