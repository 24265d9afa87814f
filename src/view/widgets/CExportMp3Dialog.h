#pragma once

#include "export/Mp3ExportOptions.h"

#include <QDialog>

#include <functional>
#include <map>

class QComboBox;
class QRadioButton;
class QSpinBox;
class QWidget;

// "Export to a new MP3 file": the encoding format, the sentence range and the export option.
// Export stores the controls' values in the options and runs the export; the dialog stays
// open until Cancel.
class CExportMp3Dialog : public QDialog {
    Q_OBJECT
public:
    CExportMp3Dialog(Mp3ExportOptions& options, std::function<void()> onExport, QWidget* parent);

    // The control of an identifier of the options, or null.
    QWidget* Control(int id) const;

private:
    QWidget* FormatGroup();
    QWidget* RangeGroup();
    QWidget* OptionGroup();
    QRadioButton* Radio(int id, const QString& text);
    void Click(int id);
    void ApplyEnabling();
    void Export();

    Mp3ExportOptions& m_options;
    std::function<void()> m_onExport;
    std::map<int, QWidget*> m_controls;
    QComboBox* m_format = nullptr;
    QSpinBox* m_first = nullptr;
    QSpinBox* m_last = nullptr;
    QComboBox* m_pattern = nullptr;
};
