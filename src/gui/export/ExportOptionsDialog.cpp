#include "gui/export/ExportOptionsDialog.h"
#include "gui/app/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace varelo {

ExportOptionsDialog::ExportOptionsDialog(const QString& title, const QStringList& options,
                                         const std::vector<bool>& checked, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < options.size(); ++i) {
        auto* box = new QCheckBox(options[i]);
        box->setChecked(size_t(i) < checked.size() && checked[size_t(i)]);
        boxes_.push_back(box);
        layout->addWidget(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

ExportOptionsDialog* ExportOptionsDialog::Events(const std::vector<bool>& checked,
                                                 QWidget* parent) {
    return new ExportOptionsDialog(
        QTxt(txt::dlg_exportOptions_exportEvents),
        {QTxt(txt::dlg_exportOptions_shortInterruptions),
         QTxt(txt::dlg_exportOptions_longInterruptions), QTxt(txt::dlg_exportOptions_events)},
        checked, parent);
}

ExportOptionsDialog* ExportOptionsDialog::Statistics(QWidget* parent) {
    return new ExportOptionsDialog(
        QTxt(txt::dlg_exportOptions_exportStatistics),
        {QTxt(txt::dlg_exportOptions_mainsSignaling), QTxt(txt::dlg_exportOptions_frequency)},
        {true, true}, parent);
}

std::vector<bool> ExportOptionsDialog::Checked() const {
    std::vector<bool> checked;
    for (QCheckBox* box : boxes_)
        checked.push_back(box->isChecked());
    return checked;
}

}  // namespace varelo
