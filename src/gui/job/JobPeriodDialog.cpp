#include "gui/job/JobPeriodDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>

#include "gui/app/QtText.h"
#include "gui/job/JobPageSupport.h"
#include "job/JobEditor.h"
#include "job/JobSchedule.h"

namespace varelo {

namespace {
constexpr int kTitle = 273;
constexpr int kDaily = 0;
constexpr int kDaysInList = 7;
// The segment list's columns end at 30, 50 and 84 dialog units; a dialog unit is a quarter
// of the average character width.
constexpr int kColumnUnits[] = {30, 20, 34};
constexpr StartChoice kStartChoices[] = {
    StartChoice::Plus1,  StartChoice::Plus2,    StartChoice::Plus5,  StartChoice::Plus10,
    StartChoice::Plus15, StartChoice::NextHour, StartChoice::NextDay};

QString DayName(int weekday) {
    static const QString names[] = {QStr(1426), QStr(1427), QStr(1428), QStr(1429),
                                    QStr(1430), QStr(1431), QStr(1432), QStr(1433)};
    return weekday >= 0 && weekday <= kDaysInList ? names[weekday] : QString();
}

QComboBox* DayList(bool withDaily) {
    auto* list = new QComboBox;
    for (int day = 1; day <= kDaysInList; ++day)
        list->addItem(DayName(day), day);
    if (withDaily) list->addItem(DayName(kDaily), kDaily);
    return list;
}

QTimeEdit* SegmentTimeEdit(int hour) {
    auto* edit = new QTimeEdit(QTime(hour, 0));
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}

CTimeStamp Picked(const QDateEdit& date, const QTimeEdit& time) {
    return FromQDateTime(QDateTime(date.date(), time.time()));
}

CTimeStamp SystemNow() {
    return CTimeStamp::FromCalendarTime(std::time(nullptr));
}
}  // namespace

JobPeriodDialog::JobPeriodDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent,
                                 Now now)
    : QDialog(parent), ui_(ui), page_(editor.Job()), now_(now ? std::move(now) : SystemNow) {
    setWindowTitle(JobPageTitle(kTitle, editor));

    choice_ = new QComboBox;
    for (StartChoice choice : kStartChoices)
        choice_->addItem(QStr(StartChoiceMessage(choice)), int(choice));
    choice_->setCurrentIndex(choice_->findData(int(StartChoice::NextHour)));
    set_ = new QPushButton(QTxt(txt::dlg_jobPeriod_set));
    connect(set_, &QPushButton::clicked, this, [this] {
        page_.Set(StartChoice(choice_->currentData().toInt()), now_());
        ShowPeriod();
    });

    const QDate first = ToQDateTime(EarliestJobTime()).date();
    const QDate last(2038, 12, 31);
    beginDate_ = new QDateEdit;
    endDate_ = new QDateEdit;
    for (QDateEdit* date : {beginDate_, endDate_}) {
        date->setDateRange(first, last);
        date->setCalendarPopup(true);
    }
    beginTime_ = new QTimeEdit;
    endTime_ = new QTimeEdit;
    for (QTimeEdit* time : {beginTime_, endTime_})
        time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    ShowPeriod();
    connect(beginDate_, &QDateEdit::dateChanged, this, &JobPeriodDialog::BeginChanged);
    connect(beginTime_, &QTimeEdit::timeChanged, this, &JobPeriodDialog::BeginChanged);
    connect(endDate_, &QDateEdit::dateChanged, this, &JobPeriodDialog::EndChanged);
    connect(endTime_, &QTimeEdit::timeChanged, this, &JobPeriodDialog::EndChanged);

    auto* period = new QGridLayout;
    period->addWidget(set_, 0, 0);
    period->addWidget(choice_, 0, 1, 1, 2);
    period->addWidget(new QLabel(QTxt(txt::dlg_jobPeriod_begin)), 1, 0);
    period->addWidget(beginDate_, 1, 1);
    period->addWidget(beginTime_, 1, 2);
    period->addWidget(new QLabel(QStr(220)), 2, 0);
    period->addWidget(endDate_, 2, 1);
    period->addWidget(endTime_, 2, 2);

    segmentBeginDay_ = DayList(true);
    segmentEndDay_ = DayList(false);
    segmentBeginTime_ = SegmentTimeEdit(1);
    segmentEndTime_ = SegmentTimeEdit(23);
    connect(segmentBeginDay_, &QComboBox::currentIndexChanged, this,
            &JobPeriodDialog::BeginDayChanged);
    segments_ = new QTreeWidget;
    segments_->setColumnCount(4);
    segments_->setHeaderHidden(true);
    segments_->setRootIsDecorated(false);
    // The columns start at the tab stops; a dialog unit is a quarter of the average character
    // width. A column is widened where its longest entry would not fit.
    const int unit = fontMetrics().averageCharWidth();
    const int longestDay = fontMetrics().horizontalAdvance(DayName(3)) + unit * 2;
    const int time = fontMetrics().horizontalAdvance(QStringLiteral("00:00")) + unit * 2;
    const int widths[] = {longestDay, time, longestDay};
    for (int column = 0; column < 3; ++column)
        segments_->setColumnWidth(column,
                                  std::max(kColumnUnits[column] * unit / 4, widths[column]));
    add_ = new QPushButton(QTxt(txt::dlg_jobPeriod_add));
    delete_ = new QPushButton(QTxt(txt::dlg_jobPeriod_delete));
    connect(add_, &QPushButton::clicked, this, &JobPeriodDialog::AddSegment);
    connect(delete_, &QPushButton::clicked, this, &JobPeriodDialog::DeleteSegment);

    auto* segmentBox = new QGroupBox;
    auto* segmentGrid = new QGridLayout(segmentBox);
    segmentGrid->addWidget(segmentBeginDay_, 0, 0);
    segmentGrid->addWidget(segmentBeginTime_, 0, 1);
    segmentGrid->addWidget(segmentEndDay_, 1, 0);
    segmentGrid->addWidget(segmentEndTime_, 1, 1);
    segmentGrid->addWidget(add_, 0, 2);
    segmentGrid->addWidget(delete_, 1, 2);
    segmentGrid->addWidget(segments_, 2, 0, 1, 3);
    // Below a minute the Logger cannot keep to segments.
    segmentBox->setEnabled(page_.SegmentsEditable());
    ShowSegments();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addWidget(segmentBox);
    layout->addWidget(buttons);
}

