#pragma once

class CEarlarkMainView;
class CommandMap;

// The study's play settings: repetition count, interval, speed and volume.
class PlaySettingCommands {
public:
    // Operations of ChangeRepeatInterval.
    enum Op { kRepeatUp = 1, kRepeatDown = 2, kIntervalUp = 3, kIntervalDown = 4, kEndless = 5 };

    explicit PlaySettingCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void ChangeRepeatInterval(int op);
    // Faster (+5) or slower (-5), within 50..200 and on a multiple of 5.
    void StepSpeed(int step);
    // Ctrl+2 (up) or Ctrl+1 (down): the next speed of the preset cycle.
    void CycleSpeedPreset(bool up);
    // Volume up (+1) or down (-1) by one eighth of the range.
    void StepVolume(int direction);
    // "Sentence Padding...": the lead-in and tail in the "Padding" setting.
    void ChoosePadding();

    // The preset that follows speed in a cycle; any speed outside it gives 100.
    static int NextPreset(int speed, bool up);
    static int SteppedSpeed(int speed, int step);

private:
    void ReopenAtSpeed();
    void RefreshQueue();

    CEarlarkMainView& m_view;
};
