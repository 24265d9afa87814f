#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Reads a byte buffer most significant bit first. It never touches memory outside the
// buffer: bits past the end read as zero, and Overrun() tells the caller that the stream
// asked for more than was there, so every decoding stage can check its limit afterwards.
class MpegBitReader {
public:
    MpegBitReader() = default;
    MpegBitReader(const std::uint8_t* data, std::size_t size)
        : m_data(data), m_size(size), m_sizeBits(size * 8) {}

    // Up to 25 bits from the current position, without moving.
    std::uint32_t Peek(int count) const { return count == 0 ? 0 : Window() >> (32 - count); }
    void Skip(int count) { m_position += static_cast<std::size_t>(count); }
    // Up to 25 bits.
    std::uint32_t Read(int count) {
        const std::uint32_t value = Peek(count);
        m_position += static_cast<std::size_t>(count);
        return value;
    }
    bool ReadBit() { return Read(1) != 0; }

    std::size_t Position() const { return m_position; }
    void SetPosition(std::size_t bit) { m_position = bit; }
    std::size_t SizeBits() const { return m_sizeBits; }
    bool Overrun() const { return m_position > m_sizeBits; }

private:
    // 32 bits starting at the current bit; the first bit is the most significant.
    std::uint32_t Window() const {
        const std::size_t byte = m_position >> 3;
        if (byte + 8 <= m_size) {
            std::uint64_t word;
            std::memcpy(&word, m_data + byte, sizeof word);
            if constexpr (std::endian::native == std::endian::little) {
                word = __builtin_bswap64(word);
            }
            return static_cast<std::uint32_t>((word << (m_position & 7)) >> 32);
        }
        return SlowWindow(byte) << (m_position & 7);
    }
    std::uint32_t SlowWindow(std::size_t byte) const;

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_sizeBits = 0;
    std::size_t m_position = 0;
};
