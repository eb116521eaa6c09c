#include "document/TransformerForm.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileReader.h"

namespace varelo {

namespace {

constexpr int kPrimaryOutOfRange = 1422;
constexpr int kSecondaryOutOfRange = 1423;
constexpr int kUnreadableFile = 374;
constexpr int kPhaseCaption = 243;
constexpr int32_t kWithoutTransformer = 10000;  // 100.00 A
constexpr int32_t kNeutralClampUnmeasured = 1500;

std::string TwoDecimals(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", 2, value);
    return text;
}

int32_t Stored(double amperes) {
    return int32_t(std::floor(amperes * 100 + 0.5));
}

}  // namespace

TransformerForm::TransformerForm(const CMeasurementJob& job) : neutralShown_(job.NeutralMeas != 0) {
    phase.inputRange = Amperes(job.PhCurrClampRawVal);
    phase.transformer = job.PhCurrTransformer != 0;
    phase.primary = Amperes(job.PhCurrPrimaryRawVal);
    phase.secondary = Amperes(job.PhCurrSecondaryRawVal);
    neutral.inputRange = Amperes(job.NeutralClampCurrRawVal);
    neutral.transformer = job.NeutralCurrTransformer != 0;
    neutral.primary = Amperes(job.NeutralCurrPrimaryRawVal);
    neutral.secondary = Amperes(job.NeutralCurrSecondaryRawVal);
}

std::string TransformerForm::PhaseCaption(PhaseLabels labels) {
    return Str(kPhaseCaption) + (labels == PhaseLabels::ABC ? " A, B, C" : " L1, L2, L3");
}

std::string TransformerForm::Amperes(long raw) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(raw) * 0.01);
    return text;
}

double TransformerForm::Number(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) return 0;
    if (text[begin] == '+') ++begin;
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + begin, text.data() + text.size(), value);
    (void)end;
    return error == std::errc() && std::isfinite(value) ? value : 0;
}

std::optional<TransformerForm::Problem> TransformerForm::Apply(CMeasurementJob& job) const {
    CMeasurementJob changed = job;
    // Checks one group's two fields in order and stores them when both are good.
    auto check = [](const Group& group, Field primaryField, Field secondaryField, int32_t& primary,
                    int32_t& secondary) -> std::optional<Problem> {
        const double p = Number(group.primary);
        const double s = Number(group.secondary);
        const std::string low = TwoDecimals(kLowest), high = TwoDecimals(kHighest);
        if (!(p >= kLowest && p <= kHighest))
            return Problem{primaryField, kPrimaryOutOfRange, Msg(kPrimaryOutOfRange, {low, high})};
        if (!(s >= kLowest && s <= kHighest))
            return Problem{secondaryField, kSecondaryOutOfRange,
                           Msg(kSecondaryOutOfRange, {low, high})};
        primary = Stored(p);
        secondary = Stored(s);
        return std::nullopt;
    };

    changed.PhCurrTransformer = phase.transformer ? 1 : 0;
    if (phase.transformer) {
        if (auto problem = check(phase, Field::PhasePrimary, Field::PhaseSecondary,
                                 changed.PhCurrPrimaryRawVal, changed.PhCurrSecondaryRawVal))
            return problem;
    } else {
        changed.PhCurrPrimaryRawVal = kWithoutTransformer;
        changed.PhCurrSecondaryRawVal = kWithoutTransformer;
    }

    if (!neutralShown_) {
        changed.NeutralCurrPrimaryRawVal = kWithoutTransformer;
        changed.NeutralCurrSecondaryRawVal = kWithoutTransformer;
        changed.NeutralClampCurrRawVal = kNeutralClampUnmeasured;
    } else {
        changed.NeutralCurrTransformer = neutral.transformer ? 1 : 0;
        if (neutral.transformer) {
            if (auto problem =
                    check(neutral, Field::NeutralPrimary, Field::NeutralSecondary,
                          changed.NeutralCurrPrimaryRawVal, changed.NeutralCurrSecondaryRawVal))
                return problem;
        } else {
            changed.NeutralCurrPrimaryRawVal = kWithoutTransformer;
            changed.NeutralCurrSecondaryRawVal = kWithoutTransformer;
        }
    }
    job = changed;
    return std::nullopt;
}

bool ReadTransformerJob(const std::string& path, CMeasurementJob& job, UserInterface& ui) {
    job = CMeasurementJob();
    // A file that is not a measurement file could not take the correction; say so before the
    // person types it in.
    if (!CheckFile(path)) {
        ui.ShowMessage(kUnreadableFile, Str(kUnreadableFile), MessageIcon::Warning);
        return false;
    }
    return ReadJobFile(path, job);
}

bool ChangeCurrentTransformer(const std::string& path,
                              const std::function<bool(CMeasurementJob&)>& edit,
                              UserInterface& ui) {
    CMeasurementJob job;
    if (!ReadTransformerJob(path, job, ui)) return false;
    if (!edit(job)) return false;
    return ReplaceJob(path, job, ui);
}

}  // namespace varelo
