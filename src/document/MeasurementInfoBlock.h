#pragma once

#include <string>
#include <vector>

#include "job/JobTexts.h"

namespace varelo {

class CVamor800Doc;
class CMeasurementJob;

// One labelled line of the measurement information block. A heading carries no value; an
// indented line belongs to the heading above it. Lines of the current carry a phase and a
// neutral value.
struct InfoBlockLine {
    std::string label;
    std::string value;
    std::string neutralValue;
    bool indented = false;
};

// The measurement's data as the first page of a result printout shows them, in their order.
std::vector<InfoBlockLine> MeasurementInfoBlock(const CVamor800Doc& doc);

}  // namespace varelo
