#pragma once

#include "view/ViewPorts.h"
#include "view/widgets/CFontLinker.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

class SentenceRows;

// The sentence box: one owner-drawn row of 19 pixels per list position, drawn from the
// view's rows (record pointers; the list holds no strings of its own), with a vertical
// scroll bar. A click or a keyboard move selects a row; a right-click finds the word
// under the pointer for the Mini-Dictionary.
class CSentenceListBox : public QAbstractScrollArea, public SentenceListPort {
    Q_OBJECT
public:
    // Code of the word-look-up notice the list sends to the form.
    static constexpr int kLookUpWord = 7;

    explicit CSentenceListBox(QWidget* parent = nullptr);

    void SetRows(const SentenceRows* rows);
    int CurSel() const { return m_curSel; }
    bool ShowsRepeatCount() const { return m_showCount; }
    QFont RowFont() const { return m_font; }
    // The row under a point of the list's viewport, or -1.
    int RowAt(QPoint point) const;
    QRect RowRect(int row) const;
    int TopRow() const;

    // The last word a right-click found, where it lies and the font's line height.
    const QString& ClickedWord() const { return m_clickedWord; }
    QPoint Anchor() const { return m_anchor; }
    int LineHeight() const { return m_lineHeight; }
    // Finds the word at a viewport point as a right-click does; true when one was found.
    bool FindWordAt(QPoint point);

    // SentenceListPort
    void RowsChanged() override;
    void SetCurSel(int row) override;
    void RepaintRow(int row) override;
    void RepaintAll() override;
    void SetFont(const std::u16string& face, std::uint8_t charSet) override;
    void SetShowRepeatCount(bool show) override;

signals:
    void rowSelected(int row);
    void wordClicked(int code, const QString& word, QPoint anchor, int lineHeight);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int Count() const;
    int VisibleRows() const;
    void UpdateScrollRange();
    void EnsureVisible(int row);
    void SelectByUser(int row);

    const SentenceRows* m_rows = nullptr;
    int m_curSel = -1;
    bool m_showCount = true;
    QString m_face;
    QFont m_font;
    CFontLinker m_linker;
    QColor m_background;
    QString m_clickedWord;
    QPoint m_anchor;
    int m_lineHeight = 0;
};
