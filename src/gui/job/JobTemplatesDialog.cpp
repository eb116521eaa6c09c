#include "gui/job/JobTemplatesDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "job/JobFile.h"
#include "platform/Paths.h"

namespace varelo {

JobTemplatesDialog::JobTemplatesDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), form_(settings) {
    setWindowTitle(QTxt(txt::dlg_jobTemplates_title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakeGroup(JobTemplatesForm::kRowP,
                                QTxt(txt::dlg_jobTemplates_measurementFunctionP),
                                QTxt(txt::dlg_jobTemplates_initialValues)));
    layout->addWidget(MakeGroup(JobTemplatesForm::kRowA,
                                QTxt(txt::dlg_jobTemplates_measurementFunctionA),
                                QTxt(txt::dlg_jobTemplates_initialValues2)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
}

QWidget* JobTemplatesDialog::MakeGroup(size_t row, const QString& title, const QString& boxText) {
    RowWidgets& r = rows_[row];
    r.initialValues = new QCheckBox(boxText);
    r.select = new QPushButton(QTxt(txt::dlg_jobTemplates_select));
    r.path = new QLineEdit;
    r.path->setReadOnly(true);
    auto chooser = [this](uint32_t function, const std::string& path) {
        return ChooseJobFile(function, path);
    };
    // The program sets the box; a click only asks for the change.
    connect(r.initialValues, &QCheckBox::clicked, this, [this, row, chooser] {
        form_.ClickInitialValues(row, chooser);
        Refresh();
    });
    connect(r.select, &QPushButton::clicked, this, [this, row, chooser] {
        form_.ClickSelect(row, chooser);
        Refresh();
    });
    auto* group = new QGroupBox(title);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QTxt(txt::dlg_jobTemplates_jobFile)), 0, 0);
    grid->addWidget(r.select, 0, 1);
    grid->addWidget(r.initialValues, 0, 2);
    grid->addWidget(r.path, 1, 0, 1, 3);
    return group;
}

std::optional<std::string> JobTemplatesDialog::ChooseJobFile(uint32_t function,
                                                             const std::string& path) {
    const JobFileNames names = JobFileNamesOf(function);
    QFileDialog dialog(this, Q(names.openTitle));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(names.filter));
    dialog.setDefaultSuffix(Q(names.extension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (path.empty()) {
        dialog.setDirectory(Q(UserDataFolder()));
    } else {
        dialog.setDirectory(QFileInfo(Q(path)).absolutePath());
        dialog.selectFile(Q(path));
    }
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return S(dialog.selectedFiles().first());
}

void JobTemplatesDialog::Refresh() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const JobTemplatesForm::Row& row = form_.RowAt(i);
        rows_[i].initialValues->setChecked(row.initialValues);
        rows_[i].select->setEnabled(row.selectEnabled);
        rows_[i].path->setText(Q(row.path));
    }
}

}  // namespace varelo
