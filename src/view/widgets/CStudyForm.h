#pragma once

#include "view/PaneLayout.h"
#include "view/ViewPorts.h"

#include <QWidget>
#include <functional>

class CAcceleratorFilter;
class CEarlarkMainView;
class CLwBox;
class CSentenceListBox;
class CSkin;
class QComboBox;
class SkinControlSet;

// The study form: the skinned deck (buttons and displays), the sentence box, the
// Listen-and-Write and Original Text boxes and the hidden Mini-Dictionary field, drawn
// on the skin's frame. It is the window side of the study view: it shows what the view
// pushes through the form and display ports, and hands every click, key, wheel turn and
// menu choice to the view as a command.
class CStudyForm : public QWidget, public FormPort, public DisplayPort {
    Q_OBJECT
public:
    static constexpr int kListId = 1030;
    static constexpr int kListenWriteId = 1007;
    static constexpr int kOriginalId = 1079;
    static constexpr int kDictionaryId = 1097;
    static constexpr int kDictionaryDropWidth = 150;

    CStudyForm(const CSkin& skin, QWidget* parent = nullptr);
    ~CStudyForm() override;

    // The view the form works for; its rows are what the list draws.
    void SetView(CEarlarkMainView* view);
    void SetRecentFiles(std::function<std::vector<std::string>()> recentFiles);
    // A command from a button, a key or a box, with the modifier keys held.
    void RunCommand(int id, KeyModifiers modifiers);

    SkinControlSet& Controls() { return *m_controls; }
    CSentenceListBox& List() { return *m_list; }
    CLwBox& ListenWrite() { return *m_listenWrite; }
    CLwBox& Original() { return *m_original; }
    QComboBox& Dictionary() { return *m_dictionary; }
    const PaneLayout& Layout() const { return m_layout; }
    // The control with a form id: a skinned control, the list, a box or the combo box.
    QWidget* Control(int id) const;

    // FormPort
    int ClientWidth() const override { return width(); }
    int ClientHeight() const override { return height(); }
    PaneMargins Margins() const override;
    void SetPaneLayout(const PaneLayout& layout) override;
    void Repaint() override;
    std::optional<int> PopupMenu(const MenuModel& menu, int belowControlId) override;
    std::optional<FontChoice> ChooseFont(const FontChoice& initial) override;
    std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override;
    std::optional<CompareChoice> ChooseCompareOptions(const CompareChoice& initial) override;
    std::optional<int> ChoosePadding(int ms) override;
    void SetTopmost(bool topmost) override;
    bool IsMinimized() const override { return window() && window()->isMinimized(); }
    void OpenUrl(const std::string& url) override;
    void PostCommand(int id) override;
    void SendFrameCommand(int id) override;
    std::vector<std::string> RecentFiles() const override;

    // DisplayPort
    void SetTime(std::uint32_t value, std::uint32_t bytesPerSecond) override;
    void SetCounter(int position, int count) override;
    void SetRepetitions(int repetitions) override;
    void SetInterval(int tenths) override;
    void SetSpeed(int percent) override;
    void SetVolume(int volume) override;
    void SetSpectrum(std::span<const int> levels) override;
    void SetButtonOn(int controlId, bool on) override;
    void ShowButton(int controlId, bool visible) override;

signals:
    // Every command of the form's buttons, keys and boxes, as it goes to the view.
    void commandIssued(int id, KeyModifiers modifiers);
    // A command the view left to the frame and the application.
    void frameCommand(int id);
    void topmostRequested(bool topmost);
    // A command of the form has been carried out (the frame refreshes its title).
    void commandFinished();
    // A word to look up in the Mini-Dictionary, at a point in global coordinates.
    void wordLookUp(int code, const QString& word, QPoint anchor, int lineHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void CreateBoxes();
    void ApplyTooltips();
    void Wheel(int delta, bool shift);

    const CSkin& m_skin;
    SkinControlSet* m_controls;
    CSentenceListBox* m_list;
    CLwBox* m_listenWrite;
    CLwBox* m_original;
    QComboBox* m_dictionary;
    CAcceleratorFilter* m_keys;
    CEarlarkMainView* m_view = nullptr;
    PaneLayout m_layout;
    std::function<std::vector<std::string>()> m_recentFiles;
};
