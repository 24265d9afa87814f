#include "skin/TitleAwarePrompts.h"

#include "skin/CTitlePicture.h"

template <typename Ask> auto TitleAwarePrompts::AroundPicture(Ask ask) {
    const bool pictureShown = CTitlePicture::Current() != nullptr;
    CTitlePicture::StopTitleTimer();
    auto answer = ask();
    if (pictureShown) {
        CTitlePicture::CloseTitlePicture();
    }
    return answer;
}

void TitleAwarePrompts::ShowMessage(const std::string& text, PromptIcon icon) {
    AroundPicture([&] {
        m_inner.ShowMessage(text, icon);
        return 0;
    });
}

PromptAnswer TitleAwarePrompts::AskYesNo(const std::string& text) {
    return AroundPicture([&] { return m_inner.AskYesNo(text); });
}

PromptAnswer TitleAwarePrompts::AskYesNoDefaultNo(const std::string& text) {
    return AroundPicture([&] { return m_inner.AskYesNoDefaultNo(text); });
}

PromptAnswer TitleAwarePrompts::AskYesNoCancel(const std::string& text) {
    return AroundPicture([&] { return m_inner.AskYesNoCancel(text); });
}
