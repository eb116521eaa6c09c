#include "job/JobTemplatesForm.h"

#include "app/Settings.h"
#include "measurement/MeasurementJob.h"

namespace varelo {

namespace {

const SettingKey& KeyOf(uint32_t function) {
    return function == kMeasFuncA ? setting::JobTemplateA : setting::JobTemplateP;
}

}  // namespace

JobTemplatesForm::JobTemplatesForm(Settings& settings) : settings_(settings) {
    rows_[kRowP].function = kMeasFuncP;
    rows_[kRowA].function = kMeasFuncA;
    for (Row& row : rows_)
        SetTemplate(row, settings_.ReadString(KeyOf(row.function)));
}

void JobTemplatesForm::SetTemplate(Row& row, const std::string& path) {
    row.path = path;
    row.initialValues = path.empty();
    row.selectEnabled = !path.empty();
}

void JobTemplatesForm::ClickInitialValues(size_t row, const Chooser& choose) {
    Row& r = rows_[row];
    if (!r.initialValues) {
        SetTemplate(r, {});
        return;
    }
    const std::optional<std::string> chosen = choose(r.function, r.path);
    SetTemplate(r, chosen.value_or(std::string()));
}

void JobTemplatesForm::ClickSelect(size_t row, const Chooser& choose) {
    Row& r = rows_[row];
    if (const std::optional<std::string> chosen = choose(r.function, r.path); chosen)
        SetTemplate(r, *chosen);
    else if (r.path.empty())
        SetTemplate(r, {});
}

void JobTemplatesForm::Store() const {
    for (const Row& row : rows_)
        settings_.Write(KeyOf(row.function), row.path);
}

}  // namespace varelo
