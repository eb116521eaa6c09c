#include "export/AccessExport.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "evaluation/LimitValueFile.h"
#include "platform/Paths.h"
#include "support/RecordingUserInterface.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

// Rows of a query as texts, columns joined by "|", NULL as "NULL".
std::vector<std::string> Query(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    std::vector<std::string> rows;
    sqlite3_stmt* stmt = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr), SQLITE_OK) << sql;
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        std::string row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            auto text = sqlite3_column_text(stmt, c);
            row +=
                (c ? "|" : "") + std::string(text ? reinterpret_cast<const char*>(text) : "NULL");
        }
        rows.push_back(row);
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class AccessExportTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::RecordingUserInterface ui;
    AppOptions options;
    CVamor800Doc doc{settings, ui, options};

    void SetUp() override {
        CLimitValues limits;
        limits.SetDefaults(50);
        ASSERT_TRUE(WriteLimitFile(dir.File("limits.gwd"), limits));
        settings.Write(setting::LimitFile, dir.File("limits.gwd"));
        options.SetEn50160WarningHidden(true);
        MeasurementData data = test::SteadyMeasurement(kMeasFuncP, 3, 10000);
        data.job.JobTitle[0] = "Site";
        data.job.JobText[0] = "Substation \"North\"";
        ASSERT_TRUE(WriteMeasurementFile(dir.File("m.VXM"), data));
        ASSERT_TRUE(doc.OpenFile(dir.File("m.VXM")));
        ui.messages.clear();
    }

    std::string Config(const std::string& text) {
        std::ofstream(dir.File("c.ini")) << text;
        return dir.File("c.ini");
    }
};

const char* kConfig =
    "[Database]\nTableCount=1\nIfNotMeasured=null\n"
    "[Table1]\nName=Values\nFieldCount=4\n"
    "FieldName1=Time\nFieldValue1=IntervalDateTime\n"
    "FieldName2=U1\nFieldValue2=UmeanL1\n"
    "FieldName3=Ih5\nFieldValue3=Iharm5L1\n"
    "FieldName4=Zero\nFieldValue4=Uharm99L1\nFieldIfNotMeasured4=zero\n";

TEST_F(AccessExportTest, WritesTypedColumnsOneRowPerIntervalAndTheHeader) {
    AccessExportPlan plan;
    ASSERT_TRUE(PrepareAccessExport(doc, Config(kConfig), true, ui, plan));
    EXPECT_EQ(plan.header.columns[0], "Site");
    EXPECT_EQ(plan.headerValues.averagingInterval, "10 min");
    std::string out = dir.File("out.sqlite");
    ASSERT_TRUE(WriteAccessDatabase(out, plan, doc, ui)) << ui.messages.size();

    EXPECT_EQ(
        Query(out, "SELECT name, type, \"notnull\" FROM pragma_table_info('Values')"),
        (std::vector<std::string>{"Time|DATETIME|1", "U1|FLOAT|1", "Ih5|FLOAT|0", "Zero|FLOAT|1"}));
    auto rows = Query(out, "SELECT * FROM \"Values\"");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 19), "2026-03-02 00:10:00");
    EXPECT_NE(rows[0].find("|NULL|0.0"), std::string::npos) << rows[0];

    auto header = Query(out, "SELECT * FROM Header");
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].substr(0, 19), "Substation \"North\"|");
    EXPECT_NE(header[0].find("|10 min|3|230.0|"), std::string::npos) << header[0];
    EXPECT_EQ(Query(out, "SELECT type, \"notnull\" FROM pragma_table_info('Header')").size(), 13u);
}

TEST_F(AccessExportTest, AFailedExportLeavesTheOldFileAsItWas) {
    std::string out = dir.File("out.sqlite");
    std::ofstream(out) << "old contents";
    AccessExportPlan plan;
    // Two columns of one name: the database refuses the table.
    ASSERT_TRUE(PrepareAccessExport(
        doc,
        Config("[Database]\nTableCount=1\n[Table1]\nName=T\nFieldCount=2\n"
               "FieldName1=A\nFieldValue1=Frequency\nFieldName2=A\nFieldValue2=UmeanL1\n"),
        false, ui, plan));
    EXPECT_FALSE(WriteAccessDatabase(out, plan, doc, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("duplicate column"), std::string::npos);
    EXPECT_EQ(ReadAll(out), "old contents");
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with("out.sqlite."))
            << "a temporary file was left: " << entry.path();

    // A folder nobody may write to.
    ui.messages.clear();
    EXPECT_FALSE(WriteAccessDatabase("/sys/out.sqlite", plan, doc, ui));
    ASSERT_EQ(ui.MessageIds(), std::vector<int>{193});
    EXPECT_EQ(ui.messages[0].text, Msg(193, {"/sys/out.sqlite"}));
}

TEST_F(AccessExportTest, ShippedTemplateIsTheDefaultAndReadsCleanly) {
    std::string path = InitialAccessConfigFile(settings, 'P');
    ASSERT_EQ(path, DataFolder() + "/Access-template-P.ini");
    AccessExportPlan plan;
    ASSERT_TRUE(PrepareAccessExport(doc, path, false, ui, plan));
    ASSERT_EQ(plan.configuration.tables.size(), 3u);
    EXPECT_EQ(plan.configuration.tables[0].name, "Voltages");
    EXPECT_TRUE(ui.messages.empty());

    StoreAccessSettings(settings, 'P', dir.File("m.VXM"), true);
    EXPECT_EQ(InitialAccessConfigFile(settings, 'P'), dir.File("m.VXM"));
    EXPECT_EQ(settings.ReadInt(setting::MdbAddHeaderTable), 1);
}

TEST(AccessExportTexts, AveragingIntervalAndClampedTimes) {
    EXPECT_EQ(AveragingIntervalText(600), "10 min");
    EXPECT_EQ(AveragingIntervalText(30), "30 s");
    EXPECT_EQ(AveragingIntervalText(90), "1 min");
    EXPECT_EQ(ClampHeaderTime(CTimeStamp(1975, 5, 1, 1, 2, 3)), CTimeStamp(1980, 1, 1, 0, 0, 0));
    EXPECT_EQ(ClampHeaderTime(CTimeStamp(2040, 5, 1, 1, 2, 3)), CTimeStamp(2037, 12, 31, 0, 0, 0));
}

}  // namespace
}  // namespace varelo
