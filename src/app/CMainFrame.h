#pragma once

#include "app/FramePlacement.h"

#include <QMainWindow>
#include <memory>
#include <optional>

class CEarlarkApp;
class CEarlarkDoc;
class CEarlarkMainView;
class CSkin;
class CStudyDialogs;
class CStudyForm;
class SettingsStore;

// The program's single top-level window: no menu bar, the study form as its whole client
// area, with the study view's state machine behind it. It restores and saves its
// placement, keeps a minimum size, shows the title picture when it first appears and as
// the About box, can stay on top, and handles the commands the view leaves to it: new,
// open and recent studies, help, mail and web links, the volume-control program.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Command ids the frame handles itself.
    static constexpr int kMailWebButton = 111;
    static constexpr int kVolumeControl = 114;
    static constexpr int kLogoButton = 1203;
    static constexpr int kStudyView = 103;
    static constexpr int kRebuildView = 1105;
    static constexpr int kAbout = 32823;
    static constexpr int kMailUs = 32839;
    static constexpr int kWebPage = 32848;
    static constexpr int kHowToUse = 32857;
    static constexpr int kHotKeys = 32829;

    CMainFrame(CEarlarkApp& app, CEarlarkDoc& doc, const CSkin& skin, SettingsStore& settings);
    ~CMainFrame() override;

    // Loads the document into the view (after open, new or import) and updates the title.
    void Refresh();
    void UpdateTitle();
    // Above all other windows, or back among them, without moving or activating.
    void SetTopmost(bool topmost);
    void OnCommand(int id);
    // Replaces the view with a new one of the document's view kind.
    void RebuildView();

    int ViewKind() const { return m_nViewKind; }
    CStudyForm* Form() const;
    CEarlarkMainView* View() const { return m_view.get(); }
    FrameRect OuterRect() const;
    void SavePlacement();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool nativeEvent(const QByteArray& type, void* message, qintptr* result) override;

private:
    void AddCommands();
    void CentreAndRestore();
    QMargins Decoration() const;
    void MoveOuterTo(const FrameRect& outer);
    void UpdateMinimumSize();
    // A command the view did not handle.
    void OnViewCommand(int id);
    void ImportAudio();
    void OpenStudy(const std::string& path);
    void OpenRecent(int index);
    void ShowMailWebMenu();
    void OpenHelp(int topic);
    void StartVolumeControl();

    CEarlarkApp& m_app;
    CEarlarkDoc& m_doc;
    const CSkin& m_skin;
    SettingsStore& m_settings;
    std::unique_ptr<CEarlarkMainView> m_view;
    std::unique_ptr<CStudyDialogs> m_studyDialogs;
    int m_nViewKind = 103;
    bool m_shownOnce = false;
    std::optional<FrameRect> m_restored;
};
