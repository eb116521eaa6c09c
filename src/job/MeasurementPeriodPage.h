#pragma once

#include "app/UserInterface.h"
#include "job/JobPageCheck.h"
#include "job/JobSchedule.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

// The measurement period page (108) of a time activated job: begin and end, the start
// choices of "Set" and at most two weekly measurement segments. Works on its own copy.
class MeasurementPeriodPage {
public:
    explicit MeasurementPeriodPage(const CMeasurementJob& job) : job_(job) {}

    const CMeasurementJob& Job() const { return job_; }

    // "Set": begin from the choice, end 1008 intervals later.
    void Set(StartChoice choice, const CTimeStamp& now);
    // A new begin moves the end to 1008 intervals after it.
    void SetBegin(const CTimeStamp& begin);
    void SetEnd(const CTimeStamp& end) { job_.ProgStopMeas = end; }

    // Segments cannot be edited with intervals below a minute.
    bool SegmentsEditable() const { return job_.Interval >= 60; }
    // "Add" of a segment (weekday 0 = daily: the end is daily too): 783 begin equals end,
    // 790 overlap, 791 no third segment.
    PageCheck AddSegment(CTimeStamp begin, CTimeStamp end);
    // "Delete" of segment selected (-1: none selected, then 779 asks to delete all).
    PageCheck DeleteSegment(int selected, UserInterface& ui);

    // OK: begin and end rounded down to the interval; 796 when the begin is not before the
    // end; with linear memory an end beyond the capacity is corrected with 797.
    PageCheck Accept();

private:
    CMeasurementJob job_;
};

}  // namespace varelo
