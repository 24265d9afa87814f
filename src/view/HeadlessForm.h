#pragma once

#include "view/ViewPorts.h"

#include <deque>
#include <functional>

// The form without a window: a fixed client size, the posted commands in a queue that the
// owner runs, menus and dialogs dismissed, frame commands handed to a callback.
class HeadlessForm : public FormPort {
public:
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    PaneMargins Margins() const override { return margins; }
    void SetPaneLayout(const PaneLayout& value) override { layout = value; }
    void Repaint() override {}
    std::optional<int> PopupMenu(const MenuModel& menu, int belowControlId) override;
    std::optional<FontChoice> ChooseFont(const FontChoice&) override { return std::nullopt; }
    std::optional<std::uint32_t> ChooseColor(std::uint32_t) override { return std::nullopt; }
    std::optional<int> ChoosePadding(int) override { return std::nullopt; }
    std::optional<CompareChoice> ChooseCompareOptions(const CompareChoice&) override {
        return std::nullopt;
    }
    void SetTopmost(bool value) override { topmost = value; }
    void OpenUrl(const std::string& url) override { openedUrls.push_back(url); }
    void PostCommand(int id) override { posted.push_back(id); }
    void SendFrameCommand(int id) override;
    std::vector<std::string> RecentFiles() const override { return recentFiles; }

    // Takes the oldest posted command; false when none waits.
    bool TakePosted(int& id);

    int width = 800;
    int height = 600;
    PaneMargins margins;
    PaneLayout layout;
    bool topmost = false;
    std::vector<std::string> openedUrls;
    std::vector<std::string> recentFiles;
    std::function<void(int)> onFrameCommand;
    // The last menu shown, and the command to choose from it (none dismisses it).
    MenuModel lastMenu;
    std::optional<int> menuChoice;

private:
    std::deque<int> posted;
};
