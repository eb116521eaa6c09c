#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace varelo {

class Settings;

// The "Job templates" dialog without its widgets: a row per function, P first, with its
// template path, the initial-values check box (set by the program, never by the click itself)
// and the enabling of "Sele&ct".
class JobTemplatesForm {
public:
    struct Row {
        uint32_t function = 0;
        std::string path;  // empty: the editor starts from its initial values
        bool initialValues = true;
        bool selectEnabled = false;
    };
    // An open-file choice for a function, starting at a path; none when cancelled.
    using Chooser =
        std::function<std::optional<std::string>(uint32_t function, const std::string& path)>;

    static constexpr size_t kRowP = 0;
    static constexpr size_t kRowA = 1;

    explicit JobTemplatesForm(Settings& settings);

    const Row& RowAt(size_t row) const { return rows_[row]; }
    // The check box clicked: a template in use goes back to the initial values; initial values
    // turn into a template only when a file is chosen.
    void ClickInitialValues(size_t row, const Chooser& choose);
    void ClickSelect(size_t row, const Chooser& choose);
    // Both paths to the settings, P first.
    void Store() const;

private:
    void SetTemplate(Row& row, const std::string& path);

    Settings& settings_;
    std::array<Row, 2> rows_;
};

}  // namespace varelo
