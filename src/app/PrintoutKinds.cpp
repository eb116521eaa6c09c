#include "app/PrintoutKinds.h"

#include <algorithm>
#include <iterator>

namespace varelo {

namespace {

struct KindEntry {
    int kind;
    int titleId;
    bool informationBlock;
};

constexpr KindEntry kKinds[] = {
    {kPrintJobProtocol, 213, false},
    {kPrintMeasurementInfo, 1118, false},
    {kPrintMeasurementList, 1050, true},
    {kPrintTimeplot, 1101, true},
    {kPrintVoltageCumulative, 1230, true},
    {kPrintCurrentCumulative, 1231, true},
    {kPrintDisDip, 1368, true},
    {kPrintGraphicalSummary, 1314, true},
    {kPrintTableSummary, 1315, true},
    {kPrintMostCritical, 1294, true},
    {kPrintStatisticalValues, 1312, true},
    {kPrintExceedings, 1285, true},
    {kPrintLimitFile, 835, false},
    {kPrintEvents, 365, true},
    {kPrintVseProtocol, 1402, false},
};

const KindEntry* Find(int kind) {
    auto it = std::find_if(std::begin(kKinds), std::end(kKinds),
                           [&](const KindEntry& e) { return e.kind == kind; });
    return it == std::end(kKinds) ? nullptr : it;
}

}  // namespace

int PrintoutTitleId(int kind) {
    const KindEntry* entry = Find(kind);
    return entry ? entry->titleId : 0;
}

bool PrintsMeasurementInfo(int kind) {
    const KindEntry* entry = Find(kind);
    return entry && entry->informationBlock;
}

}  // namespace varelo
