#include "view/DictionaryCommands.h"

#include "dictionary/MiniDictionary.h"
#include "platform/FileDialogs.h"
#include "view/CEarlarkMainView.h"
#include "view/CommandMap.h"
#include "view/DictionaryPort.h"
#include "view/ViewCommandIds.h"

namespace {

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

} // namespace

void DictionaryCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kDictionaryPath, [this] { ChooseDictionaryPath(); });
}

void DictionaryCommands::Attach(MiniDictionary* dictionary, DictionaryPort* port) {
    m_dictionary = dictionary;
    m_port = port;
}

void DictionaryCommands::LookUpWord(const std::string& word, int screenX, int screenY,
                                    int lineHeight) {
    if (m_port == nullptr) {
        return;
    }
    m_port->ClosePopup();
    m_port->ShowPopup(word, screenX, screenY, lineHeight);
}

bool DictionaryCommands::SearchFieldHasFocus() const {
    return m_port != nullptr && m_port->SearchFieldHasFocus();
}

void DictionaryCommands::SearchTypedWord() {
    if (m_port == nullptr) {
        return;
    }
    const std::string text = Trimmed(m_port->SearchFieldText());
    if (!text.empty()) {
        m_port->AddSearchToList(text);
    }
    LookUpWord(text, m_port->SearchFieldLeft(), m_port->SearchFieldBottom(),
               m_port->SearchFieldHeight() + 1);
}

void DictionaryCommands::ChooseDictionaryPath() {
    if (m_dictionary == nullptr) {
        return;
    }
    FileDialogRequest request;
    request.title = "Mini-dictionary path";
    request.filter = "Mini-Dictionary (*.idx)|*.idx||";
    request.initialPath = m_dictionary->DictionaryDataPath();
    request.mustExist = true;
    if (auto chosen = m_view.Ports().fileDialogs.GetOpenFileName(request)) {
        if (m_port != nullptr) {
            m_port->ClosePopup();
        }
        m_dictionary->OpenDictionary(*chosen);
    }
}
