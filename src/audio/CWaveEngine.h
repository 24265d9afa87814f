#pragma once

#include "audio/PlayerListener.h"
#include "audio/WaveFile.h"
#include "platform/WaveFormat.h"
#include "platform/WaveOutDevice.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ProgressPort;

// The study's wave engine: the one PCM wave file of the study, its loudness measures, and
// the output player that streams a byte range of it (and a stretch of silence) to the wave
// output device at a speed in percent with the pitch kept.
//
// Positions are byte offsets from the first byte of the data chunk. The player rounds them
// down to whole frames. Everything runs on the user-interface thread.
class CWaveEngine {
public:
    // Buffers queued in the device at most: 1.25 seconds at normal speed.
    static constexpr std::uint32_t kMaxQueuedBuffers = 10;
    // The speeds the stretcher is built for; other rates are brought into this range.
    static constexpr int kMinRate = 33;
    static constexpr int kMaxRate = 200;

    CWaveEngine() = default;
    CWaveEngine(const CWaveEngine&) = delete;
    CWaveEngine& operator=(const CWaveEngine&) = delete;
    // Frees the work arrays. A device still open is reset and closed first, so that it never
    // holds buffers of a destroyed engine.
    virtual ~CWaveEngine();

    // The output device used by OpenOutput and by the volume calls (not owned; it must
    // outlive the engine or be replaced while no output is open).
    void SetOutputDevice(WaveOutDevice* device) { m_device = device; }
    bool HasOutputDevice() const { return m_device != nullptr; }

    // --- Wave file ---
    // 0: a PCM file the engine plays (left open). 1: a WAVE file to convert first (compressed,
    // or PCM wider than 16 bits). -1: not a readable WAVE file. Only 0 leaves the file open.
    int OpenWaveFile(const std::string& path);
    void CloseWaveFile();
    bool IsWaveFileOpen() const { return m_file.IsOpen(); }
    const WaveFormat& Format() const { return m_file.Format(); }
    bool HasFormat() const { return m_file.HasFormat(); }
    std::uint32_t DataOffset() const { return m_file.DataOffset(); }
    std::uint32_t DataSize() const { return m_file.DataSize(); }
    const std::array<std::uint8_t, 4>& FactValue() const { return m_file.FactValue(); }
    // Reads up to count bytes of the data from position (fewer at the end of the data).
    std::size_t ReadData(std::uint32_t position, std::uint8_t* out, std::size_t count);

    // --- Loudness ---
    std::int32_t CentringValue() const { return m_centre; }
    void SetCentringValue(std::int32_t centre) { m_centre = centre; }
    // Root mean square of five times the centred 8-bit-scale amplitude of length bytes from
    // position (0 to 640 for a centring value inside 0..255), or -1 outside the data.
    int MeasureLevel(std::uint32_t position, std::uint32_t length);
    // The start of the quietest twentieth of the window centred on position. Sets the
    // centring value to 0.
    std::uint32_t FindQuietPoint(std::uint32_t position, std::uint32_t window);

    // --- Silence search (auto-partition) ---
    // Sets the centring value to the mean sample on the 8-bit scale over the first ten
    // million samples or so of the data (128 when no sample can be read).
    void ComputeCentre();
    // A quarter-second analysis window in whole frames; quietCount quiet windows in a row
    // end a sentence; loudness is the level at which one starts.
    void SetPartitionFactors(int quietCount, int loudness);
    // Finds the next sentence at or after position and moves position on to where the next
    // search starts. False at the end of the data, or when progress reports a cancel.
    bool FindNextSentence(std::uint32_t& start, std::uint32_t& end, std::uint32_t& position,
                          ProgressPort* progress);
    std::int32_t PartitionWindow() const { return m_window; }

    // --- Output ---
    bool OpenOutput(const std::string& path, PlayerListener* owner, int rate);
    void PlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval);
    void WriteNextBuffer();
    void OnBufferDone(WaveOutBuffer* header, bool resume);
    void ResetOutput();
    void CloseOutput();
    bool IsOutputOpen() const { return m_deviceOpen; }
    std::uint32_t GetPlayPosition() const;
    std::uint32_t GetVolume();
    int SetVolume(std::uint32_t volume);
    // Appends the bytes that PlayRange would play at rate to destination; returns their
    // count, 0 when there is nothing to render, -1 when no output is open.
    std::int64_t RenderRange(std::vector<std::uint8_t>& destination, std::uint32_t start,
                             std::uint32_t end, std::uint32_t interval, int rate);

    int Rate() const { return m_rate; }
    std::uint32_t BufferLength() const { return m_bufferLength; }
    std::uint32_t BufferCount() const { return m_bufferCount; }
    std::uint32_t NextBuffer() const { return m_nextBuffer; }

private:
    void SetRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval);
    std::uint32_t ProduceBuffer(std::uint32_t index, int rate, std::uint8_t* block);
    std::uint32_t StretchInto(std::uint8_t* block, std::uint32_t c, std::uint32_t n, int rate);
    bool AllocateWorkArrays();
    int WithTemporaryDevice(std::uint32_t* volume, bool set);

    WaveFile m_file;
    std::int32_t m_centre = 0;
    // Kept between calls of MeasureLevel so that the search does not allocate per window.
    std::vector<std::uint8_t> m_levelBytes;
    std::int32_t m_window = 0;
    std::int32_t m_quietCount = 8;
    std::int32_t m_threshold = 10;

    WaveOutDevice* m_device = nullptr;
    bool m_deviceOpen = false;
    PlayerListener* m_owner = nullptr;
    int m_rate = 100;
    std::uint32_t m_bufferLength = 0;
    std::uint32_t m_rangeStart = 0;
    std::uint32_t m_rangeEnd = 0;
    std::uint32_t m_total = 0;
    std::uint32_t m_bufferCount = 0;
    std::uint32_t m_nextBuffer = 0;
    // First-channel input and output, second-channel input and output of the stretcher.
    std::array<std::vector<std::int32_t>, 4> m_work;
};
