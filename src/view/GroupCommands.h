#pragma once

#include <string>

class CEarlarkMainView;
class CommandMap;

// Sentence groups: consecutive sentences played as one range, their texts standing in the
// boxes one after another behind "[NNN]" delimiters. A group lives in the play state
// (range play of kind 2 over m_groupFirst..m_groupLast) and in the rows' group flag.
class GroupCommands {
public:
    explicit GroupCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void GroupWithNext();
    void GroupAll();
    // False when a box's delimiters do not match the group size (nothing changed then).
    bool SplitOffLast();
    void Dissolve();

private:
    // Adds the next row to the group (starting one at the current row); false when there
    // is nothing to add.
    bool Extend();
    bool AllowedHere();
    bool DelimitersMatch(const std::u16string& text, const char* message);
    void EnterGroupState();
    void PlayGroup();

    CEarlarkMainView& m_view;
};
