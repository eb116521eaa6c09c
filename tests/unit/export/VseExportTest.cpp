#include "export/VseExport.h"

#include <gtest/gtest.h>

#include <fstream>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "export/ExportSource.h"
#include "export/NumberText.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

// Three intervals; the 5th voltage harmonic of L1 peaks equally in the second and third.
MeasurementData HarmonicMeasurement() {
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 3, 10000);
    const int16_t fifth[] = {100, 300, 300};
    for (size_t i = 0; i < 3; ++i) {
        data.intervals[i].VoltHarmPhaseLxRawVal[0][0] = 10000;
        data.intervals[i].VoltHarmPhaseLxRawVal[0][4] = fifth[i];
        data.intervals[i].VoltTHDAvgCalc[0] = 2.5f + float(i);
    }
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, 0);
    data.intervals.SetScaling(scaling);
    return data;
}

TEST(VseExport, FileLinesCarryTheEarliestMaximumOfEachChannel) {
    MeasurementData data = HarmonicMeasurement();
    ExportSource source(data);
    VseSettings vse;
    vse.ewNumber = 12;
    vse.location = 3;
    vse.transformer = 12;
    auto maxima = ScanVseMaxima(source, {1305, 1022, 1011, 4305});
    ASSERT_EQ(maxima.size(), 2u) << "only voltage harmonics, THD and interharmonics of L1-L3";
    EXPECT_GT(maxima[0].value, 0);
    EXPECT_EQ(maxima[0].time, data.intervals[1].DateTime) << "the earlier of two equal maxima";
    EXPECT_EQ(maxima[1].time, data.intervals[2].DateTime);

    auto lines = Lines(VseFileText(vse, maxima, source));
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], "  12");
    EXPECT_EQ(lines[1], "   3");
    EXPECT_EQ(lines[2], "  13");
    for (int i = 3; i < 9; ++i)
        EXPECT_EQ(lines[size_t(i)], "");
    // 2026-03-02 00:20 is a Monday.
    EXPECT_EQ(lines[9], " 250 " + FormatValue(maxima[0].value, source.Decimals(1305)) +
                            " 2026  3  2  0 20  1 L1");
    EXPECT_EQ(lines[10].substr(0, 5), " THD ");
    EXPECT_EQ(lines[10].substr(lines[10].size() - 23), " 2026  3  2  0 30  1 L1");
}

TEST(VseExport, WithoutIntervalsOnlyTheNumberLinesAreWritten) {
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 0);
    ExportSource source(data);
    auto maxima = ScanVseMaxima(source, {1305, 1022});
    EXPECT_EQ(Lines(VseFileText({}, maxima, source)).size(), 9u);
    VseRequest request;
    EXPECT_TRUE(BuildVseProtocol(source, "m.VXM", request, maxima).rows.empty());
}

TEST(VseExport, SettingsReadInRangeAndStoreOnlyWhenAsked) {
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    settings.Write(setting::VseEwNumber, 12345);
    settings.Write(setting::VseMeasurementPoint, 8);
    settings.Write(setting::VseTransformer, 12);
    settings.Write(setting::VseProtocol, 7);
    VseSettings vse = LoadVseSettings(settings);
    EXPECT_EQ(vse.ewNumber, 0u);
    EXPECT_EQ(vse.location, 0);
    EXPECT_EQ(vse.transformer, 12);
    EXPECT_TRUE(vse.protocol);

    vse.ewNumber = 4711;
    vse.save = false;
    StoreVseSettings(settings, vse);
    EXPECT_EQ(settings.ReadInt(setting::VseSave), 0);
    EXPECT_EQ(settings.ReadInt(setting::VseEwNumber), 12345) << "kept as it was";
    vse.save = true;
    StoreVseSettings(settings, vse);
    EXPECT_EQ(LoadVseSettings(settings).ewNumber, 4711u);
}

TEST(VseExport, ProtocolNamesEveryChannelsFrequency) {
    MeasurementData data = HarmonicMeasurement();
    data.job.NrInterHarm = 2;
    data.job.HarmOrder = {250, 17500};
    data.job.HarmFreqSync = {1, 0};
    data.job.HarmMeasPrinciple = {0, 2};
    ExportSource source(data);
    std::vector<VseMaximum> maxima = {{1305, 1.5, data.intervals[0].DateTime, true},
                                      {1022, 2.5, data.intervals[0].DateTime, true},
                                      {2401, 0.5, data.intervals[0].DateTime, true},
                                      {3402, 0.5, data.intervals[0].DateTime, true}};
    VseRequest request;
    request.path = "/tmp/m.OSM";
    request.settings.location = 1;
    VseProtocol p = BuildVseProtocol(source, "/tmp/m.VXM", request, maxima);
    ASSERT_EQ(p.rows.size(), 4u);
    EXPECT_EQ(p.rows[0][0], "L1");
    EXPECT_EQ(p.rows[0][1], Str(333) + "5");
    EXPECT_EQ(p.rows[1][1], "THD");
    EXPECT_EQ(p.rows[2][1], "2.50 \xC2\xB7 fo");
    EXPECT_EQ(p.rows[3][1], "8750 Hz max");
    EXPECT_EQ(p.rows[0][3].substr(0, 4), Str(1427).substr(0, 2) + ", ");
    EXPECT_EQ(p.lines[1].value, "/tmp/m.OSM");
    bool locationShown = false;
    for (const auto& line : p.lines)
        locationShown |= line.label == Str(1397) && line.value == Str(1399);
    EXPECT_TRUE(locationShown);
}

TEST(VseExport, AFileThatCannotBeCreatedIsReported) {
    MeasurementData data = HarmonicMeasurement();
    ExportSource source(data);
    test::RecordingUserInterface ui;
    VseRequest request;
    request.path = "/sys/m.OSM";
    request.channels = {1305};
    std::vector<VseMaximum> maxima;
    EXPECT_FALSE(ExportVse(source, request, 1252, ui, maxima).written);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{193});
}

}  // namespace
}  // namespace varelo
