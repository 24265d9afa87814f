#include "platform/PortAudioWaveOutDevice.h"

#include <portaudio.h>

#include <cstdio>

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

int PortAudioWaveOutDevice::StartStream(const WaveFormat& format) {
    if (!m_initialised) {
        return kWaveOutNoDevice;
    }
    PaDeviceIndex device = Pa_GetDefaultOutputDevice();
    if (device == paNoDevice) {
        return kWaveOutNoDevice;
    }
    const PaDeviceInfo* info = Pa_GetDeviceInfo(device);
    PaStreamParameters params{};
    params.device = device;
    params.channelCount = format.channels;
    params.sampleFormat = format.Is16Bit() ? paInt16 : paUInt8;
    params.suggestedLatency = info != nullptr ? info->defaultHighOutputLatency : 0.1;
    m_frameBytes = format.blockAlign;
    PaStream* stream = nullptr;
    QuietStderr quiet;
    PaError error =
        Pa_OpenStream(&stream, nullptr, &params, format.samplesPerSec, paFramesPerBufferUnspecified,
                      paNoFlag, &PortAudioWaveOutDevice::Callback, this);
    if (error != paNoError) {
        return error == paSampleFormatNotSupported || error == paInvalidSampleRate ||
                       error == paInvalidChannelCount
                   ? kWaveOutBadFormat
                   : kWaveOutNoDevice;
    }
    if (Pa_StartStream(stream) != paNoError) {
        Pa_CloseStream(stream);
        return kWaveOutNoDevice;
    }
    m_stream = stream;
    return kWaveOutOk;
}

void PortAudioWaveOutDevice::StopStream() {
    if (m_stream == nullptr) {
        return;
    }
    Pa_AbortStream(m_stream);
    Pa_CloseStream(m_stream);
    m_stream = nullptr;
}
