#include "job/GeneralPage.h"

#include <cmath>

namespace varelo {

namespace {

constexpr size_t kTitleLength = 20;
constexpr size_t kTextLength = 40;

double OneDecimal(double value) {
    return std::round(value * 10) / 10;
}

double Hundredths(double value) {
    return std::round(value * 100) / 100;
}

}  // namespace

GeneralPage GeneralPage::Of(const CMeasurementJob& job) {
    GeneralPage page;
    page.titles = job.JobTitle;
    page.texts = job.JobText;
    page.positiveTolerance = OneDecimal(job.VoltUpperThreshShort - 100.0);
    page.negativeTolerance = OneDecimal(100.0 - job.VoltLowerThreshShort);
    page.eventMemoryModel = uint32_t(job.EventMemModel);
    page.hysteresis = job.EventHysteresis;
    return page;
}

PageCheck GeneralPage::Apply(CMeasurementJob& job) const {
    // Negated comparisons, so that a field that holds no number is refused as well.
    if (!(positiveTolerance >= 1)) return Refusal(753, JobField::PositiveTolerance, {"1.0"});
    if (!(positiveTolerance <= 20)) return Refusal(752, JobField::PositiveTolerance, {"20"});
    if (!(negativeTolerance >= 1)) return Refusal(753, JobField::NegativeTolerance, {"1.0"});
    if (!(negativeTolerance <= 100)) return Refusal(751, JobField::NegativeTolerance, {"100"});
    if (!(hysteresis >= 0 && hysteresis <= 4))
        return Refusal(61715, JobField::Hysteresis, {"0", "4"});
    for (int n = 0; n < kJobLineCount; ++n) {
        job.JobTitle[size_t(n)] = titles[size_t(n)].substr(0, kTitleLength);
        job.JobText[size_t(n)] = texts[size_t(n)].substr(0, kTextLength);
    }
    job.VoltUpperThreshShort = float(Hundredths(100 + positiveTolerance));
    job.VoltLowerThreshShort = float(Hundredths(100 - negativeTolerance));
    job.EventMemModel = eventMemoryModel == 1 ? 1 : 0;
    job.EventHysteresis = Hundredths(hysteresis);
    return {};
}

}  // namespace varelo
