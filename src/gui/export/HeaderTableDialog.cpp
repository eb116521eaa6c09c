#include "gui/export/HeaderTableDialog.h"

#include <QApplication>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "export/AccessNames.h"
#include "gui/app/QtText.h"

namespace varelo {

namespace {

constexpr int kNameLength = 64;
constexpr int kTextLength = 80;

QLineEdit* Edit(const std::string& text, int maxLength) {
    auto* edit = new QLineEdit(Q(text));
    edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace

HeaderTableDialog::HeaderTableDialog(const HeaderTableConfiguration& header,
                                     const HeaderTableValues& values, QWidget* parent)
    : QDialog(parent),
      header_(header),
      interval_(Edit(values.averagingInterval, kTextLength)),
      count_(new QLineEdit(QString::number(values.numberOfIntervals))),
      voltage_(new QLineEdit(QLocale::system().toString(values.nominalVoltage, 'f', 2))) {
    setWindowTitle(QTxt(txt::dlg_headerTable_title));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QTxt(txt::dlg_headerTable_columnName)), 0, 1);
    grid->addWidget(new QLabel(QStr(1192)), 0, 2);
    for (int i = 0; i < kTexts; ++i) {
        names_[size_t(i)] = Edit(header.columns[size_t(i)], kNameLength);
        names_[size_t(i)]->setEnabled(!header.fixedText[size_t(i)]);
        texts_[size_t(i)] = Edit(values.texts[size_t(i)], kTextLength);
        grid->addWidget(new QLabel(QString::number(i + 1)), i + 1, 0);
        grid->addWidget(names_[size_t(i)], i + 1, 1);
        grid->addWidget(texts_[size_t(i)], i + 1, 2);
    }
    count_->setValidator(new QIntValidator(0, 2147483647, count_));
    voltage_->setValidator(new QDoubleValidator(voltage_));
    int row = kTexts + 1;
    const QString labels[] = {QTxt(txt::dlg_headerTable_averagingInterval), QStr(209), QStr(240)};
    QLineEdit* edits[] = {interval_, count_, voltage_};
    for (int i = 0; i < 3; ++i, ++row) {
        grid->addWidget(new QLabel(labels[i]), row, 0, 1, 2);
        grid->addWidget(edits[i], row, 2);
    }
    const QString timeLabels[] = {QTxt(txt::dlg_headerTable_programmedStartTime),
                                  QTxt(txt::dlg_headerTable_programmedEndTime),
                                  QTxt(txt::dlg_headerTable_realStartTime),
                                  QTxt(txt::dlg_headerTable_realEndTime)};
    for (size_t i = 0; i < 4; ++i, ++row) {
        const QDateTime at = ToQDateTime(values.times[i]);
        dates_[i] = new QDateEdit(at.date());
        dates_[i]->setCalendarPopup(true);
        dates_[i]->setDateRange(QDate(1970, 1, 2), QDate(2038, 1, 18));
        times_[i] = new QTimeEdit(at.time());
        times_[i]->setDisplayFormat("HH:mm:ss");
        auto* pair = new QHBoxLayout;
        pair->addWidget(dates_[i], 1);
        pair->addWidget(times_[i], 1);
        grid->addWidget(new QLabel(timeLabels[i]), row, 0, 1, 2);
        grid->addLayout(pair, row, 2);
    }
    grid->setColumnStretch(2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void HeaderTableDialog::accept() {
    for (int i = 0; i < kTexts; ++i) {
        if (header_.fixedText[size_t(i)]) continue;
        std::string name = S(names_[size_t(i)]->text());
        if (!IsValidAccessName(name)) {
            QApplication::beep();
            names_[size_t(i)]->setFocus();
            names_[size_t(i)]->selectAll();
            return;
        }
        header_.columns[size_t(i)] = name;
    }
    QDialog::accept();
}

HeaderTableValues HeaderTableDialog::Values() const {
    HeaderTableValues values;
    for (size_t i = 0; i < size_t(kTexts); ++i)
        values.texts[i] = S(texts_[i]->text());
    values.averagingInterval = S(interval_->text());
    values.numberOfIntervals = count_->text().toLongLong();
    values.nominalVoltage = QLocale::system().toDouble(voltage_->text());
    for (size_t i = 0; i < 4; ++i)
        values.times[i] = FromQDateTime(QDateTime(dates_[i]->date(), times_[i]->time()));
    return values;
}

}  // namespace varelo
