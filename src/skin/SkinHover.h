#pragma once

#include <QPoint>
#include <functional>

class CSkinButton;

// The one skinned button under the pointer. A button claims the hover when the pointer
// enters it; a 100 ms timer then watches the pointer and drops the hover when it has
// left. At most one button is hovered at a time, however fast the pointer moves.
class SkinHover {
public:
    static constexpr int kPeriodMs = 100;

    // The pointer is over button: it becomes the hovered one, the previous one drawn
    // normal again.
    static void Claim(CSkinButton* button);
    // A button going away stops being hovered.
    static void Forget(CSkinButton* button);
    static CSkinButton* Hovered();
    static bool TimerRunning();
    // One timer tick: drops the hover when the pointer has left the hovered button.
    static void Tick();
    // Where the pointer is, in global coordinates; tests replace it.
    static void SetPointerSource(std::function<QPoint()> source);
    static QPoint PointerPosition();
};
