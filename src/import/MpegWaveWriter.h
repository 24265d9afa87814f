#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes the decoded wave file: the 44-byte RIFF/WAVE header (first with the defaults of
// a file without frames, then with the first frame's format) and the PCM frames. Frames
// whose channel count differs from the first frame's are converted to it (mono frames are
// doubled into both channels, stereo frames averaged), so the data always matches the
// header. Data beyond what a RIFF file can describe (4 GiB) is left out.
class MpegWaveWriter {
public:
    ~MpegWaveWriter();

    bool Create(const std::string& path);
    // `samples`: interleaved 16-bit little-endian PCM of `channels` channels.
    bool AppendFrame(const std::uint8_t* samples, std::uint32_t bytes, int channels,
                     int sampleRate);
    // Fixes the sizes in the header and closes the file.
    bool Finish();
    // True when frames were left out because the data reached the 4 GiB limit of RIFF.
    bool Full() const { return m_full; }

    static constexpr int kHeaderBytes = 44;

private:
    struct Format {
        std::uint16_t channels = 1;
        std::uint32_t sampleRate = 11025;
        std::uint16_t bitsPerSample = 8;
    };
    bool WriteHeader();

    std::FILE* m_file = nullptr;
    Format m_format;
    bool m_haveFormat = false;
    std::uint32_t m_dataBytes = 0;
    bool m_full = false;
    std::vector<std::uint8_t> m_converted;
};
