#pragma once

class CEarlarkMainView;
class CommandMap;

// The three ways of filling the sentence box: every sentence in study order, the
// highlighted ones only, every sentence in a random order.
class ListModeCommands {
public:
    explicit ListModeCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    // Also the view's general way of rebuilding the list.
    void ShowAll();
    void ShowHighlighted();
    void ShowRandom();

private:
    void StartRebuild();
    // Clears the group flags and shows the row.
    void ShowRowOfNewList(int row);

    CEarlarkMainView& m_view;
};
