#pragma once

#include <cstdint>

class CEarlarkMainView;
class CommandMap;

// Seeking within the item that plays: PageUp and PageDown by one second, the mouse wheel
// by half a second a notch (five times that with Shift).
class SeekCommands {
public:
    explicit SeekCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    // Moves the pass by bytes (negative: back) and plays on from there.
    void SeekBy(std::int64_t bytes);
    void Wheel(int delta, bool shift);

private:
    std::int64_t Second() const;

    CEarlarkMainView& m_view;
};
