// The wave engine's buffer production: ranges, buffers, time-stretching and rendering.
#include "audio/CWaveEngine.h"

#include "audio/PcmSamples.h"
#include "audio/TimeStretch.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

void CWaveEngine::SetRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval) {
    const std::uint32_t align = std::max<std::uint32_t>(Format().blockAlign, 1);
    m_nextBuffer = 0;
    m_rangeStart = start - start % align;
    m_rangeEnd = end - end % align;
    const std::uint32_t silence = interval - interval % align;
    if (m_rangeStart <= m_rangeEnd) {
        const std::uint64_t total = static_cast<std::uint64_t>(m_rangeEnd - m_rangeStart) + silence;
        m_total = static_cast<std::uint32_t>(std::min<std::uint64_t>(total, 0xFFFFFFFFu));
    } else {
        // A start after the end: what is left of the silence (a resume inside the interval),
        // or nothing at all.
        const std::uint32_t behind = m_rangeStart - m_rangeEnd;
        m_total = behind < silence ? silence - behind : 0;
    }
    m_bufferCount = (m_total == 0 || m_bufferLength == 0) ? 0 : (m_total - 1) / m_bufferLength + 1;
}

void CWaveEngine::PlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval) {
    ResetOutput();
    SetRange(start, end, interval);
    for (std::uint32_t queued = 0; queued < kMaxQueuedBuffers; ++queued) {
        const std::uint32_t before = m_nextBuffer;
        WriteNextBuffer();
        if (m_nextBuffer == before) {
            break; // all written, or the device refused one
        }
    }
}

void CWaveEngine::WriteNextBuffer() {
    if (!m_deviceOpen || m_nextBuffer >= m_bufferCount) {
        return;
    }
    auto header = std::make_unique<WaveOutBuffer>();
    try {
        header->data.resize(4 * static_cast<std::size_t>(m_bufferLength));
    } catch (const std::bad_alloc&) {
        return;
    }
    header->tag = m_nextBuffer;
    header->length = ProduceBuffer(m_nextBuffer, m_rate, header->data.data());
    if (m_device->Prepare(header.get()) != kWaveOutOk) {
        return;
    }
    if (m_device->Write(header.get()) != kWaveOutOk) {
        // The next buffer-done notice tries this index again.
        m_device->Unprepare(header.get());
        return;
    }
    header.release();
    ++m_nextBuffer;
}

void CWaveEngine::OnBufferDone(WaveOutBuffer* header, bool resume) {
    if (header == nullptr) {
        return;
    }
    std::unique_ptr<WaveOutBuffer> owned(header);
    if (m_device != nullptr) {
        m_device->Unprepare(header);
    }
    if (resume && m_deviceOpen) {
        if (header->tag < m_bufferCount - 1) {
            WriteNextBuffer();
        } else if (m_owner != nullptr) {
            m_owner->OnRangeFinished();
        }
    }
}

// Produces buffer `index` of the range into block (4 x buffer length bytes) and returns its
// length in bytes. Buffers of audio are stretched to the rate unless the rate is 100 or the
// data ends within three buffers (the stretcher's look-ahead); silence is never stretched.
std::uint32_t CWaveEngine::ProduceBuffer(std::uint32_t index, int rate, std::uint8_t* block) {
    const std::int64_t align = Format().blockAlign;
    const std::uint8_t silence = Format().SilenceByte();
    std::memset(block, silence, 4 * static_cast<std::size_t>(m_bufferLength));
    std::int64_t length = m_bufferLength;
    if (index == m_bufferCount - 1 && m_total % m_bufferLength != 0) {
        length = m_total % m_bufferLength;
    }
    const std::int64_t c =
        static_cast<std::int64_t>(m_rangeStart) + static_cast<std::int64_t>(index) * m_bufferLength;
    std::int64_t remaining = static_cast<std::int64_t>(m_rangeEnd) - c;
    const std::int64_t n = std::min(length, remaining);
    const bool plain = rate == 100 || c + 3 * n >= static_cast<std::int64_t>(DataSize());
    if (remaining > 0 && plain) {
        ReadData(static_cast<std::uint32_t>(c), block, static_cast<std::size_t>(n));
    } else if (remaining > 0) {
        StretchInto(block, static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(n), rate);
        length = length * 100 / rate;
        length -= length % align;
        remaining = remaining * 100 / rate;
        remaining -= remaining % align;
    }
    if (remaining < length) {
        const std::int64_t from = std::max<std::int64_t>(remaining, 0);
        std::memset(block + from, silence, static_cast<std::size_t>(length - from));
    }
    return static_cast<std::uint32_t>(length);
}

// Reads n bytes at c with two more buffers of look-ahead, stretches each channel and writes
// the stretched frames back into block; returns the output frames.
std::uint32_t CWaveEngine::StretchInto(std::uint8_t* block, std::uint32_t c, std::uint32_t n,
                                       int rate) {
    const WaveFormat& format = Format();
    const int frames = static_cast<int>(n / format.blockAlign);
    const std::size_t asked = static_cast<std::size_t>(n) + 2u * frames * format.blockAlign;
    ReadData(c, block, asked);
    const int available =
        std::min(static_cast<int>(asked / format.blockAlign), std::max(4 * frames - 1, 0));
    pcm::Deinterleave(block, available, format, m_work[0].data(), m_work[2].data());
    int output = TimeStretch(m_work[1], m_work[0], frames, rate);
    if (format.IsStereo()) {
        TimeStretch(m_work[3], m_work[2], frames, rate);
    }
    if (output < 0) {
        // Cannot happen with the arrays sized by OpenOutput; silence rather than raw bytes.
        output = frames * 100 / rate;
        std::memset(block, format.SilenceByte(),
                    static_cast<std::size_t>(output) * format.blockAlign);
        return static_cast<std::uint32_t>(output);
    }
    pcm::Interleave(m_work[1].data(), m_work[3].data(), output, format, block);
    return static_cast<std::uint32_t>(output);
}

std::int64_t CWaveEngine::RenderRange(std::vector<std::uint8_t>& destination, std::uint32_t start,
                                      std::uint32_t end, std::uint32_t interval, int rate) {
    ResetOutput();
    SetRange(start, end, interval);
    if (m_total == 0) {
        return 0;
    }
    if (!m_deviceOpen) {
        return -1;
    }
    rate = std::clamp(rate, kMinRate, kMaxRate);
    std::vector<std::uint8_t> block(4 * static_cast<std::size_t>(m_bufferLength));
    std::int64_t written = 0;
    for (std::uint32_t i = 0; i < m_bufferCount; ++i) {
        const std::uint32_t length = ProduceBuffer(i, rate, block.data());
        destination.insert(destination.end(), block.begin(), block.begin() + length);
        written += length;
    }
    m_nextBuffer = m_bufferCount;
    return written;
}
