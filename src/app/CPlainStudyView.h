#pragma once

#include <QWidget>

class CEarlarkDoc;
class CSkin;
class QListWidget;
class SkinControlSet;

// The study view as it stands until the full form arrives: the skinned deck with its
// buttons and displays showing the study's settings, the frame drawn from the skin, and
// the sentence list filling the inner area.
class CPlainStudyView : public QWidget {
    Q_OBJECT
public:
    CPlainStudyView(const CSkin& skin, CEarlarkDoc& doc, QWidget* parent = nullptr);

    // Loads the document into the displays, toggles and list.
    void OnInitialUpdate();
    SkinControlSet& Controls() { return *m_controls; }

signals:
    void commandTriggered(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowSettings();
    void FillList();

    const CSkin& m_skin;
    CEarlarkDoc& m_doc;
    SkinControlSet* m_controls;
    QListWidget* m_list;
};
