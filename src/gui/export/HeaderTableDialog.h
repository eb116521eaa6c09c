#pragma once

#include <QDialog>
#include <array>

#include "export/AccessExport.h"

class QDateEdit;
class QLineEdit;
class QTimeEdit;

namespace varelo {

// Dialog 166 "Change header table": the names of the six text columns the configuration
// leaves open, and every value of the header row.
class HeaderTableDialog : public QDialog {
    Q_OBJECT

public:
    HeaderTableDialog(const HeaderTableConfiguration& header, const HeaderTableValues& values,
                      QWidget* parent = nullptr);

    // The names and values as edited; valid after OK.
    const HeaderTableConfiguration& Header() const { return header_; }
    HeaderTableValues Values() const;

    QLineEdit* NameEdit(int row) const { return names_[size_t(row)]; }
    QLineEdit* TextEdit(int row) const { return texts_[size_t(row)]; }

    // Every open name is checked in order; the first bad one takes the focus.
    void accept() override;

private:
    static constexpr int kTexts = HeaderTableConfiguration::kTexts;

    HeaderTableConfiguration header_;
    std::array<QLineEdit*, kTexts> names_{};
    std::array<QLineEdit*, kTexts> texts_{};
    QLineEdit* interval_;
    QLineEdit* count_;
    QLineEdit* voltage_;
    std::array<QDateEdit*, 4> dates_{};
    std::array<QTimeEdit*, 4> times_{};
};

}  // namespace varelo
