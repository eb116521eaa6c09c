#pragma once

#include <string>
#include <vector>

namespace varelo {

class CLimitValues;

// One line of the limit value level file printout: a title with the description below it, the
// bold column header, a section heading, or a row of parameter, value and unit.
struct LimitPrintLine {
    enum class Style { Title, Description, Header, Heading, Row };
    Style style = Style::Row;
    std::string parameter;  // the title's or description's whole text for those styles
    std::string value;
    std::string unit;

    bool operator==(const LimitPrintLine&) const = default;
};

// The printout of a limit set, top to bottom; fileName is the editor's current file name.
std::vector<LimitPrintLine> LimitPrintLines(const CLimitValues& limits,
                                            const std::string& fileName);

}  // namespace varelo
