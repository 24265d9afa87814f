#include "view/widgets/CCompareOptionsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CCompareOptionsDlg::CCompareOptionsDlg(const CompareChoice& initial, QWidget* parent)
    : QDialog(parent), m_case(new QCheckBox(tr("Check &Case-sensitivity"), this)),
      m_punctuation(new QCheckBox(tr("Check &Punctuation"), this)) {
    setWindowTitle(tr("Compare Transcription and Original Text"));
    m_case->setChecked(initial.caseSensitive);
    m_punctuation->setChecked(initial.punctuation);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_case);
    layout->addWidget(m_punctuation);
    layout->addWidget(buttons);
}

CompareChoice CCompareOptionsDlg::Choice() const {
    return {m_case->isChecked(), m_punctuation->isChecked()};
}
