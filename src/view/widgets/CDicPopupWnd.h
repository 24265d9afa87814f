#pragma once

#include "dictionary/DicPopupContent.h"

#include <QFont>
#include <QPoint>
#include <QWidget>

class QTimer;

// The Mini-Dictionary popup: a small light-yellow window beside a word with the headword
// in bold, its parts of speech, the "<" and ">" stepping marks and the word-wrapped meaning.
// It never takes the focus and closes by itself after the display time; while it is shown,
// DictionaryPopupFilter sees every event of the application first and closes it on clicks
// and keys elsewhere. At most one exists at a time.
class CDicPopupWnd : public QWidget {
    Q_OBJECT
public:
    ~CDicPopupWnd() override;

    // Opens the popup for a word at an anchor in screen coordinates (normally the lower left
    // of the word) with the height of the word's line. Does nothing when the feature is
    // disabled, a popup is already shown, no dictionary is open, or the word has no entry.
    static void ShowDictionaryPopup(QWidget* owner, MiniDictionary& dictionary,
                                    DicPopupSettings& settings, const std::string& word,
                                    QPoint anchor, int lineHeight);
    static void CloseDictionaryPopup();
    // True when the popup consumed the event (see popup_input::Decide).
    static bool DictionaryPopupFilter(QObject* watched, QEvent* event);
    static CDicPopupWnd* Current();

    const DicPopupContent& Content() const { return m_content; }
    bool TimerRunning() const;
    int TimerInterval() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDicPopupWnd(QWidget* owner, MiniDictionary& dictionary, DicPopupSettings& settings,
                 QPoint anchor, int lineHeight);
    void Layout();
    void Step(bool forward);
    void ChangeDisplayTime(int direction);

    DicPopupContent m_content;
    DicPopupSettings& m_settings;
    QFont m_normalFont;
    QFont m_boldFont;
    QPoint m_anchor;
    int m_lineHeight;
    QTimer* m_timer;
};
