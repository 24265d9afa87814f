#pragma once

#include <QObject>
#include <map>

class CSkin;
class CSkinButton;
class CSkinDisplay;
class QWidget;

// The skinned buttons and displays of the study form, created on a parent widget and
// placed from the skin's object list. Clicking a button reports its control id.
class SkinControlSet : public QObject {
    Q_OBJECT
public:
    SkinControlSet(const CSkin& skin, QWidget* parent);

    // Assigns every control its skin objects; the number of objects that failed (-1).
    int ApplySkin();

    CSkinButton* Button(int controlId) const;
    CSkinDisplay* Display(int controlId) const;

signals:
    void commandTriggered(int controlId);

private:
    const CSkin& m_skin;
    std::map<int, CSkinButton*> m_buttons;
    std::map<int, CSkinDisplay*> m_displays;
};
