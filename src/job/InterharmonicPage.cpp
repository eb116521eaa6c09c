#include "job/InterharmonicPage.h"

#include <algorithm>
#include <cmath>

#include "app/StringTable.h"

namespace varelo {

namespace {

constexpr double kLowestHertz = 5;
constexpr double kHighestHertz = 2500;
constexpr size_t kTextLength = 30;

PageCheck Beep() {
    return {0, JobField::InterharmonicList, "", true};
}

}  // namespace

double HertzToOrder(double hertz, int nominalFrequency) {
    const double limited = std::clamp(hertz, kLowestHertz, kHighestHertz);
    return std::round(limited / nominalFrequency * 100) / 100;
}

double OrderToHertz(double order, int nominalFrequency) {
    return std::clamp(std::round(order * nominalFrequency), kLowestHertz, kHighestHertz);
}

PageCheck AddInterharmonic(CMeasurementJob& job, const InterharmonicEntry& entry) {
    const int count = job.NrInterHarm;
    if (count >= kInterharmonicCount) return Beep();
    const int f0 = job.PowSysNomFreq == 60 ? 60 : 50;
    int16_t order = 0;
    if (entry.relative) {
        const double hundredths = std::round(entry.value * 100);
        const bool at60 = f0 == 60;
        const double low = at60 ? 8 : 10;
        const double high = at60 ? 4167 : 5000;
        if (!(hundredths >= low && hundredths <= high))
            return Refusal(1100, JobField::InterharmonicValue,
                           {at60 ? "0.08" : "0.1", at60 ? "41.67" : "50.0"});
        order = int16_t(hundredths);
    } else {
        const double hertz = std::round(entry.value);
        if (!(hertz >= kLowestHertz && hertz <= kHighestHertz))
            return Refusal(826, JobField::InterharmonicValue, {}, true);
        order = int16_t(std::lround(hertz / f0 * 100));
    }
    const int16_t sync = entry.relative ? 1 : 0;
    for (int n = 0; n < count; ++n) {
        const size_t i = size_t(n);
        if (job.HarmOrder[i] == order && job.HarmFreqSync[i] == sync &&
            job.HarmMeasPrinciple[i] == entry.principle)
            return Refusal(883, JobField::InterharmonicValue, {}, true);
    }
    const size_t i = size_t(count);
    job.HarmOrder[i] = order;
    job.HarmFreqSync[i] = sync;
    job.HarmMeasPrinciple[i] = entry.principle;
    job.HarmText[i] = entry.text.substr(0, kTextLength);
    job.NrInterHarm = int16_t(count + 1);
    return {};
}

PageCheck DeleteInterharmonic(CMeasurementJob& job, int selected, UserInterface& ui) {
    const int count = job.NrInterHarm;
    if (count <= 0) return Beep();
    if (selected >= 0 && selected < count) {
        for (int n = selected; n + 1 < count; ++n) {
            const size_t i = size_t(n);
            job.HarmOrder[i] = job.HarmOrder[i + 1];
            job.HarmFreqSync[i] = job.HarmFreqSync[i + 1];
            job.HarmMeasPrinciple[i] = job.HarmMeasPrinciple[i + 1];
            job.HarmText[i] = job.HarmText[i + 1];
        }
        const size_t last = size_t(count - 1);
        job.HarmOrder[last] = 0;
        job.HarmFreqSync[last] = 0;
        job.HarmMeasPrinciple[last] = 0;
        job.HarmText[last].clear();
        job.NrInterHarm = int16_t(count - 1);
        return {};
    }
    if (ui.Ask({964, Str(964), MessageIcon::Question, false, false}) == Answer::Yes) {
        job.NrInterHarm = 0;
        job.HarmOrder = {};
        job.HarmFreqSync = {};
        job.HarmMeasPrinciple = {};
        job.HarmText = {};
    }
    return {};
}

}  // namespace varelo
