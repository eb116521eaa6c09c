#include "evaluation/LimitEditor/LimitEditorModel.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/FileErrorMessage.h"
#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "evaluation/LimitEditor/HarmonicLimitsModel.h"
#include "evaluation/LimitEditor/InterharmonicLimitsModel.h"
#include "evaluation/LimitEditor/SignallingLimitsModel.h"
#include "evaluation/LimitValueFile.h"
#include "platform/IniFile.h"

namespace varelo {

namespace {

constexpr int kNoName = 1086;
constexpr int kTitle = 856;
constexpr int kSaveChanges = 1186;
constexpr int kIntegerBetween = 61714;
constexpr int kOpenTitle = 339;
constexpr int kExtension = 853;
constexpr int kFilter = 854;
constexpr size_t kMaxDescription = 360;
constexpr int kInterruptionLowest = 1;
constexpr int kInterruptionHighest = 40;

enum class Kind { Text, Integer, Decimal };

// What a field holds and what an entry outside its range is replaced by.
struct FieldRule {
    LimitField field;
    const char* name;
    Kind kind;
    bool ranged;
    double lowest, highest;
    double belowValue, aboveValue;
};

// NrEvents is a 16-bit count: a larger bound would wrap negative and every count would exceed it.
constexpr FieldRule kRules[kLimitFieldCount] = {
    {LimitField::Text, "Text", Kind::Text, false, 0, 0, 0, 0},
    {LimitField::Histogram, "Histogram", Kind::Integer, true, 0, 100, 95, 95},
    {LimitField::NplusTol95, "NplusTol95", Kind::Decimal, true, 0, 100, 0, 100},
    {LimitField::NminusTol95, "NminusTol95", Kind::Decimal, false, 0, 0, 0, 0},
    {LimitField::NplusTol100, "NplusTol100", Kind::Decimal, false, 0, 0, 0, 0},
    {LimitField::NminusTol100, "NminusTol100", Kind::Decimal, false, 0, 0, 0, 0},
    {LimitField::FplusTol95, "FplusTol95", Kind::Integer, true, 1, 20, 1, 1},
    {LimitField::FminusTol95, "FminusTol95", Kind::Integer, true, 1, 20, 1, 1},
    {LimitField::FplusTol100, "FplusTol100", Kind::Integer, true, 1, 20, 4, 4},
    {LimitField::FminusTol100, "FminusTol100", Kind::Integer, true, 1, 20, 6, 6},
    {LimitField::FlickPst, "FlickPst", Kind::Decimal, true, 0, 30, 1, 1},
    {LimitField::FlickPlt, "FlickPlt", Kind::Decimal, true, 0, 30, 1, 1},
    {LimitField::VoltUnbal, "VoltUnbal", Kind::Decimal, true, 0, 100, 2, 2},
    {LimitField::NrEvents, "NrEvents", Kind::Integer, true, 0, 32767, 100, 100},
    {LimitField::InterruptionLimit, "InterruptionLimit", Kind::Integer, false, 0, 0, 0, 0},
};

const FieldRule& RuleOf(LimitField field) {
    return kRules[size_t(field)];
}

// The record's member behind each numeric field.
int16_t* IntegerOf(CLimitValues& l, LimitField field) {
    switch (field) {
        case LimitField::Histogram: return &l.Histogram;
        case LimitField::FplusTol95: return &l.FplusTol95;
        case LimitField::FminusTol95: return &l.FminusTol95;
        case LimitField::FplusTol100: return &l.FplusTol100;
        case LimitField::FminusTol100: return &l.FminusTol100;
        case LimitField::NrEvents: return &l.NrEvents;
        case LimitField::InterruptionLimit: return &l.InterruptionLimit;
        default: return nullptr;
    }
}

float* DecimalOf(CLimitValues& l, LimitField field) {
    switch (field) {
        case LimitField::NplusTol95: return &l.NplusTol95;
        case LimitField::NminusTol95: return &l.NminusTol95;
        case LimitField::NplusTol100: return &l.NplusTol100;
        case LimitField::NminusTol100: return &l.NminusTol100;
        case LimitField::FlickPst: return &l.FlickPst;
        case LimitField::FlickPlt: return &l.FlickPlt;
        case LimitField::VoltUnbal: return &l.VoltUnbal;
        default: return nullptr;
    }
}

std::string FormatNumber(Kind kind, double value) {
    return kind == Kind::Integer ? std::to_string((long long)value) : FormatFixed2(value);
}

bool IsWritableFolder(const std::string& folder) {
    return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

const char* LimitFieldName(LimitField field) {
    return RuleOf(field).name;
}

std::optional<LimitField> LimitFieldByName(const std::string& name) {
    for (const FieldRule& rule : kRules) {
        if (EqualsNoCase(name, rule.name)) return rule.field;
    }
    return std::nullopt;
}

std::string CompleteLimitFileExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return path + ".gwd";
    if (dot + 1 == path.size()) return path + "gwd";
    return path;
}

std::string LimitDescription(const std::string& text) {
    std::string crlf;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r')
            crlf += "\r\n";
        else
            crlf += text[i];
    }
    // Taking one "</t>" out can join another ("<</t>/t>").
    for (size_t at; (at = crlf.find("</t>")) != std::string::npos;)
        crlf.erase(at, 4);
    size_t characters = 0, end = 0;
    while (end < crlf.size() && characters < kMaxDescription) {
        size_t length = 1;
        const unsigned char c = static_cast<unsigned char>(crlf[end]);
        if (c >= 0xF0)
            length = 4;
        else if (c >= 0xE0)
            length = 3;
        else if (c >= 0xC0)
            length = 2;
        end = std::min(end + length, crlf.size());
        ++characters;
    }
    // A line break is kept whole or not at all.
    if (end < crlf.size() && end > 0 && crlf[end - 1] == '\r') --end;
    return crlf.substr(0, end);
}

CLimitEditorModel::CLimitEditorModel(UserInterface& ui, std::string documentsFolder)
    : ui_(ui), documentsFolder_(std::move(documentsFolder)), path_(Str(kNoName)) {}

void CLimitEditorModel::Start(const std::string& limitFile, int nominalFrequency) {
    flags_ = 0;
    CLimitValues read;
    if (!limitFile.empty() && ReadLimitFile(limitFile, read)) {
        loaded_ = working_ = read;
        path_ = limitFile;
        return;
    }
    // A new set counts as unchanged until it is edited.
    working_.SetDefaults(nominalFrequency);
    loaded_ = working_;
    path_ = Str(kNoName);
}

bool CLimitEditorModel::IsUnnamed() const {
    return path_ == Str(kNoName);
}

std::string CLimitEditorModel::Title() const {
    return path_.empty() ? Str(kTitle) : Str(kTitle) + " - " + path_;
}

LimitFieldTexts CLimitEditorModel::FieldTexts() const {
    LimitFieldTexts texts;
    CLimitValues l = working_;
    for (const FieldRule& rule : kRules) {
        std::string& text = texts[size_t(rule.field)];
        if (rule.kind == Kind::Text)
            text = l.Text;
        else if (int16_t* i = IntegerOf(l, rule.field))
            text = std::to_string(*i);
        else if (float* d = DecimalOf(l, rule.field))
            text = FormatFixed2(*d);
    }
    return texts;
}

namespace {

// A numeric field's value after its range rule; none when the text is no number the field holds.
std::optional<double> CheckedValue(const FieldRule& rule, const std::string& typed) {
    double value = 0;
    long long integer = 0;
    if (rule.kind == Kind::Integer) {
        if (!ParseInteger(typed, integer)) return std::nullopt;
        value = double(integer);
    } else if (!ParseDecimal(typed, value)) {
        return std::nullopt;
    }
    if (rule.ranged && value < rule.lowest) return rule.belowValue;
    if (rule.ranged && value > rule.highest) return rule.aboveValue;
    // Beyond 16 bits even without a range: the field cannot hold it.
    if (rule.kind == Kind::Integer && (integer < -32768 || integer > 32767)) return std::nullopt;
    return value;
}

}  // namespace

std::string CLimitEditorModel::CheckField(LimitField field, const std::string& typed,
                                          const std::string& previous) {
    const FieldRule& rule = RuleOf(field);
    if (rule.kind == Kind::Text) return LimitDescription(typed);
    const std::optional<double> value = CheckedValue(rule, typed);
    // Decimals are reshown with two, but taken as typed.
    return value ? FormatNumber(rule.kind, *value) : previous;
}

std::array<std::string, 3> CLimitEditorModel::HistogramLabels(const std::string& histogram) {
    char value[16];
    std::snprintf(value, sizeof value, "%3s", histogram.c_str());
    return {std::string(value) + " " + Str(1131), FormatPrintf(Str(1132), {std::string(value)}),
            FormatPrintf(Str(1133), {std::string(value)})};
}

LimitCheck CLimitEditorModel::TakeOver(const LimitFieldTexts& fields) {
    const LimitFieldTexts shown = FieldTexts();
    const size_t interruption = size_t(LimitField::InterruptionLimit);
    long long limit = 0;
    if (!ParseInteger(fields[interruption], limit) || limit < kInterruptionLowest ||
        limit > kInterruptionHighest) {
        return {kIntegerBetween,
                Msg(kIntegerBetween,
                    {std::to_string(kInterruptionLowest), std::to_string(kInterruptionHighest)}),
                int(interruption)};
    }
    CLimitValues taken = working_;
    for (const FieldRule& rule : kRules) {
        const std::string& typed = fields[size_t(rule.field)];
        if (rule.kind == Kind::Text) {
            taken.Text = LimitDescription(typed);
            continue;
        }
        // An untouched field keeps its value: it may show only two decimals of it.
        if (typed == shown[size_t(rule.field)]) continue;
        const std::optional<double> value = CheckedValue(rule, typed);
        if (!value) continue;
        if (int16_t* i = IntegerOf(taken, rule.field))
            *i = int16_t(*value);
        else if (float* d = DecimalOf(taken, rule.field))
            *d = float(*value);
    }
    working_ = taken;
    return {};
}

bool CLimitEditorModel::Changed() const {
    if (flags_ != 0) return true;
    const CLimitValues& w = working_;
    const CLimitValues& l = loaded_;
    // Compared as the record holds them: floats as floats.
    return w.Text != l.Text || w.Histogram != l.Histogram || w.NplusTol95 != l.NplusTol95 ||
           w.NminusTol95 != l.NminusTol95 || w.NplusTol100 != l.NplusTol100 ||
           w.NminusTol100 != l.NminusTol100 || w.PowSysNomFreq != l.PowSysNomFreq ||
           w.FplusTol95 != l.FplusTol95 || w.FminusTol95 != l.FminusTol95 ||
           w.FplusTol100 != l.FplusTol100 || w.FminusTol100 != l.FminusTol100 ||
           w.FlickPst != l.FlickPst || w.FlickPlt != l.FlickPlt || w.VoltUnbal != l.VoltUnbal ||
           w.NrEvents != l.NrEvents || w.InterruptionLimit != l.InterruptionLimit;
}

bool CLimitEditorModel::Save() {
    return IsUnnamed() ? SaveAs() : SaveTo(path_);
}

bool CLimitEditorModel::SaveAs() {
    std::string path = IsUnnamed() ? std::string() : path_;
    if (!ui_.ChooseSaveFile(Str(kOpenTitle), Str(kFilter), Str(kExtension), SaveAsFolder(), path))
        return false;
    return SaveTo(path);
}

bool CLimitEditorModel::SaveTo(const std::string& chosen) {
    const std::string path = CompleteLimitFileExtension(chosen);
    OsError error;
    if (!WriteLimitFile(path, working_, &error)) {
        // Saying nothing would let the edits be dropped unnoticed with the editor.
        ui_.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, path),
                        MessageIcon::Warning);
        return false;
    }
    loaded_ = working_;
    for (float& limit : loaded_.Harm)
        limit = limit > 0 ? limit : 0.0f;
    for (float& limit : loaded_.CurrHarm)
        limit = limit > 0 ? limit : 0.0f;
    flags_ = 0;
    path_ = path;
    return true;
}

