#pragma once

#include <QDialog>
#include <array>

#include "export/AsciiFormat.h"

class QCheckBox;
class QRadioButton;

namespace varelo {

// Dialog 117 "Output format" of the ASCII exports; "Status" only for the interval export.
class AsciiFormatDialog : public QDialog {
    Q_OBJECT

public:
    AsciiFormatDialog(const AsciiFormat& format, bool withStatus, QWidget* parent = nullptr);

    AsciiFormat Format() const;
    // "Save selected configuration": the caller stores the format on OK.
    bool SaveChosen() const;

    QRadioButton* DelimiterButton(int delimiter) const {
        return delimiters_[size_t(delimiter - 1)];
    }
    QRadioButton* RegionalButton() const { return regional_; }
    QCheckBox* NoHeaderBox() const { return noHeader_; }
    QCheckBox* QuoteBox() const { return quote_; }
    QCheckBox* LineNumbersBox() const { return lineNumbers_; }
    QCheckBox* RegionalTimeBox() const { return regionalTime_; }
    QCheckBox* StatusBox() const { return status_; }
    QCheckBox* SaveBox() const { return save_; }

private:
    std::array<QRadioButton*, 7> delimiters_{};
    QRadioButton* point_;
    QRadioButton* regional_;
    QCheckBox* noHeader_;
    QCheckBox* quote_;
    QCheckBox* lineNumbers_;
    QCheckBox* regionalTime_;
    QCheckBox* status_;
    QCheckBox* save_;
};

}  // namespace varelo
