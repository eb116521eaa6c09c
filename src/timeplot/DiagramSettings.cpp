#include "timeplot/DiagramSettings.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/Settings.h"
#include "timeplot/DiagramState.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {

int WidthTenths(const char* text, int highest, int fallback) {
    char* end = nullptr;
    const double mm = std::strtod(text, &end);
    if (end == text || !std::isfinite(mm)) return fallback;
    const double tenths = std::ceil(mm * 10 - 1e-9);  // 0.5 mm is 5 tenths, not 6
    return tenths >= 1 && tenths <= highest ? int(tenths) : fallback;
}

DiagramSettings DiagramSettings::Read(Settings& settings) {
    DiagramSettings d;
    const int period = settings.ReadInt(setting::TimePeriod);
    d.period = period >= kFirstPeriod && period <= kMeasurementPeriod ? period : kMeasurementPeriod;
    const int mode = settings.ReadInt(setting::Yscaling);
    d.scalingMode = mode >= kScaleMeasuringRange && mode <= kScaleManual ? mode
                                                                          : kScaleMeasuringRange;
    if (d.scalingMode != mode) WriteScalingMode(settings, d.scalingMode);
    const int width = settings.ReadInt(setting::CurveWidth);
    d.widthChoice = width >= 0 && width <= 2 ? width : 0;
    if (d.widthChoice != width) WriteWidthChoice(settings, d.widthChoice);
    d.mediumTenthsMm = WidthTenths(settings.ReadString(setting::CurveWidthMedium).c_str(), 50, 5);
    d.thickTenthsMm = WidthTenths(settings.ReadString(setting::CurveWidthThick).c_str(), 100, 10);
    return d;
}

void DiagramSettings::WriteScalingMode(Settings& settings, int mode) {
    settings.Write(setting::Yscaling, mode);
}

void DiagramSettings::WriteWidthChoice(Settings& settings, int choice) {
    settings.Write(setting::CurveWidth, choice);
}

}  // namespace varelo
