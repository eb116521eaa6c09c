#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/StringTable.h"
#include "export/AsciiExport.h"
#include "export/AsciiLineWriter.h"
#include "export/ExportSource.h"
#include "export/NumberText.h"
#include "measurement/EventList.h"
#include "measurement/StatisticList.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using Lines = std::vector<std::string>;

using test::ReadAll;

// The file's lines, split at CR LF; a bare LF would stay inside a line.
Lines SplitLines(const std::string& text) {
    Lines lines;
    size_t from = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", from)) {
        lines.push_back(text.substr(from, at - from));
        from = at + 2;
    }
    lines.push_back(text.substr(from));
    return lines;
}

AsciiFormat Format(int delimiter, bool lineNumbers = false, bool quote = false) {
    AsciiFormat f;
    f.delimiter = delimiter;
    f.lineNumbers = lineNumbers;
    f.quote = quote;
    f.noHeader = true;
    return f;
}

// The text a writer makes of fields written on one line.
std::string OneLine(const AsciiFormat& format, const std::vector<std::string>& fields,
                    char decimal = '.') {
    AsciiLineWriter w(format, decimal);
    w.NewLine();
    for (const std::string& f : fields)
        w.WriteField(f);
    return w.Text();
}

TEST(AsciiLineWriter, DelimitersLineNumbersAndQuoting) {
    const struct {
        AsciiFormat format;
        std::vector<std::string> fields;
        const char* line;
    } cases[] = {
        {Format(1), {" a ", "b"}, "a,b"},            // trimmed in delimiter mode
        {Format(2, true), {"a", "b"}, "  1\ta\tb"},  // the tab right after the number
        {Format(1, true), {"a"}, "  1, a"},          // delimiter and a blank
        {Format(3, true), {"a"}, "  1  a"},          //
        {Format(4), {"x;y", "say \"hi\""}, "\"x;y\";\"say \"\"hi\"\"\""},  // quoted when needed
        {Format(3), {"Voltage L1", "7"}, "\"Voltage L1\" 7"},
        {Format(1, false, true), {"a\"b", "c"}, "\"a\"\"b\",\"c\""},  // every field quoted
        {Format(7), {"x;y"}, "x;y"},  // the table format never quotes
        {Format(7, false, true), {"a"}, "\"a\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OneLine(c.format, c.fields), c.line) << c.line;
}

TEST(AsciiLineWriter, LinesEndWithCrLfAndLabelsTakeTheirSeparator) {
    AsciiLineWriter w(Format(1), '.');
    w.NewLine();
    w.WriteLabeled("Label", "value");
    w.NewLine();
    w.WriteNumber(-1.25, 1);
    EXPECT_EQ(w.Text(), "Label: value\r\n-1.2");
    AsciiLineWriter quoted(Format(4, false, true), '.');
    quoted.NewLine();
    quoted.WriteLabeled("Label", "value");
    EXPECT_EQ(quoted.Text(), "\"Label\";\"value\"");
}

TEST(AsciiLineWriter, DurationsRunPastADay) {
    EXPECT_EQ(DurationText(0), "00:00:00");
    EXPECT_EQ(DurationText(61'999), "00:01:01");
    EXPECT_EQ(DurationText((25 * 3600 + 2) * 1000LL), "25:00:02");
    EXPECT_EQ(DurationText(123LL * 3600 * 1000), "123:00:00");
}

TEST(AsciiFormatDecimals, TheRegionalChoiceNeverGivesAPoint) {
    AsciiFormat f;
    EXPECT_EQ(f.DecimalSeparator(','), '.');
    f.winDecimal = true;
    EXPECT_EQ(f.DecimalSeparator(','), ',');
    EXPECT_EQ(f.DecimalSeparator('.'), ',');  // an English locale switched to regional
}

class AsciiExportTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 3, 17600);
    test::TempDir dir;
    test::RecordingUserInterface ui;
    std::string path = dir.File("OUT.ASC");

    void SetUp() override {
        CRawScaling scaling;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }
    ExportSource Source() const { return ExportSource(data); }

    Lines Intervals(const AsciiFormat& format, CTimeStamp start, CTimeStamp end,
                    std::vector<int> channels = {1011, 2011}, char localeDecimal = '.') {
        IntervalExportRequest request;
        request.target = {format, localeDecimal, path, 1252};
        request.channels = std::move(channels);
        request.start = start;
        request.end = end;
        const ExportResult result = ExportIntervals(Source(), request, ui);
        EXPECT_TRUE(result.written);
        return SplitLines(ReadAll(path));
    }
};

TEST_F(AsciiExportTest, TableFormatPlacesValuesAtFixedColumns) {
    const Lines lines =
        Intervals(Format(7, true), data.job.MeasStartMeasured, data.job.MeasStopMeasured);
    // Title, units, three intervals, the final empty line.
    ASSERT_EQ(lines.size(), 6u);
    const std::string& row = lines[2];
    EXPECT_EQ(row.substr(0, 28), "  3; 2026-03-02;00:10:00.000");
    // A value right-aligned in 15 from column 30, the next 17 further on.
    const std::string first = row.substr(30, 15);
    EXPECT_EQ(row.substr(28, 2), "; ");
    EXPECT_EQ(first.front(), ' ');
    EXPECT_NE(first.back(), ' ');
    EXPECT_EQ(row.substr(45, 2), "; ");
    EXPECT_EQ(row.size(), 30u + 17 + 15);
    EXPECT_EQ(lines[0].substr(30, 15), PadLeft("V average L1", 15));
    EXPECT_EQ(lines[5], "  6; ");
}

TEST_F(AsciiExportTest, PeriodTakesIntervalsAfterTheStartUpToTheEnd) {
    // Start at the first interval's time, end at the second's: only the second is written.
    const Lines lines = Intervals(Format(1), CTimeStamp(2026, 3, 2, 0, 10, 0),
                                  CTimeStamp(2026, 3, 2, 0, 20, 0), {1011});
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Date,Time,V average L1");
    EXPECT_EQ(lines[1], ",,V");
    EXPECT_EQ(lines[2].substr(0, 24), "2026-03-02,00:20:00.000,");
    EXPECT_EQ(lines[3], "");
}

TEST_F(AsciiExportTest, RegionalDecimalsAreInjectedNotTakenFromTheMachine) {
    AsciiFormat f = Format(4);
    f.winDecimal = true;
    const Lines lines =
        Intervals(f, data.job.MeasStartMeasured, data.job.MeasStopMeasured, {1011}, ',');
    const std::string value = lines[2].substr(lines[2].rfind(';') + 1);
    EXPECT_NE(value.find(','), std::string::npos) << value;
    EXPECT_EQ(value.find('.'), std::string::npos) << value;
    // With the comma as delimiter the comma-decimal value is quoted to stay one field.
    f.delimiter = 1;
    const Lines comma =
        Intervals(f, data.job.MeasStartMeasured, data.job.MeasStopMeasured, {1011}, ',');
    EXPECT_EQ(comma[2].substr(24, 1), "\"") << comma[2];
}

TEST_F(AsciiExportTest, HeaderBlockAndStatusColumn) {
    AsciiFormat f = Format(1);
    f.noHeader = false;
    f.status = true;
    data.logger.SerialNr = "  12345678901234567890XYZ";
    data.job.JobTitle[5] = "Place:";
    data.job.JobText[5] = "Main street";
    const Lines lines = Intervals(f, data.job.MeasStartMeasured, data.job.MeasStopMeasured, {1011});
    ASSERT_EQ(lines.size(), 7u + 6u);
    EXPECT_EQ(lines[0], Str(174) + "," + Str(766));
    EXPECT_NE(lines[1].find("Serial number: "), std::string::npos);
    EXPECT_EQ(lines[2], "Place: Main street");
    EXPECT_EQ(lines[3], "Measurement period: 10 minutes");
    EXPECT_EQ(lines[5].substr(0, 9), "Current: ");
    EXPECT_EQ(lines[6], "\"Date,Time\": \"2026-03-02,00:00:00.000 - 2026-03-02,00:30:00.000\"");
    EXPECT_EQ(lines[7], "Date,Time,Status,V average L1");
    EXPECT_EQ(lines[9].substr(24, 12), StatusLetterCode(0) + ",");
}

TEST_F(AsciiExportTest, EventCountsWithoutEventsAreThreeZeros) {
    EventExportRequest request;
    request.target = {Format(1), '.', path, 1252};
    DefaultEventPeriod(data, request.start, request.end);
    EXPECT_EQ(request.start, data.job.MeasStartMeasured);
    const ExportResult result = ExportEvents(Source(), request, ui);
    ASSERT_TRUE(result.written);
    const Lines lines = SplitLines(ReadAll(path));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Time for short interruptions: 3 minutes");
    EXPECT_EQ(lines[1], "short Interruptions: 0");
    EXPECT_EQ(lines[2], "long Interruptions: 0");
    EXPECT_EQ(lines[3], "Events: 0");
    EXPECT_EQ(result.rows, 0u);
}

TEST_F(AsciiExportTest, EventsWithinThePeriodAreCountedAndListed) {
    auto event = [](int kind, int phase, CTimeStamp start, long long seconds, int16_t endMs) {
        CEventRecord e;
        e.Kind = kind;
        e.Phase = int16_t(phase);
        e.Value = 180.5;
        e.StartDateTime = start;
        e.EndDateTime = start;
        e.EndDateTime.AddSeconds(seconds);
        e.EndDateTime.millisecond = endMs;
        return e;
    };
    CTimeStamp t(2026, 3, 2, 1, 0, 0, 250);
    data.events.Add(event(kEventOther, 2, t, 1, 500));  // 1.250 s
    data.events.Add(event(kEventShortInterruption, 1, t, 5, 250));
    CTimeStamp late(2026, 3, 3, 0, 0, 0);
    data.events.Add(event(kEventOther, 1, late, 1, 0));  // after the period
    CTimeStamp start, end;
    DefaultEventPeriod(data, start, end);
    EXPECT_EQ(start, CTimeStamp(2026, 3, 2, 1, 0, 0));
    EXPECT_EQ(end, CTimeStamp(2026, 3, 3, 0, 0, 2));

    EventExportRequest request;
    request.target = {Format(1), '.', path, 1252};
    request.start = CTimeStamp(2026, 3, 2, 1, 0, 1);  // inside the first two events
    request.end = CTimeStamp(2026, 3, 2, 2, 0, 0);
    request.groups = {false, false, true};
    const ExportResult result = ExportEvents(Source(), request, ui);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.rows, 1u);
    const Lines lines = SplitLines(ReadAll(path));
    EXPECT_EQ(lines[1], "short Interruptions: 1");
    EXPECT_EQ(lines[3], "Events: 1");
    EXPECT_EQ(lines[4], "Events: 1");
    EXPECT_EQ(lines[6], "2026-03-02,01:00:00.250,250,,,,180.50,00:00:01,250,,,");
}

TEST_F(AsciiExportTest, StatisticFrequencyAndSignallingLines) {
    data.job.PowSysNomFreq = 50;
    data.job.NrInterHarm = 1;
    data.job.HarmOrder[0] = 350;  // 175 Hz
    data.job.HarmText[0] = "Ripple";
    CStatisticSegment s;
    s.Freq10sec[0] = 2;
    s.Freq10sec[41] = 5;
    s.NrSignalVoltInterval = 10;
    s.SignalVal[1][0][0] = 3;   // L2, class 0
    s.SignalVal[1][0][19] = 1;  // L2, the top class
    data.statistics.Add(s);
    data.statistics.Add(s);

    StatisticExportRequest request;
    request.target = {Format(7), '.', path, 1252};
    const ExportResult result = ExportStatistics(Source(), request, ui);
    ASSERT_TRUE(result.written);
    EXPECT_EQ(result.rows, 42u + 21u);
    const Lines lines = SplitLines(ReadAll(path));
    ASSERT_EQ(lines.size(), 2u + 42 + 4 + 21 + 1);
    EXPECT_EQ(lines[0], "Frequency table;Number of intervals: 14");
    EXPECT_EQ(lines[1], "Frequency class;      Number of");
    const std::string lowest =
        PadLeft(FormatFixed(CStatisticSegment::FrequencyClassLimit(0, 50) * 0.01, 1), 9);
    EXPECT_EQ(lines[2], lowest + ";" + std::string(22 - 10, ' ') + "     4");
    EXPECT_EQ(lines[43].substr(lines[43].size() - 6), "    10");
    EXPECT_EQ(lines[44], "Mains signaling voltage;Number of intervals: 20");
    EXPECT_EQ(lines[45], "Number of mains signaling voltage frequencies: 1");
    EXPECT_EQ(lines[46], " 175 Hz;Ripple");
    EXPECT_EQ(lines[47].substr(21, 18), PadLeft("175 Hz Phase 1", 18));
    EXPECT_EQ(lines[47].substr(41, 18), PadLeft("175 Hz Phase 2", 18));
    // Line 0: the intervals in no class (20 - 8 for L2), line 1 class 0, the last line ">11.5".
    EXPECT_EQ(lines[48].substr(0, 9), "      1.0");
    EXPECT_EQ(lines[48].substr(47, 12), PadLeft("12", 12));
    EXPECT_EQ(lines[49].substr(47, 12), PadLeft("6", 12));
    EXPECT_EQ(lines[68].substr(0, 9), ">    11.5");
    EXPECT_EQ(lines[68].substr(47, 12), PadLeft("2", 12));
    EXPECT_EQ(lines[67].substr(0, 9), "     11.5");
}

TEST(ExportPaths, ProposedNamesDropTheExtension) {
    EXPECT_EQ(ProposedExportPath("/data/m/WEEK.VXM", "_I"), "/data/m/WEEK_I.ASC");
    EXPECT_EQ(ProposedExportPath("/data/m/WEEK.VXM", ""), "/data/m/WEEK.ASC");
    EXPECT_EQ(ProposedExportPath("/data/m.d/WEEK", "_E"), "/data/m.d/WEEK_E.ASC");
}

}  // namespace
}  // namespace varelo
