#include "view/PlaySettingCommands.h"

#include "audio/SentencePadding.h"
#include "platform/SettingsTable.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMaxRepeat = 20;
constexpr int kMaxInterval = 99;
constexpr int kMinSpeed = 50;
constexpr int kMaxSpeed = 200;
constexpr int kVolumeStep = 8192;
constexpr int kMaxVolume = 65535;

constexpr std::array<int, 4> kPresetsDown{100, 75, 50, 33};
constexpr std::array<int, 4> kPresetsUp{100, 125, 150, 200};

} // namespace

void PlaySettingCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kSentencePadding, [this] { ChoosePadding(); });
    commands.Add(cmd::kRepeatUp, [this] { ChangeRepeatInterval(kRepeatUp); });
    commands.Add(cmd::kRepeatDown, [this] { ChangeRepeatInterval(kRepeatDown); });
    commands.Add(cmd::kIntervalUp, [this] { ChangeRepeatInterval(kIntervalUp); });
    commands.Add(cmd::kIntervalDown, [this] { ChangeRepeatInterval(kIntervalDown); });
    commands.Add(cmd::kRepeatEndless, [this] { ChangeRepeatInterval(kEndless); });
    commands.Add(cmd::kFaster, [this] { StepSpeed(5); });
    commands.Add(cmd::kSlower, [this] { StepSpeed(-5); });
    commands.Add(cmd::kSpeedPresetUp, [this] { CycleSpeedPreset(true); });
    commands.Add(cmd::kSpeedPresetDown, [this] { CycleSpeedPreset(false); });
    commands.Add(cmd::kVolumeUp, [this] { StepVolume(1); });
    commands.Add(cmd::kVolumeDown, [this] { StepVolume(-1); });
}

// The repetition count wraps (1, 2, ..., 20, 0 without end, 1); the interval stays within
// 0..99. A change reaches the queue at once but the pass being played keeps its values.
void PlaySettingCommands::ChangeRepeatInterval(int op) {
    CEarlarkDoc& doc = m_view.Doc();
    int r = doc.m_nRepeat;
    int v = doc.m_nInterval;
    switch (op) {
    case kRepeatUp:
        r = r + 1 > kMaxRepeat ? 0 : r + 1;
        break;
    case kRepeatDown:
        r = r - 1 < 0 ? kMaxRepeat : r - 1;
        break;
    case kIntervalUp:
        v = std::min(v + 1, kMaxInterval);
        break;
    case kIntervalDown:
        v = std::max(v - 1, 0);
        break;
    case kEndless:
        r = 0;
        break;
    default:
        return;
    }
    if (r != doc.m_nRepeat) {
        doc.m_nRepeat = r;
        doc.SetModifiedFlag();
        m_view.Ports().displays.SetRepetitions(r);
    }
    if (v != doc.m_nInterval) {
        doc.m_nInterval = v;
        doc.SetModifiedFlag();
        m_view.Ports().displays.SetInterval(v);
    }
    if (m_view.State().m_playing) {
        RefreshQueue();
    }
}

void PlaySettingCommands::RefreshQueue() {
    const auto repeat = static_cast<std::uint32_t>(m_view.Doc().m_nRepeat);
    for (PlayItem& item : m_view.State().m_playQueue) {
        item.intervalBytes = m_view.Playback().IntervalBytes(item.start, item.end);
        if (item.kind != PlayItem::kWholePass) {
            item.repetitions = repeat;
        }
    }
}

int PlaySettingCommands::SteppedSpeed(int speed, int step) {
    const int n = step < 0 ? std::max(speed + step, kMinSpeed) : std::min(speed + step, kMaxSpeed);
    return n - n % 5;
}

int PlaySettingCommands::NextPreset(int speed, bool up) {
    const auto& cycle = up ? kPresetsUp : kPresetsDown;
    const auto at = std::find(cycle.begin(), cycle.end(), speed);
    if (at == cycle.end()) {
        return 100;
    }
    return std::next(at) == cycle.end() ? cycle.front() : *std::next(at);
}

void PlaySettingCommands::StepSpeed(int step) {
    CEarlarkDoc& doc = m_view.Doc();
    const int n = SteppedSpeed(doc.m_nSpeed, step);
    if (n == doc.m_nSpeed) {
        return;
    }
    doc.m_nSpeed = n;
    ReopenAtSpeed();
}

void PlaySettingCommands::CycleSpeedPreset(bool up) {
    CEarlarkDoc& doc = m_view.Doc();
    doc.m_nSpeed = NextPreset(doc.m_nSpeed, up);
    ReopenAtSpeed();
}

// A new speed takes effect only through a new opening of the output: what plays starts
// again from the beginning of the current sentence.
void PlaySettingCommands::ReopenAtSpeed() {
    const bool wasPlaying = m_view.State().m_playing;
    if (wasPlaying) {
        m_view.Playback().Stop();
    } else {
        m_view.Doc().m_player.CloseOutput();
    }
    m_view.Ports().displays.SetSpeed(m_view.Doc().m_nSpeed);
    m_view.Doc().SetModifiedFlag();
    if (wasPlaying) {
        m_view.Playback().Play();
    }
}

void PlaySettingCommands::StepVolume(int direction) {
    CEarlarkDoc& doc = m_view.Doc();
    const int volume = doc.m_nVolume + direction * kVolumeStep;
    doc.m_nVolume = std::clamp(volume, 0, kMaxVolume);
    m_view.Playback().ApplyVolume();
}

// A new padding takes effect with the next pass or export.
void PlaySettingCommands::ChoosePadding() {
    SettingsStore& store = m_view.Ports().settings;
    const std::optional<int> chosen =
        m_view.Ports().form.ChoosePadding(SentencePadding::ValidMs(settings::kPadding.Read(store)));
    if (chosen) {
        settings::kPadding.Write(store, SentencePadding::ValidMs(*chosen));
    }
}
