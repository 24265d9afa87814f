#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct SRC_STATE_tag;

// Converts PCM frames pulled from a source at one rate into float frames at another (the
// output device's) rate. The source is asked for whole frames of 8-bit or 16-bit PCM as
// the converter needs them, so whoever counts the bytes it hands out counts in the
// source's own rate. Nothing is allocated after construction: Read may run on an audio
// thread.
class SampleRateConverter {
public:
    // Fills up to `bytes` bytes (whole frames) and returns how many it wrote; a source with
    // nothing to give fills silence itself and still returns `bytes`.
    using Source = std::function<std::size_t(std::uint8_t* out, std::size_t bytes)>;

    SampleRateConverter(int channels, int bitsPerSample, double inputRate, double outputRate,
                        Source source);
    ~SampleRateConverter();
    SampleRateConverter(const SampleRateConverter&) = delete;
    SampleRateConverter& operator=(const SampleRateConverter&) = delete;

    // False when the converter could not be set up.
    bool IsOk() const { return m_state != nullptr; }
    // frames float frames (interleaved, channels each) at the output rate.
    void Read(float* out, std::size_t frames);
    // Forgets the samples it holds, so that nothing from before sounds after.
    void Reset();

private:
    static long Supply(void* self, float** data);
    long Supply(float** data);

    SRC_STATE_tag* m_state = nullptr;
    int m_channels;
    int m_sampleBytes;
    double m_ratio;
    Source m_source;
    std::vector<std::uint8_t> m_bytes;
    std::vector<float> m_input;
};
