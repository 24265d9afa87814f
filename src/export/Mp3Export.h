#pragma once

#include "audio/PlayItem.h"

#include <cstdint>
#include <string>
#include <vector>

class CWaveEngine;
class ExportProgress;
class Mp3EncoderDriver;
class Prompts;

// Runs an MP3 export of an export list that is already built: the size check, the encoder
// stream, rendering with progress and Cancel, and the messages of success and failure. A
// failed or cancelled export removes the file it was writing.
class Mp3Export {
public:
    // The engine's output must be open. progress is shown while the export runs.
    Mp3Export(CWaveEngine& engine, Mp3EncoderDriver& encoder, Prompts& prompts,
              ExportProgress& progress);

    // Every item into one file at path.
    bool ExportToFile(const std::vector<PlayItem>& items, const std::string& path, int bitRate);
    // Item i into files[i]; the space check covers every item, against the folder of
    // checkedPath. Files finished before a failure stay.
    bool ExportEachToFile(const std::vector<PlayItem>& items, const std::vector<std::string>& files,
                          const std::string& checkedPath, int bitRate);
    // One pass over start..end at normal speed into path.
    bool ExportRange(std::uint32_t start, std::uint32_t end, const std::string& path, int bitRate);

    // Sum over the rendered passes of their end - start, and the PCM bytes encoded.
    std::uint64_t SourceBytes() const { return m_sourceBytes; }
    std::uint64_t EncodedPcmBytes() const { return m_pcmBytes; }

private:
    bool Prepare(std::uint64_t waveBytes, const std::string& path, int bitRate);
    bool OpenStream(const std::string& path, int bitRate);
    bool Finish(bool rendered, const std::string& path);
    void Count(std::uint64_t sourceBytes, std::uint64_t pcmBytes);

    CWaveEngine& m_engine;
    Mp3EncoderDriver& m_encoder;
    Prompts& m_prompts;
    ExportProgress& m_progress;
    std::uint64_t m_sourceBytes = 0;
    std::uint64_t m_pcmBytes = 0;
};
