#include "export/Mp3ExportRenderer.h"

#include "audio/CWaveEngine.h"
#include "export/ExportProgress.h"
#include "export/Mp3EncoderDriver.h"

#include <algorithm>

Mp3ExportRenderer::Mp3ExportRenderer(CWaveEngine& engine, Mp3EncoderDriver& encoder,
                                     ExportProgress& progress)
    : m_engine(engine), m_encoder(encoder), m_progress(progress) {}

Mp3ExportRenderer::Outcome Mp3ExportRenderer::RenderItem(const PlayItem& item) {
    const int rate = std::clamp(item.rate, CWaveEngine::kMinRate, CWaveEngine::kMaxRate);
    // Room for one piece at the item's rate (stretching makes slow pieces longer).
    m_buffer.reserve(static_cast<std::size_t>(kPieceBytes) * 100 / rate + 4 * 22050);
    for (std::uint32_t pass = 0; pass < item.repetitions; ++pass) {
        Outcome outcome = RenderSound(item.start, item.end, rate, false);
        if (outcome == Outcome::Done) {
            outcome = RenderSilence(item.intervalBytes, rate);
        }
        if (outcome != Outcome::Done) {
            return outcome;
        }
        m_sourceBytes += item.end > item.start ? item.end - item.start : 0;
    }
    return Outcome::Done;
}

Mp3ExportRenderer::Outcome Mp3ExportRenderer::RenderRange(std::uint32_t start, std::uint32_t end) {
    m_buffer.reserve(kPieceBytes);
    const Outcome outcome = RenderSound(start, end, 100, true);
    if (outcome == Outcome::Done) {
        m_sourceBytes += end > start ? end - start : 0;
    }
    return outcome;
}

std::uint32_t Mp3ExportRenderer::Align(std::uint32_t position) const {
    const std::uint32_t block = std::max<std::uint32_t>(m_engine.Format().blockAlign, 1);
    return position - position % block;
}

// The range is cut at whole frames, the same frames the player would play, so that no piece
// is left too short to hold a frame (the engine renders such a piece as nothing).
Mp3ExportRenderer::Outcome Mp3ExportRenderer::RenderSound(std::uint32_t start, std::uint32_t end,
                                                          int rate, bool showOffsets) {
    const std::uint32_t first = Align(start);
    const std::uint32_t last = Align(end);
    const std::uint32_t piece = Align(kPieceBytes);
    for (std::uint32_t position = first; position < last;) {
        const std::uint32_t length = std::min(piece, last - position);
        if (showOffsets) {
            m_progress.SetPosition(position - first);
        }
        m_buffer.clear();
        const Outcome outcome =
            EncodeRendered(m_engine.RenderRange(m_buffer, position, position + length, 0, rate));
        if (outcome != Outcome::Done) {
            return outcome;
        }
        position += length;
    }
    return Outcome::Done;
}

Mp3ExportRenderer::Outcome Mp3ExportRenderer::RenderSilence(std::uint32_t length, int rate) {
    const std::uint32_t total = Align(length);
    const std::uint32_t piece = Align(kPieceBytes);
    for (std::uint32_t done = 0; done < total;) {
        const std::uint32_t now = std::min(piece, total - done);
        m_buffer.clear();
        const Outcome outcome = EncodeRendered(m_engine.RenderRange(m_buffer, 0, 0, now, rate));
        if (outcome != Outcome::Done) {
            return outcome;
        }
        done += now;
    }
    return Outcome::Done;
}

Mp3ExportRenderer::Outcome Mp3ExportRenderer::EncodeRendered(std::int64_t rendered) {
    if (rendered <= 0 || m_encoder.EncodeChunk(m_buffer.data(), m_buffer.size()) != 0) {
        return Outcome::Failed;
    }
    m_pcmBytes += m_buffer.size();
    return m_progress.CancelRequested() ? Outcome::Cancelled : Outcome::Done;
}
