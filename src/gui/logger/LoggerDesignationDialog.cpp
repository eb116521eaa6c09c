#include "gui/logger/LoggerDesignationDialog.h"
#include "gui/app/QtText.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varelo {

namespace {
constexpr int kMaxDesignation = 20;
}  // namespace

LoggerDesignationDialog::LoggerDesignationDialog(const QString& designation, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(designation)) {
    setWindowTitle(QTxt(txt::dlg_loggerDesignation_title));
    field_->setMaxLength(kMaxDesignation);
    auto* group = new QGroupBox(QTxt(txt::dlg_loggerDesignation_nameOfTheLogger));
    auto* inner = new QVBoxLayout(group);
    inner->addWidget(field_);
    inner->addWidget(new QLabel(QTxt(txt::dlg_loggerDesignation_max20Characters)));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    field_->setFocus();
}

QString LoggerDesignationDialog::Designation() const {
    return field_->text();
}

}  // namespace varelo
