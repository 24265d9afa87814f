#include "import/MpegBitReader.h"

std::uint32_t MpegBitReader::SlowWindow(std::size_t byte) const {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        word <<= 8;
        if (byte + i < m_size) {
            word |= m_data[byte + i];
        }
    }
    return word;
}
