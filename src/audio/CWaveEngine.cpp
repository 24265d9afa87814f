// The file side of the wave engine (open, read, loudness) and its device lifecycle.
#include "audio/CWaveEngine.h"

#include "audio/LevelSums.h"
#include "audio/PcmSamples.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

using Wide = unsigned __int128;

// The integer square root, truncated.
std::uint64_t IntegerSquareRoot(Wide value) {
    auto root = static_cast<Wide>(std::sqrt(static_cast<long double>(value)));
    while (root > 0 && root * root > value) {
        --root;
    }
    while ((root + 1) * (root + 1) <= value) {
        ++root;
    }
    return static_cast<std::uint64_t>(root);
}

// The measure of one frame: five times the centred amplitude, averaged over two channels.
std::int64_t FrameMeasure(const std::uint8_t* frame, bool is16Bit, bool stereo,
                          std::int64_t centre) {
    const std::size_t sampleBytes = is16Bit ? 2 : 1;
    const std::int64_t v = pcm::ScaleTo8Bit(frame, is16Bit) - centre;
    if (!stereo) {
        return 5 * (v < 0 ? -v : v);
    }
    const std::int64_t w = pcm::ScaleTo8Bit(frame + sampleBytes, is16Bit) - centre;
    return (5 * (v < 0 ? -v : v) + 5 * (w < 0 ? -w : w)) / 2;
}

} // namespace

CWaveEngine::~CWaveEngine() {
    if (m_deviceOpen) {
        ResetOutput();
        m_device->Close();
        ResetOutput();
    }
}

int CWaveEngine::OpenWaveFile(const std::string& path) {
    return m_file.Open(path);
}

void CWaveEngine::CloseWaveFile() {
    m_file.Close();
}

std::size_t CWaveEngine::ReadData(std::uint32_t position, std::uint8_t* out, std::size_t count) {
    return m_file.ReadData(position, out, count);
}

int CWaveEngine::MeasureLevel(std::uint32_t position, std::uint32_t length) {
    if (static_cast<std::int32_t>(position) < 0 || position > DataSize()) {
        return -1;
    }
    // Only the bytes the data can supply are read, so a huge length costs no memory.
    const std::size_t wanted = std::min(length, DataSize() - position);
    try {
        if (m_levelBytes.size() < wanted) {
            m_levelBytes.resize(wanted);
        }
    } catch (const std::bad_alloc&) {
        return -1;
    }
    const std::size_t got = ReadData(position, m_levelBytes.data(), wanted);
    const bool is16 = Format().Is16Bit();
    const bool stereo = Format().IsStereo();
    const std::size_t stride = (is16 ? 2 : 1) * (stereo ? 2 : 1);
    const std::size_t frames = got / stride;
    if (frames == 0) {
        return -1;
    }
    const std::uint8_t* bytes = m_levelBytes.data();
    Wide sum = 0;
    if (level_sums::Handles(m_centre)) {
        sum = level_sums::SumOfSquares(bytes, frames, is16, stereo, m_centre);
    } else {
        for (std::size_t i = 0; i < frames; ++i) {
            const std::int64_t m = FrameMeasure(bytes + i * stride, is16, stereo, m_centre);
            sum += static_cast<Wide>(m) * static_cast<Wide>(m);
        }
    }
    const std::uint64_t level = IntegerSquareRoot(sum / frames);
    return static_cast<int>(std::min<std::uint64_t>(level, std::numeric_limits<int>::max()));
}

std::uint32_t CWaveEngine::FindQuietPoint(std::uint32_t position, std::uint32_t window) {
    m_centre = 0;
    const std::uint32_t align = std::max<std::uint32_t>(Format().blockAlign, 1);
    const std::uint32_t step = window / 20;
    const std::uint32_t centre = position - position % align;
    // A window reaching before the data starts at the data's start.
    std::uint32_t start = centre > window / 2 ? centre - window / 2 : 0;
    start -= start % align;
    std::uint32_t best = 0;
    int bestLevel = std::numeric_limits<int>::max();
    for (std::uint32_t j = 0; j < 20; ++j) {
        const std::uint64_t at = static_cast<std::uint64_t>(start) + j * step;
        const int level = at > std::numeric_limits<std::uint32_t>::max()
                              ? -1
                              : MeasureLevel(static_cast<std::uint32_t>(at), step);
        if (level < bestLevel) {
            bestLevel = level;
            best = j;
        }
    }
    return start + best * step;
}

