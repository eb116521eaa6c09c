#pragma once

#include <array>
#include <optional>
#include <string>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitValues.h"

namespace varelo {

class CHarmonicLimitsModel;
class CInterharmonicLimitsModel;
class CSignallingLimitsModel;
class UserInterface;

// The editable scalar fields of the main dialog, in the order they are checked.
enum class LimitField {
    Text,
    Histogram,
    NplusTol95,
    NminusTol95,
    NplusTol100,
    NminusTol100,
    FplusTol95,
    FminusTol95,
    FplusTol100,
    FminusTol100,
    FlickPst,
    FlickPlt,
    VoltUnbal,
    NrEvents,
    InterruptionLimit,
};
inline constexpr size_t kLimitFieldCount = size_t(LimitField::InterruptionLimit) + 1;
using LimitFieldTexts = std::array<std::string, kLimitFieldCount>;

// The key a field is known by in files and on the command line ("NrEvents"); nullopt for a
// name that is none of them.
const char* LimitFieldName(LimitField field);
std::optional<LimitField> LimitFieldByName(const std::string& name);

// The limit value level file editor: the file it edits, the record last read or saved, the
// working record the dialogs change and which of the four arrays changed since.
class CLimitEditorModel {
public:
    enum Flag {
        kSignalling = 1,
        kInterharmonics = 2,
        kVoltageHarmonics = 4,
        kCurrentHarmonics = 8
    };

    // documentsFolder: where Save as starts when the current file's folder is not writable.
    CLimitEditorModel(UserInterface& ui, std::string documentsFolder);

    // Opening the editor: the file named by "LimitFile", else the default set of the nominal
    // frequency under "NoName.gwd".
    void Start(const std::string& limitFile, int nominalFrequency);

    const std::string& FileName() const { return path_; }
    bool IsUnnamed() const;
    // "Limit value level file - /path/file.gwd".
    std::string Title() const;
    const CLimitValues& Working() const { return working_; }
    const CLimitValues& Loaded() const { return loaded_; }
    int Flags() const { return flags_; }

    // The fields as the dialog shows them.
    LimitFieldTexts FieldTexts() const;
    std::string FieldText(LimitField field) const { return FieldTexts()[size_t(field)]; }
    // The check when a field loses the focus: what it shows afterwards. An out-of-range entry
    // gives the field's reset value; a text that is no number keeps previous.
    static std::string CheckField(LimitField field, const std::string& typed,
                                  const std::string& previous);
    // The labels that follow the "Histogram" field: "% of the time" with the value in three
    // characters, and those of Flicker Plt and Unbalance.
    static std::array<std::string, 3> HistogramLabels(const std::string& histogram);

    // Takes the fields into the working record. A bad interruption limit (1 to 40) is refused
    // with its message, nothing is taken, and the check names the field.
    LimitCheck TakeOver(const LimitFieldTexts& fields);
    // Whether there is anything unsaved; the fields must have been taken over.
    bool Changed() const;

    // Save: to the current file, or Save as for an unnamed set. A failure is shown with its
    // cause and changes nothing. True when saved.
    bool Save();
    bool SaveAs();
    // Writes to path (with ".gwd" completed); on success it becomes the current file.
    bool SaveTo(const std::string& path);
    // The folder Save as starts in.
    std::string SaveAsFolder() const;
    // Before Open and Close: "Save changes?" when changed. Yes saves, and goes on only when that
    // left nothing unsaved; No goes on; Cancel stops. True to go on.
    bool ConfirmDiscard();
    // Reads a file as the loaded and working record; false leaves everything as it was.
    bool Open(const std::string& path);

    // The sub-dialogs on the working record, and taking their OK back.
    CHarmonicLimitsModel Harmonics(bool current) const;
    void TakeHarmonics(const CHarmonicLimitsModel& model);
    CSignallingLimitsModel Signalling() const;
    void TakeSignalling(const CSignallingLimitsModel& model);
    CInterharmonicLimitsModel Interharmonics() const;
    void TakeInterharmonics(const CInterharmonicLimitsModel& model);

private:
    UserInterface& ui_;
    std::string documentsFolder_;
    std::string path_;
    CLimitValues loaded_;
    CLimitValues working_;
    int flags_ = 0;
};

// The path a limit file is saved under: ".gwd" after a path without any ".", "gwd" after a
// path that ends in ".".
std::string CompleteLimitFileExtension(const std::string& path);
// A description as the file can hold it: at most 360 characters (a line break counts as its
// CR LF), and without "</t>", which would end the item early and shift every later value.
std::string LimitDescription(const std::string& text);

}  // namespace varelo
