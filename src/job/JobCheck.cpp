#include "job/JobCheck.h"

#include "job/CurrentPage.h"
#include "job/GeneralPage.h"
#include "job/InterharmonicPage.h"
#include "job/JobEditor.h"
#include "job/MeasurementPeriodPage.h"

namespace varelo {

PageCheck CheckJobPages(JobEditor& editor) {
    if (PageCheck check = editor.ApplyBasic(editor.Basic()); !check.Accepted()) return check;
    CMeasurementJob job = editor.Job();
    if (PageCheck check = GeneralPage::Of(job).Apply(job); !check.Accepted()) return check;
    if (job.JobType == kJobTimeActivated) {
        MeasurementPeriodPage period(job);
        if (PageCheck check = period.Accept(); check.message != 0) return check;
    }
    if (PageCheck check = CurrentPage::Of(job).Apply(job); !check.Accepted()) return check;
    if (job.MeasFunc == kMeasFuncA) {
        CMeasurementJob channels = job;
        channels.NrInterHarm = 0;
        const int f0 = job.PowSysNomFreq == 60 ? 60 : 50;
        for (int n = 0; n < job.NrInterHarm && n < kInterharmonicCount; ++n) {
            const size_t i = size_t(n);
            const bool relative = job.HarmFreqSync[i] == 1;
            const double value = relative ? job.HarmOrder[i] * 0.01 : job.HarmOrder[i] * 0.01 * f0;
            PageCheck check = AddInterharmonic(
                channels, {relative, value, job.HarmMeasPrinciple[i], job.HarmText[i]});
            if (!check.Accepted()) return check;
        }
    }
    return {};
}

}  // namespace varelo
