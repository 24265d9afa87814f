#pragma once

#include <QMainWindow>

class CEarlarkApp;
class CEarlarkDoc;
class QListWidget;

// The program's single top-level window. For now a plain frame that lists the study's
// sentences; the skinned deck and the study view take its client area later.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CEarlarkApp& app, CEarlarkDoc& doc);

    // Fills the window from the document (after open, new or save).
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void AddCommands();

    CEarlarkApp& m_app;
    CEarlarkDoc& m_doc;
    QListWidget* m_list;
};
