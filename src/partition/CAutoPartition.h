#pragma once

#include "document/CEarlarkWaveSection.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CEarlarkDoc;
class ProgressPort;
class Prompts;
class SettingsStore;

// What the Auto-Partition dialog works on: a working list of sentences (at first copies of
// the study's), the two partition factors and the count shown. The dialog's widgets (or a
// headless session) drive it; only OK, through TakeSentences, reaches the study.
class CAutoPartition {
public:
    static constexpr int kMinSilence = 1;
    static constexpr int kMaxSilence = 40;
    static constexpr int kMinLoudness = 3;
    static constexpr int kMaxLoudness = 30;
    static constexpr int kDefaultSilence = 8;
    static constexpr int kDefaultLoudness = 10;

    // openAudio opens the study's audio in the document's engine (file and device) and
    // reports whether it could.
    CAutoPartition(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts,
                   std::function<bool()> openAudio);

    // Dialog start: copies the study's sentences and reads the factors from the settings.
    void Start();
    // Spin changes: values outside the range are ignored (false).
    bool SetSilence(int quarters);
    bool SetLoudness(int loudness);
    // Default button: 2.00 seconds and 10.
    void Default();
    // Partition button; the progress window is shown over the dialog while it runs. False
    // when the audio could not be opened (the working list then stays) or after a cancel.
    bool Partition(ProgressPort* progress);
    // OK: writes the two factors to the settings.
    void Ok();

    int Silence() const { return m_silence; }
    int Loudness() const { return m_loudness; }
    int Count() const { return static_cast<int>(m_sentences.size()); }
    std::string SilenceText() const;
    std::string LoudnessText() const;
    std::string CountText() const;

    const std::vector<std::unique_ptr<CEarlarkWaveSection>>& Sentences() const {
        return m_sentences;
    }
    std::vector<std::unique_ptr<CEarlarkWaveSection>> TakeSentences() {
        return std::move(m_sentences);
    }

private:
    void AddWholeRecordingWhenEmpty();
    bool RunPartition(ProgressPort* progress);

    CEarlarkDoc& m_doc;
    SettingsStore& m_settings;
    Prompts& m_prompts;
    std::function<bool()> m_openAudio;
    std::vector<std::unique_ptr<CEarlarkWaveSection>> m_sentences;
    int m_silence = kDefaultSilence;
    int m_loudness = kDefaultLoudness;
};
