#include "gui/export/AsciiFormatDialog.h"
#include "gui/app/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varelo {

AsciiFormatDialog::AsciiFormatDialog(const AsciiFormat& format, bool withStatus, QWidget* parent)
    : QDialog(parent),
      point_(new QRadioButton(QTxt(txt::dlg_asciiFormat_decimalPoint))),
      regional_(new QRadioButton(QTxt(txt::dlg_asciiFormat_accordingToTheRegional))),
      noHeader_(new QCheckBox(QTxt(txt::dlg_asciiFormat_suppressHeaderLinesFor))),
      quote_(new QCheckBox(QTxt(txt::dlg_asciiFormat_textDelimiterAsciiValue))),
      lineNumbers_(new QCheckBox(QTxt(txt::dlg_asciiFormat_withLineNumbers))),
      regionalTime_(new QCheckBox(QTxt(txt::dlg_asciiFormat_dateTimeFormatAccording))),
      status_(new QCheckBox(QStr(1051))),
      save_(new QCheckBox(QTxt(txt::dlg_asciiFormat_saveSelectedConfiguration))) {
    setWindowTitle(QTxt(txt::dlg_asciiFormat_title));
    const QString names[] = {QTxt(txt::dlg_asciiFormat_comma),
                             QTxt(txt::dlg_asciiFormat_tabulatorI),
                             QTxt(txt::dlg_asciiFormat_space),
                             QTxt(txt::dlg_asciiFormat_semicolon),
                             QTxt(txt::dlg_asciiFormat_tableFormatWithComma),
                             QTxt(txt::dlg_asciiFormat_tableFormatWithSpace),
                             QTxt(txt::dlg_asciiFormat_tableFormatWithSemicolon)};
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
