#pragma once

#include <string>

// The Mini-Dictionary's window side as the study view uses it: the popup and the search
// field (control 1097, an editable combo box with a drop-down list of earlier searches).
class DictionaryPort {
public:
    virtual ~DictionaryPort() = default;

    virtual void ClosePopup() = 0;
    // Shows the entry of a word beside it: the anchor in screen coordinates, normally the
    // lower left of the word, and the height of the word's line (the popup goes above the
    // line when there is no room below it). Does nothing when a popup is shown, the popup
    // feature is off or no dictionary is open.
    virtual void ShowPopup(const std::string& word, int x, int y, int lineHeight) = 0;

    virtual bool SearchFieldHasFocus() const = 0;
    virtual std::string SearchFieldText() const = 0;
    // Puts a search at the top of the field's drop-down list.
    virtual void AddSearchToList(const std::string& text) = 0;
    // The field's lower left corner in screen coordinates, and its height.
    virtual int SearchFieldLeft() const = 0;
    virtual int SearchFieldBottom() const = 0;
    virtual int SearchFieldHeight() const = 0;
};
