#pragma once

#include <string>

#include "export/ExportFile.h"

namespace varelo {

struct MeasurementData;
class UserInterface;

// The interval report in the fixed Spanish layout for distribution network operators: always
// Windows-1252, records ended by a lone carriage return.
struct SpanishReportRequest {
    std::string path;
};

inline constexpr int kSpanishReportCodePage = 1252;
inline constexpr const char* kSpanishReportBrand = "Orbant";

ExportResult ExportSpanishReport(const MeasurementData& data, const SpanishReportRequest& request,
                                 UserInterface& ui);

// "10 minutos", "1 minuto", "1 segundo", "30 segundos".
std::string SpanishIntervalText(int seconds);

}  // namespace varelo
