#pragma once

class CEarlarkMainView;
class CommandMap;

// Moving between sentences (Next, Previous, First, Last, Enter) and joining a sentence's
// boundary to its neighbour's (Ctrl+L, Alt+L).
class NavigationCommands {
public:
    explicit NavigationCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void Next();
    void Previous();
    void First();
    void Last();
    void Enter();
    void JoinPrevious();
    void JoinNext();

private:
    void MoveTo(int row);
    bool JoinAllowed();

    CEarlarkMainView& m_view;
};
