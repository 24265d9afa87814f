#include "skin/SkinHover.h"

#include "skin/CSkinButton.h"

#include <QCursor>
#include <QPointer>
#include <QTimer>

namespace {

struct HoverState {
    QPointer<CSkinButton> hovered;
    QTimer* timer = nullptr;
    std::function<QPoint()> pointer;
};

HoverState& State() {
    static HoverState state;
    return state;
}

QTimer& Timer() {
    HoverState& state = State();
    if (!state.timer) {
        state.timer = new QTimer();
        state.timer->setInterval(SkinHover::kPeriodMs);
        QObject::connect(state.timer, &QTimer::timeout, [] { SkinHover::Tick(); });
    }
    return *state.timer;
}

bool PointerInside(const CSkinButton& button) {
    QRect global(button.mapToGlobal(QPoint(0, 0)), button.size());
    return global.contains(SkinHover::PointerPosition());
}

} // namespace

void SkinHover::Claim(CSkinButton* button) {
    HoverState& state = State();
    if (state.hovered == button) {
        return;
    }
    if (state.hovered) {
        CSkinButton* previous = state.hovered;
        state.hovered = nullptr;
        Timer().stop();
        previous->repaint();
    }
    if (!Timer().isActive()) {
        Timer().start();
    }
    state.hovered = button;
    button->repaint();
}

void SkinHover::Forget(CSkinButton* button) {
    HoverState& state = State();
    if (state.hovered == button) {
        state.hovered = nullptr;
        if (state.timer) {
            state.timer->stop();
        }
    }
}

CSkinButton* SkinHover::Hovered() {
    return State().hovered;
}

bool SkinHover::TimerRunning() {
    return State().timer && State().timer->isActive();
}

void SkinHover::Tick() {
    HoverState& state = State();
    CSkinButton* button = state.hovered;
    if (!button) {
        Timer().stop();
        return;
    }
    if (PointerInside(*button)) {
        return;
    }
    Timer().stop();
    state.hovered = nullptr;
    button->repaint();
}

void SkinHover::SetPointerSource(std::function<QPoint()> source) {
    State().pointer = std::move(source);
}

QPoint SkinHover::PointerPosition() {
    const HoverState& state = State();
    return state.pointer ? state.pointer() : QCursor::pos();
}
