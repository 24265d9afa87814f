#pragma once

#include "view/ViewPorts.h"
#include "view/widgets/AcceleratorKeys.h"

#include <QObject>
#include <functional>
#include <vector>

class QWidget;

// The study form's accelerator table: a key of the table pressed anywhere in the form's
// window (the list, either box, the buttons) becomes its command before the focused
// widget sees it, so that a box never takes Enter as a line break or Ctrl+U as an edit.
class CAcceleratorFilter : public QObject {
    Q_OBJECT
public:
    using CommandHandler = std::function<void(int command, KeyModifiers modifiers)>;

    // Watches every widget whose window is the window of `form` at the time of the key.
    CAcceleratorFilter(QWidget* form, CommandHandler handler);
    ~CAcceleratorFilter() override;

    // The command of a chord, or nothing.
    std::optional<int> CommandOf(const KeyChord& chord) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool IsInFormWindow(QObject* watched) const;

    struct Binding {
        KeyChord chord;
        int command;
    };
    QWidget* m_form;
    CommandHandler m_handler;
    std::vector<Binding> m_bindings;
};
