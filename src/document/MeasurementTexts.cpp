#include "document/MeasurementTexts.h"

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "document/Vamor800Doc.h"
#include "measurement/MeasurementFile.h"
#include "measurement/MeasurementFileReader.h"

namespace varelo {

namespace {

constexpr int kUnreadableFile = 374;
constexpr const char* kUnstorable[] = {"</t>", "</KelvaroJob>"};

std::string Unstorable(const std::string& text) {
    for (const char* sequence : kUnstorable)
        if (text.find(sequence) != std::string::npos) return sequence;
    return "";
}

}  // namespace

MeasurementTexts MeasurementTexts::Of(const CMeasurementJob& job) {
    return {job.JobTitle, job.JobText};
}

void MeasurementTexts::ApplyTo(CMeasurementJob& job) const {
    job.JobTitle = titles;
    job.JobText = texts;
}

std::string UnstorableSequence(const MeasurementTexts& texts) {
    for (size_t n = 0; n < size_t(kJobLineCount); ++n) {
        for (const std::string* text : {&texts.titles[n], &texts.texts[n]}) {
            std::string found = Unstorable(*text);
            if (!found.empty()) return found;
        }
    }
    return "";
}

bool WriteMeasurementTexts(const std::string& path, const MeasurementTexts& texts,
                           UserInterface& ui) {
    CMeasurementJob job;
    // Without an accepted header or a readable job there is nothing to put the texts into;
    // writing a default job would throw the recorded settings away.
    if (!CheckFile(path) || !ReadJobFile(path, job)) {
        ui.ShowMessage(kUnreadableFile, Str(kUnreadableFile), MessageIcon::Warning);
        return false;
    }
    if (MeasurementTexts::Of(job) == texts) return true;
    texts.ApplyTo(job);
    return ReplaceJob(path, job, ui);
}

TextChangeResult ChangeMeasurementText(CVamor800Doc& doc, const MeasurementTexts& texts,
                                       UserInterface& ui) {
    if (MeasurementTexts::Of(doc.Data().job) == texts) return TextChangeResult::Unchanged;
    if (!UnstorableSequence(texts).empty()) return TextChangeResult::Refused;
    doc.SetJobTexts(texts);
    const std::string path = doc.FilePath(true);
    if (path.empty()) return TextChangeResult::NoFile;
    return WriteMeasurementTexts(path, texts, ui) ? TextChangeResult::Written
                                                  : TextChangeResult::NotInFile;
}

}  // namespace varelo
