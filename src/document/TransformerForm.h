#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/AppOptions.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

class UserInterface;

// The fields of the dialog that corrects the current transformer data of a stored measurement,
// as texts, and the checks of its OK: phases first, then the neutral, each primary before its
// secondary.
class TransformerForm {
public:
    enum class Field { PhasePrimary, PhaseSecondary, NeutralPrimary, NeutralSecondary };
    static constexpr int kMaxLength = 7;  // characters of a current field
    static constexpr double kLowest = 0.01;
    static constexpr double kHighest = 999000;

    // A transformer group: the clamp's input range (shown only), the check box and its fields.
    struct Group {
        std::string inputRange;
        bool transformer = false;
        std::string primary;
        std::string secondary;
    };

    explicit TransformerForm(const CMeasurementJob& job);

    // "Phase L1, L2, L3" or "Phase A, B, C".
    static std::string PhaseCaption(PhaseLabels labels);
    // Whether the neutral group is shown at all.
    bool NeutralShown() const { return neutralShown_; }

    // The first field that fails with its message (1422 or 1423); none when every field is
    // good, and then the job holds the values.
    struct Problem {
        Field field;
        int messageId;
        std::string text;
    };
    std::optional<Problem> Apply(CMeasurementJob& job) const;

    // A current as the field shows it (amperes from hundredths, "%g").
    static std::string Amperes(long raw);
    // A field's text as a number: what is not a number reads as 0.
    static double Number(const std::string& text);

    Group phase;
    Group neutral;

private:
    bool neutralShown_ = false;
};

// The job of the measurement file at path, to be corrected; false when the command ends: the
// file is not a measurement file (message 374) or its job cannot be read (no message).
bool ReadTransformerJob(const std::string& path, CMeasurementJob& job, UserInterface& ui);

// Corrects the current transformer data of a measurement file: reads its job, lets edit
// change it (false cancels) and rewrites only the job section; the file's own name holds the
// old or the new measurement at every moment. False when nothing was changed.
bool ChangeCurrentTransformer(const std::string& path,
                              const std::function<bool(CMeasurementJob&)>& edit, UserInterface& ui);

}  // namespace varelo