void JobPeriodDialog::ShowPeriod() {
    const QSignalBlocker b1(beginDate_), b2(beginTime_), b3(endDate_), b4(endTime_);
    const QDateTime begin = ToQDateTime(page_.Job().ProgStartMeas);
    const QDateTime end = ToQDateTime(page_.Job().ProgStopMeas);
    beginDate_->setDate(begin.date());
    beginTime_->setTime(begin.time());
    endDate_->setDate(end.date());
    endTime_->setTime(end.time());
}

void JobPeriodDialog::BeginChanged() {
    page_.SetBegin(Picked(*beginDate_, *beginTime_));
    ShowPeriod();
}

void JobPeriodDialog::EndChanged() {
    page_.SetEnd(Picked(*endDate_, *endTime_));
}

void JobPeriodDialog::BeginDayChanged() {
    const bool daily = segmentBeginDay_->currentData().toInt() == kDaily;
    const int dailyAt = segmentEndDay_->findData(kDaily);
    if (daily && dailyAt < 0) segmentEndDay_->addItem(DayName(kDaily), kDaily);
    if (!daily && dailyAt >= 0) segmentEndDay_->removeItem(dailyAt);
    if (daily) segmentEndDay_->setCurrentIndex(segmentEndDay_->findData(kDaily));
    segmentEndDay_->setEnabled(!daily);
}

void JobPeriodDialog::AddSegment() {
    const QTime begin = segmentBeginTime_->time();
    const QTime end = segmentEndTime_->time();
    const PageCheck check = page_.AddSegment(
        SegmentTime(segmentBeginDay_->currentData().toInt(), begin.hour(), begin.minute()),
        SegmentTime(segmentEndDay_->currentData().toInt(), end.hour(), end.minute()));
    if (!ShowPageCheck(check, ui_, FieldWidget(check.field))) return;
    ShowSegments();
    // The end counts only the intervals inside the segments.
    page_.SetBegin(page_.Job().ProgStartMeas);
    ShowPeriod();
}

void JobPeriodDialog::DeleteSegment() {
    QTreeWidgetItem* current = segments_->currentItem();
    const int selected =
        current != nullptr && current->isSelected() ? segments_->indexOfTopLevelItem(current) : -1;
    ShowPageCheck(page_.DeleteSegment(selected, ui_), ui_, nullptr);
    ShowSegments();
    page_.SetBegin(page_.Job().ProgStartMeas);
    ShowPeriod();
}

void JobPeriodDialog::ShowSegments() {
    segments_->clear();
    const CMeasurementJob& job = page_.Job();
    for (size_t i = 0; i < size_t(job.NrMeasSectionsProg) && i < job.NrMeasSectionsProgStart.size();
         ++i) {
        const CTimeStamp& b = job.NrMeasSectionsProgStart[i];
        const CTimeStamp& e = job.NrMeasSectionsProgEnd[i];
        const auto hhmm = [](const CTimeStamp& t) {
            return QTime(t.hour, t.minute).toString(QStringLiteral("HH:mm"));
        };
        segments_->addTopLevelItem(new QTreeWidgetItem(
            QStringList{DayName(b.weekday), hhmm(b), DayName(e.weekday), hhmm(e)}));
    }
}

QWidget* JobPeriodDialog::FieldWidget(JobField field) const {
    switch (field) {
        case JobField::SegmentBegin: return segmentBeginDay_;
        case JobField::SegmentList: return segments_;
        case JobField::Begin: return beginDate_;
        case JobField::End: return endDate_;
        default: return nullptr;
    }
}

bool JobPeriodDialog::TryAccept() {
    page_.SetEnd(Picked(*endDate_, *endTime_));
    const PageCheck check = page_.Accept();
    // Accept rounds begin and end to the interval and may correct the end.
    ShowPeriod();
    return ShowPageCheck(check, ui_, FieldWidget(check.field));
}

void JobPeriodDialog::accept() {
    if (TryAccept()) QDialog::accept();
}

}  // namespace varelo
