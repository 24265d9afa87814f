#pragma once

#include "audio/CWaveEngine.h"
#include "platform/PumpedMessageQueue.h"

#include <cstdint>
#include <optional>
#include <string>

// Shared by the wav, render and play commands.
std::optional<std::uint32_t> ParseUInt32(const std::string& text);

// An owner for a command-line engine: passes buffer-done notices back to the engine and
// remembers that the range finished.
class ToolPlayerOwner : public PlayerListener {
public:
    explicit ToolPlayerOwner(CWaveEngine& engine) : m_engine(engine) {}
    void OnOutputBufferDone(WaveOutBuffer* buffer) override { m_engine.OnBufferDone(buffer, true); }
    void OnRangeFinished() override { finished = true; }

    bool finished = false;

private:
    CWaveEngine& m_engine;
};

class JsonWriter;

// The fields of a wave format as JSON members (formatTag ... bitsPerSample).
void WriteFormatMembers(JsonWriter& json, const WaveFormat& format);

// A one-line explanation of an OpenWaveFile result other than 0.
std::string DescribeOpenFailure(const std::string& path, int result);
