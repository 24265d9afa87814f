#include "view/widgets/QtDictionaryPort.h"

#include "view/widgets/CDicPopupWnd.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

QtDictionaryPort::QtDictionaryPort(QWidget& owner, QComboBox& searchField,
                                   MiniDictionary& dictionary, DicPopupSettings& settings)
    : QObject(&owner), m_owner(owner), m_searchField(searchField), m_dictionary(dictionary),
      m_settings(settings) {
    // Searches reach the list through AddSearchToList only.
    m_searchField.setInsertPolicy(QComboBox::NoInsert);
}

void QtDictionaryPort::ClosePopup() {
    CDicPopupWnd::CloseDictionaryPopup();
}

void QtDictionaryPort::ShowPopup(const std::string& word, int x, int y, int lineHeight) {
    CDicPopupWnd::ShowDictionaryPopup(&m_owner, m_dictionary, m_settings, word, QPoint(x, y),
                                      lineHeight);
}

bool QtDictionaryPort::SearchFieldHasFocus() const {
    const QWidget* focus = QApplication::focusWidget();
    return focus != nullptr && (focus == &m_searchField || m_searchField.isAncestorOf(focus));
}

std::string QtDictionaryPort::SearchFieldText() const {
    return m_searchField.currentText().toStdString();
}

void QtDictionaryPort::AddSearchToList(const std::string& text) {
    const QString shown = m_searchField.currentText();
    m_searchField.insertItem(0, QString::fromStdString(text));
    // Inserting may select the new item; the field keeps what was typed.
    m_searchField.setEditText(shown);
}

int QtDictionaryPort::SearchFieldLeft() const {
    return m_searchField.mapToGlobal(QPoint(0, 0)).x();
}

int QtDictionaryPort::SearchFieldBottom() const {
    return m_searchField.mapToGlobal(QPoint(0, m_searchField.height())).y();
}

int QtDictionaryPort::SearchFieldHeight() const {
    return m_searchField.height();
}
