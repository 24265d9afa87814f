#include "dictionary/DicPopupInput.h"

#include "dictionary/DicPopupLayout.h"

namespace popup_input {

namespace {

Decision DecideKey(Key key) {
    switch (key) {
    case Key::Left:
        return {Action::StepBack, true};
    case Key::Right:
        return {Action::StepForward, true};
    case Key::PageUp:
        return {Action::LongerTime, true};
    case Key::PageDown:
        return {Action::ShorterTime, true};
    case Key::Escape:
        return {Action::Close, true};
    case Key::Other:
        break;
    }
    return {Action::Close, false};
}

Action LeftClickAction(int x, int y) {
    if (popup_layout::kPreviousMark.Contains(x, y)) {
        return Action::StepBack;
    }
    if (popup_layout::kNextMark.Contains(x, y)) {
        return Action::StepForward;
    }
    return Action::Close;
}

} // namespace

Decision Decide(const Message& message) {
    switch (message.kind) {
    case Kind::KeyDown:
        return DecideKey(message.key);
    case Kind::NonClientButtonDown:
        return {Action::Close, false};
    case Kind::ClientButtonDown:
        if (message.button != Button::Left) {
            return {Action::Close, false};
        }
        return {LeftClickAction(message.x, message.y), message.toPopup};
    }
    return {};
}

} // namespace popup_input
