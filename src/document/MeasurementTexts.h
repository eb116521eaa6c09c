#pragma once

#include <array>
#include <string>

#include "measurement/MeasurementJob.h"

namespace varelo {

class CVamor800Doc;
class UserInterface;

// The six captions and texts that describe a measurement job.
struct MeasurementTexts {
    std::array<std::string, kJobLineCount> titles;
    std::array<std::string, kJobLineCount> texts;

    static MeasurementTexts Of(const CMeasurementJob& job);
    void ApplyTo(CMeasurementJob& job) const;
    bool operator==(const MeasurementTexts&) const = default;
};

// A text item of the file ends at the first "</t>", and the job section at its closing tag: a
// caption or text holding either would lose its rest, and a following "=" would shift every
// later value of the job. Returns the first such sequence found, empty when all can be stored.
std::string UnstorableSequence(const MeasurementTexts& texts);

enum class TextChangeResult {
    Unchanged,  // nothing differed: nothing was written
    Refused,    // a text holds an unstorable sequence: nothing changed
    Written,    // the document and the file hold the new texts
    NotInFile,  // the document holds them, the file could not take them (374 shown)
    NoFile,     // the document holds them; it has no file
};

// Puts the texts into the job of a measurement file, keeping everything else of the file. The
// file is rewritten only through ReplaceJob (a temporary copy, then renamed); a file whose
// header is not accepted or whose job cannot be read is left as it is, with message 374.
bool WriteMeasurementTexts(const std::string& path, const MeasurementTexts& texts,
                           UserInterface& ui);

// The "&Text..." sequence after the dialog's OK: a change goes into the document's job and
// then into its file.
TextChangeResult ChangeMeasurementText(CVamor800Doc& doc, const MeasurementTexts& texts,
                                       UserInterface& ui);

}  // namespace varelo
