#include "gui/export/AsciiFormatDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varelo {

AsciiFormatDialog::AsciiFormatDialog(const AsciiFormat& format, bool withStatus, QWidget* parent)
    : QDialog(parent),
      point_(new QRadioButton(tr("Decimal point (.)"))),
      regional_(new QRadioButton(tr("According to the regional settings"))),
      noHeader_(new QCheckBox(tr("Suppress header lines (for proper CSV format)"))),
      quote_(new QCheckBox(tr("Text-&delimiter - ASCII-value 34 (22H)"))),
      lineNumbers_(new QCheckBox(tr("With &line numbers"))),
      regionalTime_(new QCheckBox(tr("Date/time format according to &Windows"))),
      status_(new QCheckBox(tr("Status"))),
      save_(new QCheckBox(tr("Save selected confi&guration"))) {
    setWindowTitle(tr("Output format"));
    const QString names[] = {tr("&Comma (,)"),
                             tr("&Tabulator (^I)"),
                             tr("&Space ( )"),
                             tr("Sem&icolon (;)"),
                             tr("T&able format with comma"),
                             tr("Table format with s&pace"),
                             tr("Table format with se&micolon")};
    auto* delimiterBox = new QGroupBox;
    auto* delimiterLayout = new QVBoxLayout(delimiterBox);
    for (size_t i = 0; i < delimiters_.size(); ++i) {
        delimiters_[i] = new QRadioButton(names[i]);
        delimiterLayout->addWidget(delimiters_[i]);
    }
    const int chosen = format.delimiter >= AsciiFormat::kFirstDelimiter &&
                               format.delimiter <= AsciiFormat::kLastDelimiter
                           ? format.delimiter
                           : 1;
    delimiters_[size_t(chosen - 1)]->setChecked(true);

    auto* decimalBox = new QGroupBox;
    auto* decimalLayout = new QVBoxLayout(decimalBox);
    decimalLayout->addWidget(point_);
    decimalLayout->addWidget(regional_);
    (format.winDecimal ? regional_ : point_)->setChecked(true);

    noHeader_->setChecked(format.noHeader);
    quote_->setChecked(format.quote);
    lineNumbers_->setChecked(format.lineNumbers);
    regionalTime_->setChecked(format.regionalTime);
    status_->setChecked(format.status);
    status_->setVisible(withStatus);
    save_->setChecked(true);

    auto* options = new QVBoxLayout;
    options->addWidget(decimalBox);
    for (QCheckBox* box : {noHeader_, quote_, lineNumbers_, regionalTime_, status_, save_})
        options->addWidget(box);
    options->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(delimiterBox);
    top->addLayout(options);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

AsciiFormat AsciiFormatDialog::Format() const {
    AsciiFormat f;
    for (size_t i = 0; i < delimiters_.size(); ++i)
        if (delimiters_[i]->isChecked()) f.delimiter = int(i) + 1;
    f.winDecimal = regional_->isChecked();
    f.noHeader = noHeader_->isChecked();
    f.quote = quote_->isChecked();
    f.lineNumbers = lineNumbers_->isChecked();
    f.regionalTime = regionalTime_->isChecked();
    f.status = status_->isChecked();
    return f;
}

bool AsciiFormatDialog::SaveChosen() const {
    return save_->isChecked();
}

}  // namespace varelo
