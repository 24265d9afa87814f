#include "view/widgets/CSentenceListBox.h"

#include "document/CEarlarkWaveSection.h"
#include "skin/CSkin.h"
#include "view/SentenceRows.h"
#include "view/widgets/SentenceRowPainter.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

bool IsAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

CSentenceListBox::CSentenceListBox(QWidget* parent)
    : QAbstractScrollArea(parent), m_font(SentenceRowPainter::RowFont(QString())),
      m_background(CSkin::BackgroundColor()) {
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

void CSentenceListBox::SetRows(const SentenceRows* rows) {
    m_rows = rows;
    RowsChanged();
}

int CSentenceListBox::Count() const {
    return m_rows ? m_rows->Count() : 0;
}

int CSentenceListBox::VisibleRows() const {
    return std::max(viewport()->height() / SentenceRowPainter::kRowHeight, 1);
}

int CSentenceListBox::TopRow() const {
    return verticalScrollBar()->value();
}

QRect CSentenceListBox::RowRect(int row) const {
    return QRect(0, (row - TopRow()) * SentenceRowPainter::kRowHeight, viewport()->width(),
                 SentenceRowPainter::kRowHeight);
}

int CSentenceListBox::RowAt(QPoint point) const {
    if (point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width()) {
        return -1;
    }
    const int row = TopRow() + point.y() / SentenceRowPainter::kRowHeight;
    return row < Count() ? row : -1;
}

void CSentenceListBox::UpdateScrollRange() {
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(VisibleRows());
    bar->setRange(0, std::max(Count() - VisibleRows(), 0));
}

void CSentenceListBox::EnsureVisible(int row) {
    if (row < 0) {
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value()) {
        bar->setValue(row);
    } else if (row >= bar->value() + VisibleRows()) {
        bar->setValue(row - VisibleRows() + 1);
    }
}

void CSentenceListBox::RowsChanged() {
    if (m_curSel >= Count()) {
        m_curSel = -1;
    }
    UpdateScrollRange();
    viewport()->update();
}

void CSentenceListBox::SetCurSel(int row) {
    const int previous = m_curSel;
    m_curSel = row >= 0 && row < Count() ? row : -1;
    EnsureVisible(m_curSel);
    RepaintRow(previous);
    RepaintRow(m_curSel);
}

void CSentenceListBox::RepaintRow(int row) {
    if (row >= 0 && row < Count()) {
        viewport()->update(RowRect(row));
    }
}

void CSentenceListBox::RepaintAll() {
    viewport()->repaint();
}

void CSentenceListBox::SetFont(const std::u16string& face, std::uint8_t charSet) {
    m_face = QString::fromStdU16String(face);
    m_font = SentenceRowPainter::RowFont(m_face);
    m_linker.SetCharSet(charSet);
    viewport()->update();
}

void CSentenceListBox::SetShowRepeatCount(bool show) {
    m_showCount = show;
    RepaintAll();
}

void CSentenceListBox::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), m_background);
    const int last = std::min(Count(), TopRow() + VisibleRows() + 1);
    for (int row = TopRow(); row < last; ++row) {
        if (const CEarlarkWaveSection* sentence = m_rows->At(row)) {
            SentenceRowPainter::Draw(painter, m_linker, m_font, RowRect(row), row, *sentence,
                                     row == m_curSel, m_showCount, m_background);
        }
    }
}

void CSentenceListBox::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

void CSentenceListBox::SelectByUser(int row) {
    SetCurSel(row);
    emit rowSelected(row);
}

// A click always selects, the current row too: selecting a row plays it.
void CSentenceListBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const int row = RowAt(point);
    if (event->button() == Qt::LeftButton && row >= 0) {
        setFocus(Qt::MouseFocusReason);
        SelectByUser(row);
    } else if (event->button() == Qt::RightButton && FindWordAt(point)) {
        emit wordClicked(kLookUpWord, m_clickedWord, m_anchor, m_lineHeight);
    }
    event->accept();
}

void CSentenceListBox::keyPressEvent(QKeyEvent* event) {
    const int count = Count();
    if (count == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    int row = -1;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(m_curSel - 1, 0);
        break;
    case Qt::Key_Down:
        row = std::min(m_curSel + 1, count - 1);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = count - 1;
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (row != m_curSel) {
        SelectByUser(row);
    }
}

// The row's text as typed (paragraph breaks kept), cut into runs of ASCII letters; the
// first run reaching the pointer from a start at or left of it is the word. Positions are
// measured in the row font from the text's left edge.
bool CSentenceListBox::FindWordAt(QPoint point) {
    const int row = RowAt(point);
    const CEarlarkWaveSection* sentence = row >= 0 ? m_rows->At(row) : nullptr;
    if (!sentence || sentence->m_strListenWrite.empty()) {
        return false;
    }
    const QString text = SentenceRowPainter::Prefix(row, *sentence, m_showCount) +
                         QString::fromStdU16String(sentence->m_strListenWrite);
    const QRect rect = RowRect(row);
    const int textLeft = rect.left() + SentenceRowPainter::kTextLeft;
    for (qsizetype start = 0; start < text.size();) {
        if (!IsAsciiLetter(text.at(start))) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < text.size() && IsAsciiLetter(text.at(end))) {
            ++end;
        }
        const int before = m_linker.Measure(m_font, text.left(start), viewport());
        const int after = m_linker.Measure(m_font, text.left(end), viewport());
        if (textLeft + after >= point.x() && textLeft + before <= point.x()) {
            const int height = QFontMetrics(m_font, viewport()).height();
            m_clickedWord = text.mid(start, end - start).trimmed();
            m_anchor = QPoint(before + SentenceRowPainter::kTextLeft, rect.top() + height);
            m_lineHeight = height;
            return true;
        }
        start = end;
    }
    return false;
}
