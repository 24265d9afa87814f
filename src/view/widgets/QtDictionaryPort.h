#pragma once

#include "view/DictionaryPort.h"

#include <QObject>

class DicPopupSettings;
class MiniDictionary;
class QComboBox;
class QWidget;

// The study view's Mini-Dictionary port on the window: popups owned by the form, and the
// form's search field.
class QtDictionaryPort : public QObject, public DictionaryPort {
    Q_OBJECT
public:
    QtDictionaryPort(QWidget& owner, QComboBox& searchField, MiniDictionary& dictionary,
                     DicPopupSettings& settings);

    void ClosePopup() override;
    void ShowPopup(const std::string& word, int x, int y, int lineHeight) override;
    bool SearchFieldHasFocus() const override;
    std::string SearchFieldText() const override;
    void AddSearchToList(const std::string& text) override;
    int SearchFieldLeft() const override;
    int SearchFieldBottom() const override;
    int SearchFieldHeight() const override;

private:
    QWidget& m_owner;
    QComboBox& m_searchField;
    MiniDictionary& m_dictionary;
    DicPopupSettings& m_settings;
};
