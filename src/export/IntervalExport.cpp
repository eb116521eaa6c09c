// The interval data export: header, column titles, units and one line per interval.
#include <filesystem>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "export/AsciiExport.h"
#include "export/AsciiLineWriter.h"
#include "export/ExportSource.h"
#include "measurement/MeasurementChannel.h"
#include "timeplot/ChannelFormat.h"

namespace varelo {

namespace {

constexpr int kDate = 756;
constexpr int kTime = 771;
constexpr int kStatus = 1051;
constexpr int kFirstColumn = 25;
constexpr int kColumnStep = 17;
constexpr int kValueWidth = 15;
constexpr int kStatusWidth = 11;  // the status letters; the channels move right by its column
constexpr int kStatusStep = kStatusWidth + 2;

struct Column {
    CMeasurementChannel channel;
    int decimals;
};

}  // namespace

std::string ProposedExportPath(const std::string& measurementPath, const std::string& suffix) {
    std::filesystem::path path(measurementPath);
    path.replace_extension();
    return path.string() + suffix + ".ASC";
}

ExportResult ExportIntervals(const ExportSource& source, const IntervalExportRequest& request,
                             UserInterface& ui) {
    const AsciiExportTarget& target = request.target;
    const AsciiFormat& format = target.format;
    std::vector<Column> columns;
    for (int id :
         request.channels.empty() ? std::vector<int>{kDefaultExportChannel} : request.channels) {
        Column c{{}, source.Decimals(id)};
        if (!c.channel.SetupChannel(id)) continue;
        c.channel.plt = source.plt;
        columns.push_back(std::move(c));
    }
    ExportFile file(target.path, target.codePage, ui);
    if (!file.Open()) return {};
    WaitCursor wait(ui);

    const bool table = format.TableFormat();
    const bool status = format.status;
    const int first = kFirstColumn + (status ? kStatusStep : 0);
    auto at = [&](size_t i) { return table ? first + int(i) * kColumnStep : -1; };
    const int width = table ? kValueWidth : 0;

    AsciiLineWriter w(format, format.DecimalSeparator(target.localeDecimal));
    w.WriteHeaderBlock(ExportHeader::Of(source.data, request.start, request.end));
    w.NewLine();
    w.WriteField(Str(kDate));
    w.WriteField(Str(kTime));
    if (status) w.WriteField(Str(kStatus), table ? kFirstColumn : -1, table ? kStatusWidth : 0);
    for (size_t i = 0; i < columns.size(); ++i)
        w.WriteField(columns[i].channel.ChannelName(source.data.job, source.labels), at(i), width);
    w.NewLine();
    w.WriteField("");
    w.WriteField("");
    if (status) w.WriteField("", table ? kFirstColumn : -1, table ? kStatusWidth : 0);
    for (size_t i = 0; i < columns.size(); ++i)
        w.WriteField(ChannelUnit(columns[i].channel.ChannelId(), source.quantities), at(i), width);

    ExportResult result;
    result.channels = columns.size();
    const CRawScaling& scaling = source.data.intervals.Scaling();
    for (const CIntervalRecord& r : source.data.intervals) {
        if (!(request.start < r.DateTime) || request.end < r.DateTime) continue;
        w.NewLine();
        w.WriteTimestamp(r.DateTime);
        if (status)
            w.WriteField(StatusLetterCode(uint16_t(r.Status)), table ? kFirstColumn : -1,
                         table ? kStatusWidth : 0);
        for (size_t i = 0; i < columns.size(); ++i)
            w.WriteNumber(columns[i].channel.ChannelValue(r, scaling, source.quantities),
                          columns[i].decimals, at(i), width);
        ++result.rows;
        if (!file.Take(w.Text())) break;
    }
    w.NewLine();
    result.written = file.Finish(w.Text());
    return result;
}

}  // namespace varelo
