#include "view/widgets/CExportScriptDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CExportScriptDlg::CExportScriptDlg(int column, QWidget* parent)
    : QDialog(parent), m_column(new QSpinBox(this)),
      m_original(new QCheckBox(tr("Export &original text"), this)),
      m_dataFile(new QCheckBox(tr("Export as &Wordlark data file (*.WKF)"), this)),
      m_date(new QCheckBox(tr("Record &date"), this)),
      m_unicode(new QCheckBox(tr("Export in &unicode"), this)) {
    setWindowTitle(tr("Export Script"));
    // The box takes any number; the command brings one outside 50 to 100 back to 70.
    m_column->setRange(0, 9999);
    m_column->setValue(column);
    auto* width = new QHBoxLayout;
    width->addWidget(m_column);
    width->addWidget(new QLabel(tr("(50 - 100 characters)"), this));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&Export..."), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(width);
    for (QCheckBox* box : {m_original, m_dataFile, m_date, m_unicode}) {
        layout->addWidget(box);
    }
    layout->addWidget(buttons);
}

ExportScriptChoice CExportScriptDlg::Choice() const {
    ExportScriptChoice choice;
    choice.column = m_column->value();
    choice.options.original = m_original->isChecked();
    choice.options.dataFile = m_dataFile->isChecked();
    choice.options.date = m_date->isChecked();
    choice.options.unicode = m_unicode->isChecked();
    return choice;
}
