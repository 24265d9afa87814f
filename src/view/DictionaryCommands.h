#pragma once

#include <string>

class CEarlarkMainView;
class CommandMap;
class DictionaryPort;
class MiniDictionary;

// The study view's Mini-Dictionary requests: looking up a word that a box or the sentence
// list reports, searching the word typed into the search field, and choosing another
// dictionary (command 32810). Without an attached dictionary and port (the headless
// session) they do nothing.
class DictionaryCommands {
public:
    explicit DictionaryCommands(CEarlarkMainView& view) : m_view(view) {}

    void Register(CommandMap& commands);
    void Attach(MiniDictionary* dictionary, DictionaryPort* port);

    // The entry point for every word look-up (a right-click or F1 in a text box, a
    // right-click in the sentence list): closes any popup and opens one for the word at the
    // anchor, in screen coordinates under the word's first character, with the height of
    // the word's line.
    void LookUpWord(const std::string& word, int screenX, int screenY, int lineHeight);
    // True when Enter belongs to the search field (it has the focus).
    bool SearchFieldHasFocus() const;
    // Enter in the search field: the trimmed text goes to the top of the field's list and
    // is looked up below the field.
    void SearchTypedWord();
    // "Mini-Dictionary Path Setup...": an index file chosen by the user is opened.
    void ChooseDictionaryPath();

private:
    CEarlarkMainView& m_view;
    MiniDictionary* m_dictionary = nullptr;
    DictionaryPort* m_port = nullptr;
};
