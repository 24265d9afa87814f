#include "view/SeekCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

#include <algorithm>

namespace {

constexpr int kWheelNotch = 120;
constexpr int kShiftFactor = 5;

} // namespace

void SeekCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kSeekBack, [this] { SeekBy(-Second()); });
    commands.Add(cmd::kSeekForward, [this] { SeekBy(Second()); });
}

// Whole frames: block alignment times samples per second.
std::int64_t SeekCommands::Second() const {
    const WaveFormat& format = m_view.Doc().m_player.Format();
    return static_cast<std::int64_t>(format.blockAlign) * format.samplesPerSec;
}

// The new start stays inside the item; the item plays on from it to its end without the
// pass counting as a repetition.
void SeekCommands::SeekBy(std::int64_t bytes) {
    ViewState& s = m_view.State();
    CPlaybackController& playback = m_view.Playback();
    PlayItem* item = playback.CurrentItem();
    if (!s.m_playing || item == nullptr) {
        return;
    }
    CWaveEngine& engine = m_view.Doc().m_player;
    const std::int64_t position =
        static_cast<std::int64_t>(engine.GetPlayPosition()) + item->curStart;
    engine.ResetOutput();
    const std::int64_t target = std::clamp<std::int64_t>(position + bytes, item->start, item->end);
    item->curStart = static_cast<std::uint32_t>(target);
    item->curEnd = item->end;
    playback.StartItem(true);
}

// Each whole notch of 120 counts once; a message of several notches seeks once by their
// combined distance.
void SeekCommands::Wheel(int delta, bool shift) {
    const int notches = delta / kWheelNotch;
    if (notches == 0) {
        return;
    }
    const WaveFormat& format = m_view.Doc().m_player.Format();
    const std::int64_t half =
        static_cast<std::int64_t>(format.blockAlign) * (format.samplesPerSec / 2);
    SeekBy(notches * half * (shift ? kShiftFactor : 1));
}
