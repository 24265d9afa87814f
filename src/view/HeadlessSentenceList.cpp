#include "view/HeadlessSentenceList.h"

void HeadlessSentenceList::SetFont(const std::u16string& face, std::uint8_t charSet) {
    m_face = face;
    m_charSet = charSet;
}