bool CWaveEngine::OpenOutput(const std::string& path, PlayerListener* owner, int rate) {
    if (!m_file.IsOpen() && OpenWaveFile(path) != WaveFile::kPcm) {
        return false;
    }
    if (owner == nullptr) {
        return false;
    }
    if (m_deviceOpen) {
        ResetOutput();
        m_device->Close();
        m_deviceOpen = false;
    }
    m_owner = owner;
    m_rate = std::clamp(rate, kMinRate, kMaxRate);
    const WaveFormat& format = Format();
    const std::uint32_t eighth = format.avgBytesPerSec >> 3;
    m_bufferLength = eighth - eighth % format.blockAlign;
    m_bufferCount = 0;
    m_nextBuffer = 0;
    m_total = 0;
    // A byte rate far beyond any real format (a damaged header) would ask for huge buffers.
    constexpr std::uint32_t kMaxBufferLength = 1u << 20;
    if (m_bufferLength == 0 || m_bufferLength > kMaxBufferLength || m_device == nullptr) {
        return false;
    }
    WaveFormat deviceFormat = format;
    deviceFormat.avgBytesPerSec = format.blockAlign * format.samplesPerSec;
    if (m_device->Open(deviceFormat, owner) != kWaveOutOk) {
        return false;
    }
    m_deviceOpen = true;
    if (!AllocateWorkArrays()) {
        // Without work arrays no buffer can be produced: the output is not usable.
        m_device->Close();
        m_deviceOpen = false;
        return false;
    }
    return true;
}

// The arrays hold three buffers of look-ahead on the input side and, on the output side,
// the slowest speed's output plus the overhang of its last segment.
bool CWaveEngine::AllocateWorkArrays() {
    const std::size_t frames = m_bufferLength / Format().blockAlign;
    const std::size_t entries = 4 * static_cast<std::size_t>(m_bufferLength) + 2 * frames;
    try {
        for (auto& array : m_work) {
            array.assign(entries, 0);
        }
    } catch (const std::bad_alloc&) {
        for (auto& array : m_work) {
            array = {};
        }
        return false;
    }
    return true;
}

void CWaveEngine::ResetOutput() {
    if (m_deviceOpen) {
        m_device->Reset();
    }
    // Every buffer the device handed back is finished here, so that no notice of the old
    // range reaches a later one.
    if (m_device != nullptr) {
        while (WaveOutBuffer* buffer = m_device->TakeFinishedBuffer()) {
            OnBufferDone(buffer, false);
        }
    }
}

void CWaveEngine::CloseOutput() {
    if (m_deviceOpen) {
        ResetOutput();
        m_device->Close();
        m_deviceOpen = false;
        ResetOutput();
        m_owner = nullptr;
    }
    CloseWaveFile();
}

std::uint32_t CWaveEngine::GetPlayPosition() const {
    if (!m_deviceOpen) {
        return 0;
    }
    const std::uint64_t played = m_device->GetPosition();
    return static_cast<std::uint32_t>(played * static_cast<std::uint64_t>(m_rate) / 100);
}

// With no output open, the volume is read or set through a device opened just for the call
// in a small format of its own; the engine's format is not touched.
int CWaveEngine::WithTemporaryDevice(std::uint32_t* volume, bool set) {
    if (m_device == nullptr) {
        return kWaveOutNoDevice;
    }
    WaveFormat probe;
    probe.formatTag = WaveFormat::kPcm;
    probe.channels = 1;
    probe.samplesPerSec = 11025;
    probe.avgBytesPerSec = 11025;
    probe.blockAlign = 1;
    probe.bitsPerSample = 8;
    int result = m_device->Open(probe, nullptr);
    if (result != kWaveOutOk) {
        return result;
    }
    result = set ? m_device->SetVolume(*volume) : m_device->GetVolume(volume);
    m_device->Close();
    return result;
}

std::uint32_t CWaveEngine::GetVolume() {
    std::uint32_t volume = 0;
    int result = m_deviceOpen ? m_device->GetVolume(&volume) : WithTemporaryDevice(&volume, false);
    return result == kWaveOutOk ? volume : 0;
}

int CWaveEngine::SetVolume(std::uint32_t volume) {
    return m_deviceOpen ? m_device->SetVolume(volume) : WithTemporaryDevice(&volume, true);
}
