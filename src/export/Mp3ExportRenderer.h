#pragma once

#include "audio/PlayItem.h"

#include <cstdint>
#include <functional>
#include <vector>

class CWaveEngine;
class ExportProgress;
class Mp3EncoderDriver;

// Renders play items through the wave engine, as the player would play them, and hands
// the PCM to an open encoder stream. Audio goes in pieces of at most kPieceBytes of source
// data, so memory stays flat however long the export; pauses are silence, not stretched.
class Mp3ExportRenderer {
public:
    // Four seconds of 44.1 kHz 16-bit stereo.
    static constexpr std::uint32_t kPieceBytes = 705600;

    enum class Outcome { Done, Failed, Cancelled };

    // The engine's output must be open (RenderRange renders nothing otherwise).
    Mp3ExportRenderer(CWaveEngine& engine, Mp3EncoderDriver& encoder, ExportProgress& progress);

    // Every repetition of the item, each followed by its pause.
    Outcome RenderItem(const PlayItem& item);
    // One pass over start..end at normal speed without a pause; the progress position is set
    // to each piece's offset from start.
    Outcome RenderRange(std::uint32_t start, std::uint32_t end);

    // Sum over the rendered passes of their end - start.
    std::uint64_t SourceBytes() const { return m_sourceBytes; }
    // PCM bytes handed to the encoder, pauses included.
    std::uint64_t EncodedPcmBytes() const { return m_pcmBytes; }

private:
    Outcome RenderSound(std::uint32_t start, std::uint32_t end, int rate, bool showOffsets);
    Outcome RenderSilence(std::uint32_t length, int rate);
    Outcome EncodeRendered(std::int64_t rendered);
    std::uint32_t Align(std::uint32_t position) const;

    CWaveEngine& m_engine;
    Mp3EncoderDriver& m_encoder;
    ExportProgress& m_progress;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_sourceBytes = 0;
    std::uint64_t m_pcmBytes = 0;
};
