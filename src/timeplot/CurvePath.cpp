#include "timeplot/CurvePath.h"

#include <algorithm>
#include <cmath>

#include "timeplot/CurveData.h"

namespace varelo {

namespace {

// Nearest whole pixel of a coordinate that is never negative; the library's rounding is a
// call, and a year's redraw rounds a million times.
double Pixel(double coordinate) {
    return double(int64_t(coordinate + 0.5));
}

double Y(double value, const YRange& range, const DiagramGeometry& g) {
    const double span = range.Span() > 0 ? range.Span() : 1;
    // Values beyond the range run along the top or the bottom edge.
    const double share = std::clamp((value - range.bottom) / span, 0.0, 1.0);
    return Pixel(g.Bottom() - share * g.height);
}

// The records whose intervals overlap the window, as index range [first, last).
std::pair<size_t, size_t> Overlapping(const CurveData& data, int64_t start, int64_t end) {
    const auto& times = data.Times();
    const auto first = std::upper_bound(times.begin(), times.end(), start);
    const auto last = std::lower_bound(first, times.end(), end + data.IntervalSeconds(),
                                       [](int64_t t, int64_t limit) { return t < limit; });
    return {size_t(first - times.begin()), size_t(last - times.begin())};
}

struct Span {
    double x0, x1;
};

Span Columns(const CurveData& data, size_t i, const DiagramGeometry& g) {
    const int64_t t = data.Times()[i];
    const int64_t from = std::max(t - data.IntervalSeconds(), g.windowStart);
    const int64_t to = std::min(t, g.windowEnd);
    return {Pixel(g.X(double(from))), Pixel(g.X(double(to)))};
}

// Repeated points add nothing to a line, but a device may draw a zero-length end as a dot.
void Append(Polyline& line, PathPoint point) {
    if (line.empty() || !(line.back() == point)) line.push_back(point);
}

// Values of records that share one pixel column.
struct Column {
    bool open = false;
    double x = 0;
    double entry = 0, low = 0, high = 0, exit = 0;

    void Start(double column, double y) {
        open = true;
        x = column;
        entry = low = high = exit = y;
    }

    void Add(double y) {
        low = std::min(low, y);
        high = std::max(high, y);
        exit = y;
    }
    void AppendTo(Polyline& line) const {
        for (double y : {entry, low, high, exit})
            Append(line, {x, y});
    }
};

}  // namespace

double DiagramGeometry::X(double seconds) const {
    const double span = double(std::max<int64_t>(windowEnd - windowStart, 1));
    return left + (seconds - double(windowStart)) * width / span;
}

std::vector<Polyline> CurvePath(const CurveData& data, int curve, const YRange& range,
                                const DiagramGeometry& geometry, bool decimate) {
    std::vector<Polyline> lines;
    if (curve < 0 || curve >= data.CurveCount()) return lines;
    const std::vector<float>& values = data.Values(curve);
    const auto [first, last] = Overlapping(data, geometry.windowStart, geometry.windowEnd);
    Column column;
    auto flush = [&] {
        if (column.open) column.AppendTo(lines.back());
        column.open = false;
    };
    for (size_t i = first; i < last; ++i) {
        const Span s = Columns(data, i, geometry);
        const double y = Y(values[i], range, geometry);
        const bool newLine = i == first || data.GapBefore(i);
        if (newLine) {
            flush();
            lines.emplace_back();
        }
        if (!decimate) {
            Append(lines.back(), {s.x0, y});
            Append(lines.back(), {s.x1, y});
            continue;
        }
        if (column.open && column.x == s.x0) {
            column.Add(y);
        } else {
            flush();
            column.Start(s.x0, y);
        }
        if (s.x1 > s.x0) {
            // The step runs on to a later column, where the next values gather.
            flush();
            column.Start(s.x1, y);
        }
    }
    flush();
    return lines;
}

std::vector<double> GapMarks(const CurveData& data, const DiagramGeometry& geometry) {
    std::vector<double> marks;
    const auto [first, last] = Overlapping(data, geometry.windowStart, geometry.windowEnd);
    for (size_t i = first; i < last; ++i) {
        if (!data.GapBefore(i)) continue;
        const double x = Columns(data, i, geometry).x0;
        if (marks.empty() || marks.back() != x) marks.push_back(x);  // one per column
    }
    return marks;
}

std::vector<Polyline> LimitFill(const CurveData& data, int curve, const YRange& range,
                                const DiagramGeometry& geometry, double upper, bool hasLower,
                                double lower) {
    std::vector<Polyline> areas;
    if (curve < 0 || curve >= data.CurveCount()) return areas;
    const std::vector<float>& values = data.Values(curve);
    const auto [first, last] = Overlapping(data, geometry.windowStart, geometry.windowEnd);
    const double upperY = Y(upper, range, geometry), lowerY = Y(lower, range, geometry);
    auto add = [&](double x0, double x1, double y, double limitY) {
        // Records in one column share one band as wide as the column.
        if (x1 <= x0) x1 = x0 + 1;
        if (!areas.empty() && areas.back()[0].x == x0 && areas.back()[1].x == x1 &&
            areas.back()[0].y == limitY) {
            Polyline& a = areas.back();
            const bool above = y < limitY;
            a[2].y = a[3].y = above ? std::min(a[2].y, y) : std::max(a[2].y, y);
            return;
        }
        areas.push_back({{x0, limitY}, {x1, limitY}, {x1, y}, {x0, y}});
    };
    for (size_t i = first; i < last; ++i) {
        const Span s = Columns(data, i, geometry);
        const double v = values[i];
        if (v > upper) add(s.x0, s.x1, Y(v, range, geometry), upperY);
        if (hasLower && v < lower) add(s.x0, s.x1, Y(v, range, geometry), lowerY);
    }
    return areas;
}

void WindowEnergy(const CurveData& data, int curve, int64_t windowStart, int64_t windowEnd,
                  double& negative, double& positive) {
    negative = positive = 0;
    if (curve < 0 || curve >= data.CurveCount()) return;
    const std::vector<float>& values = data.Values(curve);
    const auto [first, last] = Overlapping(data, windowStart, windowEnd);
    for (size_t i = first; i < last; ++i) {
        const int64_t t = data.Times()[i];
        const int64_t inside =
            std::min(t, windowEnd) - std::max(t - data.IntervalSeconds(), windowStart);
        if (inside <= 0) continue;
        const double part = double(values[i]) * double(inside);
        (values[i] < 0 ? negative : positive) += part;
    }
    negative /= 3600;
    positive /= 3600;
}

}  // namespace varelo
