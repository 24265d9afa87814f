#pragma once

#include <QColor>
#include <cstdint>

// The study file's colours are 0x00BBGGRR words: red in the low byte.
class ColorRef {
public:
    static QColor ToQColor(std::uint32_t value);
    static std::uint32_t FromQColor(const QColor& color);
};
