#include "partition/PartitionRecording.h"

#include "audio/CWaveEngine.h"
#include "partition/ProgressPort.h"

namespace {

constexpr std::uint32_t kBytesPerProgressStep = 10000;

// An empty data chunk has no last byte: its sentence is the single offset 0.
SentenceRange WholeRecording(const CWaveEngine& engine) {
    return {0, engine.DataSize() == 0 ? 0 : engine.DataSize() - 1};
}

bool ShowProgress(ProgressPort* progress, std::uint32_t dataSize) {
    if (progress == nullptr || !progress->Create()) {
        return false;
    }
    progress->SetStatus("Auto-Split Progressing...");
    progress->SetRange(0, static_cast<std::int32_t>((dataSize - 1) / kBytesPerProgressStep));
    progress->SetStep(1);
    return true;
}

} // namespace

PartitionResult PartitionRecording(CWaveEngine& engine, int silenceQuarters, int loudness,
                                   ProgressPort* progress) {
    engine.ComputeCentre();
    engine.SetPartitionFactors(silenceQuarters, loudness);
    // A window that cannot be shown leaves the search without Cancel, not undone.
    ProgressPort* shown = ShowProgress(progress, engine.DataSize()) ? progress : nullptr;
    PartitionResult result;
    std::uint32_t position = 0;
    for (int i = 0; i < kMaxPartitionSentences; ++i) {
        if (shown != nullptr) {
            shown->SetPos(static_cast<std::int32_t>(position / kBytesPerProgressStep));
            if (shown->CheckCancel()) {
                break;
            }
        }
        SentenceRange found;
        if (!engine.FindNextSentence(found.start, found.end, position, shown)) {
            break;
        }
        result.sentences.push_back(found);
    }
    if (shown != nullptr) {
        if (shown->Cancelled()) {
            result.sentences = {WholeRecording(engine)};
            result.completed = false;
        }
        shown->Destroy();
    }
    return result;
}
