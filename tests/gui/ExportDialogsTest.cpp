#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/export/AsciiFormatDialog.h"
#include "gui/export/ExportOptionsDialog.h"
#include "gui/export/ExportPeriodDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"

namespace varelo::test {
namespace {

using test::ReadAll;

// The export commands over a generated day of function A, every dialog answered here.
class ExportDialogsTest : public ShellTest {
protected:
    CVamor800Doc* doc = nullptr;
    std::string output = files.File("out.ASC");
    // The dialog class that is cancelled; the others are answered.
    std::string cancel;
    std::vector<int> chosen;  // what the channel selection answered

    void SetUp() override {
        ShellTest::SetUp();
        Start();
        CloseStartupScreen();
        doc = app->OpenMeasurement(QString::fromStdString(Measurement("day.VXM", 144)));
        ASSERT_NE(doc, nullptr);
        dialogs.clear();
        respond = [this](QDialog& dialog) {
            if (cancel == dialog.metaObject()->className()) return int(QDialog::Rejected);
            if (auto* format = qobject_cast<AsciiFormatDialog*>(&dialog))
                format->DelimiterButton(4)->setChecked(true);
            if (auto* channels = qobject_cast<ChannelSelectionDialog*>(&dialog)) {
                channels->OfferedList()->setCurrentRow(0);
                channels->AddButton()->click();
                chosen = channels->Channels();
            }
            if (auto* save = qobject_cast<QFileDialog*>(&dialog))
                save->selectFile(QString::fromStdString(output));
            return int(QDialog::Accepted);
        };
    }
    int Stored(const char* key) {
        return app->AppSettings().Store().GetInt(app->AppSettings().SettingsSection("ASCII"), key,
                                                 -100);
    }
};

TEST_F(ExportDialogsTest, IntervalExportFromTheMenuWritesTheFileAndRemembersItsChoice) {
    QAction* action = app->Window()->Actions().Action(cmd::kExportIntervals);
    ASSERT_TRUE(action->isEnabled());
    EXPECT_TRUE(app->Window()->Actions().Action(cmd::kExportDatabase)->isEnabled());
    action->trigger();
    EXPECT_EQ(dialogs, (std::vector<std::string>{"varelo::AsciiFormatDialog",
                                                 "varelo::ChannelSelectionDialog",
                                                 "varelo::ExportPeriodDialog", "QFileDialog"}));
    const std::string text = ReadAll(output);
    // Seven header lines, titles, units, 144 intervals, the final empty line.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 7 + 2 + 144);
    EXPECT_EQ(text.substr(0, 13), "Varelo;Power\r");
    ASSERT_FALSE(chosen.empty());
    EXPECT_NE(text.find("\r\nDate;Time;"), std::string::npos);
    EXPECT_EQ(Stored("Delimitter"), 4);
    EXPECT_EQ(Stored("A"), int(chosen.size()));
    EXPECT_EQ(Stored("A01"), chosen[0]);
}

TEST_F(ExportDialogsTest, CancelInAnyDialogWritesNothing) {
    for (const char* dialog : {"varelo::AsciiFormatDialog", "varelo::ChannelSelectionDialog",
                               "varelo::ExportPeriodDialog", "QFileDialog"}) {
        cancel = dialog;
        dialogs.clear();
        app->RunCommand(cmd::kExportIntervals);
        EXPECT_EQ(dialogs.back(), dialog);
        EXPECT_FALSE(std::ifstream(output).good()) << dialog;
        if (cancel == "varelo::AsciiFormatDialog") {
            EXPECT_EQ(Stored("Delimitter"), -100) << "a cancelled format is not stored";
        }
    }
}

TEST_F(ExportDialogsTest, EventAndStatisticExportsAskTheirChoices) {
    std::vector<QString> titles;
    std::vector<std::vector<bool>> proposed;
    auto answer = respond;
    respond = [&](QDialog& dialog) {
        if (auto* options = qobject_cast<ExportOptionsDialog*>(&dialog)) {
            titles.push_back(options->windowTitle());
            proposed.push_back(options->Checked());
            options->Box(0)->setChecked(false);
        }
        return answer(dialog);
    };
    ASSERT_TRUE(doc->IsCommandEnabled(cmd::kExportEvents));
    app->RunCommand(cmd::kExportEvents);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], "Export - Events");
    EXPECT_EQ(proposed[0].size(), 3u);
    EXPECT_TRUE(Saw("varelo::ExportPeriodDialog"));
    const std::string events = ReadAll(output);
    // The short interruptions unchecked: their count line stands once, the long ones' twice.
    auto count = [&events](const std::string& what) {
        size_t n = 0;
        for (size_t at = events.find(what); at != std::string::npos; at = events.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("short Interruptions: "), 1u);
    EXPECT_EQ(count("long Interruptions: "), proposed[0][1] ? 2u : 1u);
    EXPECT_NE(events.find("Time for short interruptions: 3 minutes"), std::string::npos);

    app->RunCommand(cmd::kExportStatistics);
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[1], "Export - Statistics");
    EXPECT_EQ(proposed[1], (std::vector<bool>{true, true}));
    const std::string statistics = ReadAll(output);
    EXPECT_EQ(statistics.find("Mains signaling voltage"), std::string::npos);
    EXPECT_NE(statistics.find("Frequency table;Number of intervals"), std::string::npos);
}

TEST_F(ExportDialogsTest, SpanishReportAsksOnlyForTheFile) {
    app->RunCommand(cmd::kSpanishReport);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"QFileDialog"}));
    const std::string bytes = ReadAll(output);
    EXPECT_EQ(bytes.substr(0, 27), "\"Marca del equipo: Orbant\"\r");
    EXPECT_EQ(bytes.find('\n'), std::string::npos);
}

TEST(ExportDialogs, FormatAndPeriodDialogsGiveWhatWasChosen) {
    AsciiFormat stored;
    stored.delimiter = 6;
    stored.lineNumbers = true;
    AsciiFormatDialog format(stored, false);
    EXPECT_EQ(format.windowTitle(), "Output format");
    EXPECT_TRUE(format.DelimiterButton(6)->isChecked());
    EXPECT_TRUE(format.StatusBox()->isHidden());
    EXPECT_TRUE(format.SaveBox()->isChecked());
    format.DelimiterButton(2)->setChecked(true);
    format.RegionalButton()->setChecked(true);
    format.QuoteBox()->setChecked(true);
    const AsciiFormat chosen = format.Format();
    EXPECT_EQ(chosen.delimiter, 2);
    EXPECT_TRUE(chosen.winDecimal && chosen.quote && chosen.lineNumbers);

    const CTimeStamp start(2026, 3, 2, 0, 0, 0), end(2026, 3, 9, 0, 0, 0);
    ExportPeriodDialog period(start, end, start, end);
    EXPECT_EQ(period.windowTitle(), "Export period");
    EXPECT_EQ(period.StartDate()->minimumDate(), QDate(1970, 1, 2));
    EXPECT_EQ(period.EndDate()->maximumDate(), QDate(2038, 1, 18));
    period.EndDate()->setDate(QDate(2026, 3, 5));
    EXPECT_EQ(period.Start(), start);
    EXPECT_EQ(period.End(), CTimeStamp(2026, 3, 5, 0, 0, 0));
}

}  // namespace
}  // namespace varelo::test
