#pragma once

// Builds byte strings for crafted files, independently of the project's own writers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class Bytes {
public:
    Bytes& U8(std::uint8_t v) {
        m_data.push_back(v);
        return *this;
    }
    Bytes& U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    Bytes& Raw(std::string_view text) {
        m_data.insert(m_data.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& Raw(const std::vector<std::uint8_t>& bytes) {
        m_data.insert(m_data.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // A narrow text with a one-byte length (under 255 bytes).
    Bytes& Narrow(std::string_view text) {
        U8(static_cast<std::uint8_t>(text.size()));
        return Raw(text);
    }
    // A wide text with a one-byte length (under 255 units).
    Bytes& Wide(std::u16string_view text) {
        U8(0xFF).U16(0xFFFE).U8(static_cast<std::uint8_t>(text.size()));
        for (char16_t c : text) {
            U16(c);
        }
        return *this;
    }

    const std::vector<std::uint8_t>& Data() const { return m_data; }
    std::size_t Size() const { return m_data.size(); }

private:
    std::vector<std::uint8_t> m_data;
};
