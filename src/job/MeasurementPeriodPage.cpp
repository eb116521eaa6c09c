#include "job/MeasurementPeriodPage.h"

#include "app/StringTable.h"

namespace varelo {

namespace {

bool SameTime(const CTimeStamp& a, const CTimeStamp& b) {
    return a.weekday == b.weekday && a.hour == b.hour && a.minute == b.minute;
}

}  // namespace

void MeasurementPeriodPage::Set(StartChoice choice, const CTimeStamp& now) {
    SetBegin(ChosenStart(choice, now, job_.Interval));
}

void MeasurementPeriodPage::SetBegin(const CTimeStamp& begin) {
    job_.ProgStartMeas = begin;
    job_.ProgStopMeas = EndAfterIntervals(job_, begin, kDefaultJobIntervals);
}

PageCheck MeasurementPeriodPage::AddSegment(CTimeStamp begin, CTimeStamp end) {
    if (!SegmentsEditable()) return {0, JobField::SegmentList, "", true};
    if (begin.weekday == 0) end.weekday = 0;
    if (SameTime(begin, end)) return Refusal(783, JobField::SegmentBegin);
    const int count = job_.NrMeasSectionsProg;
    for (int n = 0; n < count && n < kMeasSectionCount; ++n)
        if (SegmentsOverlap(begin, end, job_.NrMeasSectionsProgStart[size_t(n)],
                            job_.NrMeasSectionsProgEnd[size_t(n)]))
            return Refusal(790, JobField::SegmentBegin);
    if (count >= kMeasSectionCount) return Refusal(791, JobField::SegmentList);
    job_.NrMeasSectionsProgStart[size_t(count)] =
        SegmentTime(begin.weekday, begin.hour, begin.minute);
    job_.NrMeasSectionsProgEnd[size_t(count)] = SegmentTime(end.weekday, end.hour, end.minute);
    job_.NrMeasSectionsProg = int16_t(count + 1);
    return {};
}

PageCheck MeasurementPeriodPage::DeleteSegment(int selected, UserInterface& ui) {
    const int count = job_.NrMeasSectionsProg;
    if (selected >= 0 && selected < count) {
        for (int n = selected; n + 1 < count; ++n) {
            job_.NrMeasSectionsProgStart[size_t(n)] = job_.NrMeasSectionsProgStart[size_t(n + 1)];
            job_.NrMeasSectionsProgEnd[size_t(n)] = job_.NrMeasSectionsProgEnd[size_t(n + 1)];
        }
        job_.NrMeasSectionsProgStart[size_t(count - 1)] = CTimeStamp();
        job_.NrMeasSectionsProgEnd[size_t(count - 1)] = CTimeStamp();
        job_.NrMeasSectionsProg = int16_t(count - 1);
        return {};
    }
    if (ui.Ask({779, Str(779), MessageIcon::Question, false, false}) == Answer::Yes) {
        job_.NrMeasSectionsProg = 0;
        job_.NrMeasSectionsProgStart = {};
        job_.NrMeasSectionsProgEnd = {};
    }
    return {};
}

PageCheck MeasurementPeriodPage::Accept() {
    job_.ProgStartMeas = RoundDownToInterval(job_.ProgStartMeas, job_.Interval);
    job_.ProgStopMeas = RoundDownToInterval(job_.ProgStopMeas, job_.Interval);
    if (!(job_.ProgStartMeas < job_.ProgStopMeas)) return Refusal(796, JobField::End);
    if (job_.IntervalMemModel == 0) {
        const CTimeStamp limit = EndAfterIntervals(job_, job_.ProgStartMeas, job_.NrIntervalMax);
        if (job_.ProgStopMeas > limit) {
            job_.ProgStopMeas = limit;
            PageCheck corrected = Refusal(797, JobField::End);
            corrected.corrected = true;
            return corrected;
        }
    }
    return {};
}

}  // namespace varelo
