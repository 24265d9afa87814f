#include "platform/PortAudioWaveOutDevice.h"

#include "platform/SampleRateConverter.h"

#include <portaudio.h>

#include <cstdio>
#include <vector>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// While the sound libraries probe for devices (ALSA, JACK) they print their failed attempts
// on stderr; on a machine without sound that is a page of noise for an expected outcome,
// which the caller reports in its own words. Their output is dropped for the duration.
class QuietStderr {
public:
    QuietStderr() {
#if defined(__unix__)
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        int devNull = open("/dev/null", O_WRONLY);
        if (m_saved >= 0 && devNull >= 0) {
            dup2(devNull, STDERR_FILENO);
        }
        if (devNull >= 0) {
            close(devNull);
        }
#endif
    }
    ~QuietStderr() {
#if defined(__unix__)
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
#endif
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int m_saved = -1;
};

} // namespace

PortAudioWaveOutDevice::PortAudioWaveOutDevice(MessageQueue& messages)
    : QueuedWaveOutDevice(messages) {
    QuietStderr quiet;
    m_initialised = Pa_Initialize() == paNoError;
}

PortAudioWaveOutDevice::~PortAudioWaveOutDevice() {
    if (IsOpen()) {
        Close();
    }
    if (m_initialised) {
        Pa_Terminate();
    }
}

// Runs on PortAudio's thread: it only copies from the queue, which holds its own lock.
int PortAudioWaveOutDevice::Callback(const void*, void* output, unsigned long frames,
                                     const PaStreamCallbackTimeInfo*, unsigned long, void* user) {
    auto* self = static_cast<PortAudioWaveOutDevice*>(user);
    self->Queue().Pull(static_cast<std::uint8_t*>(output), frames * self->m_frameBytes);
    return paContinue;
}

// Runs on PortAudio's thread: the converter pulls the buffers' bytes as it needs them.
int PortAudioWaveOutDevice::ConvertingCallback(const void*, void* output, unsigned long frames,
                                               const PaStreamCallbackTimeInfo*, unsigned long,
                                               void* user) {
    auto* self = static_cast<PortAudioWaveOutDevice*>(user);
    self->m_converter->Read(static_cast<float*>(output), frames);
    return paContinue;
}

namespace {

// The default output device first, then every other device that plays, so that a machine
// whose default host has no output (a sound server without an ALSA bridge) still sounds.
std::vector<PaDeviceIndex> OutputCandidates() {
    std::vector<PaDeviceIndex> devices;
    const PaDeviceIndex preferred = Pa_GetDefaultOutputDevice();
    if (preferred != paNoDevice) {
        devices.push_back(preferred);
    }
    for (PaHostApiIndex api = 0; api < Pa_GetHostApiCount(); ++api) {
        const PaHostApiInfo* info = Pa_GetHostApiInfo(api);
        if (info != nullptr && info->defaultOutputDevice != paNoDevice &&
            info->defaultOutputDevice != preferred) {
            devices.push_back(info->defaultOutputDevice);
        }
    }
    return devices;
}

} // namespace

int PortAudioWaveOutDevice::StartStream(const WaveFormat& format) {
    if (!m_initialised) {
        return kWaveOutNoDevice;
    }
    QuietStderr quiet;
    int result = kWaveOutNoDevice;
    for (PaDeviceIndex device : OutputCandidates()) {
        result = OpenStream(device, format, false);
        if (result != kWaveOutOk) {
            result = OpenStream(device, format, true);
        }
        if (result == kWaveOutOk) {
            return result;
        }
    }
    return result;
}

// The buffers' own rate and sample format, or (convert) 32-bit float at the device's
// default rate.
int PortAudioWaveOutDevice::OpenStream(int device, const WaveFormat& format, bool convert) {
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    if (info == nullptr || info->maxOutputChannels < format.channels) {
        return kWaveOutBadFormat;
    }
    PaStreamParameters params{};
    params.device = device;
    params.channelCount = format.channels;
    params.sampleFormat = convert ? paFloat32 : format.Is16Bit() ? paInt16 : paUInt8;
    params.suggestedLatency = info->defaultHighOutputLatency;
    const double rate = convert ? info->defaultSampleRate : format.samplesPerSec;
    if (Pa_IsFormatSupported(nullptr, &params, rate) != paFormatIsSupported) {
        return kWaveOutBadFormat;
    }
    std::unique_ptr<SampleRateConverter> converter;
    if (convert) {
        converter = std::make_unique<SampleRateConverter>(
            format.channels, format.bitsPerSample, format.samplesPerSec, rate,
            [this](std::uint8_t* out, std::size_t bytes) { return Queue().Pull(out, bytes); });
        if (!converter->IsOk()) {
            return kWaveOutBadFormat;
        }
    }
    m_frameBytes = format.blockAlign;
    PaStream* stream = nullptr;
    PaStreamCallback* callback =
        convert ? &PortAudioWaveOutDevice::ConvertingCallback : &PortAudioWaveOutDevice::Callback;
    if (Pa_OpenStream(&stream, nullptr, &params, rate, paFramesPerBufferUnspecified, paNoFlag,
                      callback, this) != paNoError) {
        return kWaveOutNoDevice;
    }
    m_converter = std::move(converter);
    if (Pa_StartStream(stream) != paNoError) {
        Pa_CloseStream(stream);
        m_converter.reset();
        return kWaveOutNoDevice;
    }
    m_stream = stream;
    m_running = true;
    m_streamRate = rate;
    const PaHostApiInfo* host = Pa_GetHostApiInfo(info->hostApi);
    m_hostName = host != nullptr && host->name != nullptr ? host->name : "";
    return kWaveOutOk;
}

void PortAudioWaveOutDevice::StopStream() {
    if (m_stream == nullptr) {
        return;
    }
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
    m_stream = nullptr;
    m_running = false;
    m_streamRate = 0;
    m_converter.reset();
}

int PortAudioWaveOutDevice::Write(WaveOutBuffer* buffer) {
    const int result = QueuedWaveOutDevice::Write(buffer);
    if (result == kWaveOutOk && m_stream != nullptr && !m_running) {
        m_running = Pa_StartStream(m_stream) == paNoError;
    }
    return result;
}

// The stream is aborted before the buffers go back: what the host still holds is dropped
// instead of sounding after the reset, and the converter forgets its samples too.
int PortAudioWaveOutDevice::Reset() {
    if (m_stream != nullptr && m_running) {
        Pa_AbortStream(m_stream);
        m_running = false;
    }
    if (m_converter) {
        m_converter->Reset();
    }
    return QueuedWaveOutDevice::Reset();
}

bool PortAudioWaveOutDevice::IsStreamActive() const {
    return m_stream != nullptr && Pa_IsStreamActive(m_stream) == 1;
}
