#pragma once

#include "view/MenuModel.h"

#include <cstdint>
#include <string>

class CEarlarkMainView;
class CommandMap;

// The main-form menu (button 1021, F10) and the open and about popups, built with the
// checks of the moment.
class MenuCommands {
public:
    static constexpr const char* kMakerWebPage = "https://www.velmora.com/earlark";

    explicit MenuCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    MenuModel MainMenu() const;
    MenuModel OpenMenu() const;
    static MenuModel AboutMenu();
    // "English" ... for the stored character set; empty for an unknown one.
    static std::string LanguageName(std::uint8_t charSet);

private:
    void Popup(const MenuModel& menu, int belowControlId);

    CEarlarkMainView& m_view;
};
