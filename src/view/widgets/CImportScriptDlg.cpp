#include "view/widgets/CImportScriptDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CImportScriptDlg::CImportScriptDlg(QWidget* parent)
    : QDialog(parent), m_original(new QCheckBox(tr("Import as &original text"), this)),
      m_delimiter(new QCheckBox(tr("Use '//' as a &delimiter"), this)) {
    setWindowTitle(tr("Import Script"));
    m_delimiter->setChecked(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(tr("&Import"), QDialogButtonBox::AcceptRole);
    buttons->addButton(tr("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_original);
    layout->addWidget(m_delimiter);
    layout->addWidget(buttons);
}

ScriptImportOptions CImportScriptDlg::Options() const {
    ScriptImportOptions options;
    options.original = m_original->isChecked();
    options.delimiter = m_delimiter->isChecked();
    return options;
}
