#include "gui/dialogs/XAxisScalingDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/app/QtText.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {

QString RegionalText(const CTimeStamp& time) {
    return QLocale::system().toString(ToQDateTime(time), QLocale::ShortFormat);
}

}  // namespace

XAxisScalingDialog::XAxisScalingDialog(const TimeAxis& axis, QWidget* parent)
    : QDialog(parent),
      scaling_(axis),
      periods_(new QListWidget),
      date_(new QDateEdit),
      time_(new QTimeEdit) {
    setWindowTitle(QTxt(txt::dlg_xAxisScaling_title));
    auto* measured = new QGroupBox(QStr(237));
    auto* measuredLayout = new QFormLayout(measured);
    measuredLayout->addRow(QTxt(txt::dlg_xAxisScaling_from),
                           new QLabel(RegionalText(scaling_.MeasurementStart())));
    measuredLayout->addRow(QTxt(txt::dlg_xAxisScaling_to),
                           new QLabel(RegionalText(scaling_.MeasurementEnd())));

    for (int period : scaling_.Periods())
        periods_->addItem(Q(TimePeriodLabel(period)));
    periods_->setMinimumHeight(220);
    date_->setCalendarPopup(true);
    time_->setDisplayFormat("HH:mm:ss");
    auto* segment = new QGroupBox(QTxt(txt::dlg_xAxisScaling_displayedTimeSegment));
    auto* segmentLayout = new QVBoxLayout(segment);
    segmentLayout->addWidget(periods_, 1);
    auto* start = new QHBoxLayout;
    start->addWidget(date_, 1);
    start->addWidget(time_, 1);
    segmentLayout->addLayout(start);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(measured);
    layout->addWidget(segment, 1);
    layout->addWidget(buttons);

    connect(periods_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || row >= int(scaling_.Periods().size())) return;
        TakePicked();
        scaling_.ChoosePeriod(scaling_.Periods()[size_t(row)]);
        Refresh();
    });
    connect(date_, &QDateEdit::dateChanged, this, [this] { TakePicked(); });
    connect(time_, &QTimeEdit::timeChanged, this, [this] { TakePicked(); });
    Refresh();
}

// The pickers' date and time as the start.
void XAxisScalingDialog::TakePicked() {
    scaling_.SetStart(FromQDateTime(QDateTime(date_->date(), time_->time())));
}

void XAxisScalingDialog::Refresh() {
    const QSignalBlocker blockList(periods_);
    const QSignalBlocker blockDate(date_);
    const QSignalBlocker blockTime(time_);
    const auto& periods = scaling_.Periods();
    const auto at = std::find(periods.begin(), periods.end(), scaling_.Period());
    periods_->setCurrentRow(at == periods.end() ? -1 : int(at - periods.begin()));
    const QDateTime start = ToQDateTime(scaling_.Start());
    date_->setDate(start.date());
    time_->setTime(start.time());
    date_->setEnabled(scaling_.DateEnabled());
    time_->setEnabled(scaling_.TimeEnabled());
    ok_->setEnabled(scaling_.CanAccept());
}

}  // namespace varelo
