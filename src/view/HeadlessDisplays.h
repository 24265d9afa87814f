#pragma once

#include "view/ViewPorts.h"

#include <map>
#include <vector>

// The form's displays and buttons without a window: the last value of each.
class HeadlessDisplays : public DisplayPort {
public:
    void SetTime(std::uint32_t value, std::uint32_t /*bytesPerSecond*/) override { time = value; }
    void SetCounter(int position, int count) override;
    void SetRepetitions(int value) override { repetitions = value; }
    void SetInterval(int value) override { interval = value; }
    void SetSpeed(int value) override { speed = value; }
    void SetVolume(int value) override { volume = value; }
    void SetSpectrum(std::span<const int> levels) override;
    void SetButtonOn(int controlId, bool on) override { buttonOn[controlId] = on; }
    void ShowButton(int controlId, bool visible) override { buttonShown[controlId] = visible; }

    std::uint32_t time = 0;
    int counterPosition = 0;
    int counterCount = 0;
    int repetitions = 0;
    int interval = 0;
    int speed = 0;
    int volume = 0;
    std::vector<int> spectrum;
    std::map<int, bool> buttonOn;
    std::map<int, bool> buttonShown;
};
