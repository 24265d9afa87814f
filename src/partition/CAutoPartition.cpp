#include "partition/CAutoPartition.h"

#include "document/CEarlarkDoc.h"
#include "partition/PartitionMessages.h"
#include "partition/PartitionRecording.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"

#include <cstdio>

CAutoPartition::CAutoPartition(CEarlarkDoc& doc, SettingsStore& settings, Prompts& prompts,
                               std::function<bool()> openAudio)
    : m_doc(doc), m_settings(settings), m_prompts(prompts), m_openAudio(std::move(openAudio)) {}

void CAutoPartition::Start() {
    m_sentences.clear();
    for (int i = 0; i < m_doc.m_sections.GetSize(); ++i) {
        m_sentences.push_back(std::make_unique<CEarlarkWaveSection>(*m_doc.m_sections.GetAt(i)));
    }
    AddWholeRecordingWhenEmpty();
    m_silence = kDefaultSilence;
    m_loudness = kDefaultLoudness;
    // Stored values outside the spins' ranges are not taken.
    SetSilence(settings::kDuration.Read(m_settings));
    SetLoudness(settings::kLevel.Read(m_settings));
}

void CAutoPartition::AddWholeRecordingWhenEmpty() {
    if (m_sentences.empty()) {
        auto whole = std::make_unique<CEarlarkWaveSection>();
        whole->m_nEnd = m_doc.m_player.DataSize() - 1;
        m_sentences.push_back(std::move(whole));
    }
}

bool CAutoPartition::SetSilence(int quarters) {
    if (quarters < kMinSilence || quarters > kMaxSilence) {
        return false;
    }
    m_silence = quarters;
    return true;
}

bool CAutoPartition::SetLoudness(int loudness) {
    if (loudness < kMinLoudness || loudness > kMaxLoudness) {
        return false;
    }
    m_loudness = loudness;
    return true;
}

void CAutoPartition::Default() {
    m_silence = kDefaultSilence;
    m_loudness = kDefaultLoudness;
}

bool CAutoPartition::Partition(ProgressPort* progress) {
    const bool completed = RunPartition(progress);
    AddWholeRecordingWhenEmpty();
    return completed;
}

bool CAutoPartition::RunPartition(ProgressPort* progress) {
    if (!m_openAudio()) {
        m_prompts.ShowMessage(partition_messages::kCannotOpenWave, PromptIcon::Warning);
        return false;
    }
    CWaveEngine& engine = m_doc.m_player;
    const PartitionResult result = PartitionRecording(engine, m_silence, m_loudness, progress);
    engine.CloseOutput();
    m_sentences.clear();
    for (const SentenceRange& range : result.sentences) {
        auto sentence = std::make_unique<CEarlarkWaveSection>();
        sentence->m_nStart = range.start;
        sentence->m_nEnd = range.end;
        m_sentences.push_back(std::move(sentence));
    }
    return result.completed;
}

void CAutoPartition::Ok() {
    settings::kDuration.Write(m_settings, m_silence);
    settings::kLevel.Write(m_settings, m_loudness);
}

std::string CAutoPartition::SilenceText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%4.2f sec", m_silence * 0.25);
    return text;
}

std::string CAutoPartition::LoudnessText() const {
    return std::to_string(m_loudness);
}

std::string CAutoPartition::CountText() const {
    return std::to_string(Count());
}
