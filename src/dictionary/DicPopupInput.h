#pragma once

// What the dictionary popup does with an input message of the application while it is
// shown. Keys never reach the popup itself (it takes no focus), so the four keys it uses
// are taken wherever they were going; clicks are taken only when they hit the popup.
namespace popup_input {

enum class Kind { ClientButtonDown, NonClientButtonDown, KeyDown };
enum class Button { Left, Right, Middle };
enum class Key { Left, Right, PageUp, PageDown, Escape, Other };
enum class Action { None, Close, StepBack, StepForward, LongerTime, ShorterTime };

struct Message {
    Kind kind = Kind::KeyDown;
    Button button = Button::Left;
    Key key = Key::Other;
    // The message is addressed to the popup window itself.
    bool toPopup = false;
    // A click's point in popup coordinates.
    int x = 0;
    int y = 0;
};

struct Decision {
    Action action = Action::None;
    // The message goes no further.
    bool consumed = false;
    bool operator==(const Decision&) const = default;
};

Decision Decide(const Message& message);

} // namespace popup_input
