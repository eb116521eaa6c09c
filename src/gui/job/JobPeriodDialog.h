#pragma once

#include <QDialog>
#include <functional>

#include "job/JobPageCheck.h"
#include "job/MeasurementPeriodPage.h"

class QComboBox;
class QDateEdit;
class QPushButton;
class QTimeEdit;
class QTreeWidget;

namespace varelo {

class JobEditor;
class UserInterface;

// The measurement period page (108) of a time activated job: begin and end, the start
// choices of "Set" and at most two weekly measurement segments. Job() holds the page's result
// after OK.
class JobPeriodDialog : public QDialog {
    Q_OBJECT

public:
    using Now = std::function<CTimeStamp()>;

    // now gives the PC's time for "Set"; empty: the system clock.
    JobPeriodDialog(const JobEditor& editor, UserInterface& ui, QWidget* parent = nullptr,
                    Now now = {});

    const CMeasurementJob& Job() const { return page_.Job(); }
    bool TryAccept();
    void accept() override;

    QComboBox* StartChoiceList() const { return choice_; }
    QPushButton* SetButton() const { return set_; }
    QDateEdit* BeginDate() const { return beginDate_; }
    QTimeEdit* BeginTime() const { return beginTime_; }
    QDateEdit* EndDate() const { return endDate_; }
    QTimeEdit* EndTime() const { return endTime_; }
    // The segment's days: "Monday" .. "Sunday", then "daily" (begin list only).
    QComboBox* SegmentBeginDay() const { return segmentBeginDay_; }
    QTimeEdit* SegmentBeginTime() const { return segmentBeginTime_; }
    QComboBox* SegmentEndDay() const { return segmentEndDay_; }
    QTimeEdit* SegmentEndTime() const { return segmentEndTime_; }
    QTreeWidget* SegmentList() const { return segments_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }
    QWidget* FieldWidget(JobField field) const;

private:
    void ShowPeriod();
    void BeginChanged();
    void EndChanged();
    void BeginDayChanged();
    void AddSegment();
    void DeleteSegment();
    void ShowSegments();

    UserInterface& ui_;
    MeasurementPeriodPage page_;
    Now now_;
    QComboBox* choice_ = nullptr;
    QPushButton* set_ = nullptr;
    QDateEdit* beginDate_ = nullptr;
    QTimeEdit* beginTime_ = nullptr;
    QDateEdit* endDate_ = nullptr;
    QTimeEdit* endTime_ = nullptr;
    QComboBox* segmentBeginDay_ = nullptr;
    QTimeEdit* segmentBeginTime_ = nullptr;
    QComboBox* segmentEndDay_ = nullptr;
    QTimeEdit* segmentEndTime_ = nullptr;
    QTreeWidget* segments_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
};

}  // namespace varelo
