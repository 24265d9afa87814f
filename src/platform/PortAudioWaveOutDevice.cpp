#include "platform/PortAudioWaveOutDevice.h"

#include <portaudio.h>

PortAudioWaveOutDevice::PortAudioWaveOutDevice(MessageQueue& messages)
    : QueuedWaveOutDevice(messages) {
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
