#include "gui/export/AccessExportDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/StringTable.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "platform/Paths.h"

namespace varelo {

namespace {

constexpr int kFilter = 1505;
constexpr int kTitle = 1506;
constexpr int kExtension = 1507;

}  // namespace

AccessExportDialog::AccessExportDialog(const QString& path, bool headerTable, QWidget* parent)
    : QDialog(parent),
      path_(new QLineEdit(path)),
      select_(new QPushButton(QTxt(txt::dlg_accessExport_select))),
      header_(new QCheckBox(QTxt(txt::dlg_accessExport_addHeaderTable))) {
    setWindowTitle(QTxt(txt::dlg_accessExport_title));
    path_->setReadOnly(true);
    path_->setMinimumWidth(360);
    header_->setChecked(headerTable);
    auto* row = new QHBoxLayout;
    row->addWidget(path_, 1);
    row->addWidget(select_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(!path.isEmpty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(select_, &QPushButton::clicked, this, &AccessExportDialog::Select);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(header_);
    layout->addWidget(buttons);
}

QString AccessExportDialog::Path() const {
    return path_->text();
}

bool AccessExportDialog::HeaderTable() const {
    return header_->isChecked();
}

void AccessExportDialog::Select() {
    const QString start = path_->text().isEmpty() ? Q(DataFolder()) : path_->text();
    QFileDialog dialog(this, QStr(kTitle), start);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(DialogNameFilters(Str(kFilter)));
    dialog.setDefaultSuffix(QStr(kExtension));
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    path_->setText(dialog.selectedFiles().first());
    ok_->setEnabled(true);
}

void AccessExportDialog::accept() {
    // A path that names no file keeps the dialog open without a word.
    if (!QFileInfo(path_->text()).isFile()) return;
    QDialog::accept();
}

}  // namespace varelo
