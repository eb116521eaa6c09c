#pragma once

namespace varelo {

// The kinds of printout the printing frame knows; the number is the kind's code.
enum PrintoutKind : int {
    kPrintJobProtocol = 0,
    kPrintMeasurementInfo = 2,
    kPrintMeasurementList = 3,
    kPrintTimeplot = 4,
    kPrintVoltageCumulative = 5,
    kPrintDisDip = 6,
    kPrintGraphicalSummary = 7,
    kPrintTableSummary = 8,
    kPrintMostCritical = 9,
    kPrintStatisticalValues = 10,
    kPrintExceedings = 11,
    kPrintLimitFile = 12,
    kPrintEvents = 13,
    kPrintVseProtocol = 14,
    kPrintCurrentCumulative = 15,
};

// String-table id of the kind's title printed in the page header; 0 for an unknown kind.
int PrintoutTitleId(int kind);
// Every kind except the complete-in-themselves ones prints the measurement information block
// on its first page.
bool PrintsMeasurementInfo(int kind);

}  // namespace varelo
