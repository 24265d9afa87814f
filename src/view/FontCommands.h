#pragma once

#include <cstdint>

class CEarlarkMainView;
class CommandMap;

// The font dialog, the five colour commands and the Languages menu.
class FontCommands {
public:
    explicit FontCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void ChooseFont();
    // Asks for one of the document's six colours; index into m_colors.
    void ChooseColor(int colorIndex);
    void SetLanguage(std::uint8_t charSet);

private:
    CEarlarkMainView& m_view;
};