std::string CLimitEditorModel::SaveAsFolder() const {
    if (!IsUnnamed()) {
        const std::string folder = std::filesystem::path(path_).parent_path().string();
        if (IsWritableFolder(folder)) return folder;
    }
    return documentsFolder_;
}

bool CLimitEditorModel::ConfirmDiscard() {
    if (!Changed()) return true;
    const Answer answer =
        ui_.Ask({kSaveChanges, Str(kSaveChanges), MessageIcon::Question, false, true});
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::No) return true;
    Save();
    return !Changed();
}

bool CLimitEditorModel::Open(const std::string& path) {
    CLimitValues read;
    if (!ReadLimitFile(path, read)) return false;
    loaded_ = working_ = read;
    path_ = path;
    flags_ = 0;
    return true;
}

CHarmonicLimitsModel CLimitEditorModel::Harmonics(bool current) const {
    return CHarmonicLimitsModel(
        current ? CHarmonicLimitsModel::Mode::Current : CHarmonicLimitsModel::Mode::Voltage,
        working_, (flags_ & (current ? kCurrentHarmonics : kVoltageHarmonics)) != 0);
}

void CLimitEditorModel::TakeHarmonics(const CHarmonicLimitsModel& model) {
    CLimitValues updated = working_;
    const bool current = model.GetMode() == CHarmonicLimitsModel::Mode::Current;
    for (int n = CHarmonicLimitsModel::kFirstOrder; n <= CHarmonicLimitsModel::kLastOrder; ++n) {
        const float limit = model.Limits()[size_t(n - CHarmonicLimitsModel::kFirstOrder)];
        if (current)
            updated.CurrHarm[size_t(n - 1)] = limit;
        else
            updated.SetHarmonicLimit(n, limit);
    }
    if (current) {
        updated.CurrTHD = model.Thd();
        updated.RatedCurrent = model.Vse().ratedCurrent;
        updated.RatedPower = model.Vse().ratedPower;
        updated.ShortCircuitPower = model.Vse().shortCircuitPower;
        updated.ParameterN = model.Vse().parameters;
    } else {
        updated.THD = model.Thd();
    }
    if (!(updated == working_)) flags_ |= current ? kCurrentHarmonics : kVoltageHarmonics;
    working_ = updated;
}

CSignallingLimitsModel CLimitEditorModel::Signalling() const {
    return CSignallingLimitsModel(working_);
}

void CLimitEditorModel::TakeSignalling(const CSignallingLimitsModel& model) {
    const auto limits = model.Limits();
    if (limits != working_.SignallingVolt) flags_ |= kSignalling;
    working_.SignallingVolt = limits;
}

CInterharmonicLimitsModel CLimitEditorModel::Interharmonics() const {
    return CInterharmonicLimitsModel(working_);
}

void CLimitEditorModel::TakeInterharmonics(const CInterharmonicLimitsModel& model) {
    const auto harm = model.Apply(working_.Harm);
    if (harm != working_.Harm) flags_ |= kInterharmonics;
    working_.Harm = harm;
}

}  // namespace varelo
