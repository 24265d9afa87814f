#pragma once

#include "export/BladeEncoderApi.h"
#include "platform/DynamicLibrary.h"
#include "platform/WaveFormat.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class Prompts;

// Drives the encoder library "TesselConv" for one export at a time: loads it from the
// program's folder, opens an encoder stream writing an MP3 file, feeds it PCM in the wave
// data's format and closes it. Every failure leaves the library unloaded; a stream that
// cannot be opened leaves no output file behind.
class Mp3EncoderDriver {
public:
    static constexpr std::size_t kOutputBufferSize = 352800;

    // libraryPath: the library file, normally ProgramFolder + LibraryFileName(). prompts
    // shows the memory message (may be null).
    Mp3EncoderDriver(std::string libraryPath, Prompts* prompts);
    Mp3EncoderDriver(const Mp3EncoderDriver&) = delete;
    Mp3EncoderDriver& operator=(const Mp3EncoderDriver&) = delete;
    // A stream still open is abandoned: its file is closed as far as it was written.
    ~Mp3EncoderDriver();

    static std::string LibraryFileName();
    // The library installed beside the running program.
    static std::string InstalledLibraryPath();
    // The library is installed beside the program, not written out: true when it is there and
    // loads with all five entry points.
    bool WriteEncoderLibrary();

    void SetOutputPath(const std::string& path) { m_outputPath = path; }
    const std::string& OutputPath() const { return m_outputPath; }

    // 0 on success, -1 on failure.
    int OpenEncoderStream(int bitRate, const WaveFormat& format);
    int EncodeChunk(const std::uint8_t* data, std::size_t byteCount);
    int CloseEncoderStream();
    bool IsStreamOpen() const { return m_open; }

    // The configuration record handed to beInitStream.
    static std::array<std::uint8_t, blade::config::kSize> MakeConfig(int bitRate,
                                                                     const WaveFormat& format);

private:
    struct EntryPoints {
        blade::InitStreamFunction init = nullptr;
        blade::EncodeChunkFunction encode = nullptr;
        blade::DeinitStreamFunction deinit = nullptr;
        blade::CloseStreamFunction close = nullptr;
        blade::WriteVbrHeaderFunction writeVbrHeader = nullptr;
    };

    bool LoadLibrary();
    void AbandonOpen();
    bool ReserveOutput(std::size_t bytes);
    void ShowMemoryMessage();
    int EncodeSamples(const std::int16_t* samples, std::size_t count);
    bool WriteOutput(std::uint32_t bytes);
    void ReleaseStream();

    std::string m_libraryPath;
    Prompts* m_prompts;
    DynamicLibrary m_library;
    EntryPoints m_entry;
    std::string m_outputPath;
    std::FILE* m_file = nullptr;
    blade::Stream m_stream = 0;
    bool m_open = false;
    std::uint32_t m_sampleRate = 0;
    std::uint32_t m_channels = 0;
    std::uint32_t m_bitRate = 0;
    bool m_source16Bit = true;
    std::vector<std::uint8_t> m_output;
    std::vector<std::int16_t> m_widened;
};
