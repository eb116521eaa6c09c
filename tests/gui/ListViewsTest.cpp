// The all exceedings report and the measurement value list: their dialogs, views and printouts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimeEdit>
#include <chrono>
#include <cstdio>
#include <regex>

#include "OpenedMeasurement.h"
#include "app/Settings.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "gui/dialogs/ExceedingsChannelDialog.h"
#include "gui/dialogs/ValueListPrintDialog.h"
#include "gui/views/AllExceedingsView.h"
#include "gui/views/MeasurementValueListView.h"
#include "gui/views/ViewRegistry.h"
#include "support/RunProgram.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

class ListViewsTest : public test::OpenedMeasurementTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Generate("week.VXM", "--function A --intervals 1008 --drop-intervals 3:2"));
    }
    void TearDown() override { ModalRunner::SetHook(nullptr); }

    // Milliseconds of one paint of the widget into an image.
    static double PaintMs(QWidget& view) {
        QImage image(view.size(), QImage::Format_RGB32);
        QElapsedTimer timer;
        timer.start();
        view.render(&image);
        return double(timer.nsecsElapsed()) / 1e6;
    }
    static void ReportTimes(const char* what, QWidget& view, auto scrollToEnd) {
        PaintMs(view);  // fonts and caches warm up on the first paint
        const double first = PaintMs(view);
        scrollToEnd();
        const double last = PaintMs(view);
        std::printf("[ paint    ] %s: first rows %.2f ms, last rows %.2f ms\n", what, first, last);
    }
};

TEST_F(ListViewsTest, ChannelDialogAddsRemovesAndEnablesOkAnsweredThroughTheRunner) {
    std::vector<int> chosen;
    ModalRunner::SetHook([&chosen](QDialog& d) {
        auto& dialog = dynamic_cast<ExceedingsChannelDialog&>(d);
        EXPECT_FALSE(dialog.OkButton()->isEnabled());
        EXPECT_EQ(dialog.OfferedList()->item(0)->text().toStdString(), "V average");
        dialog.OfferedList()->setCurrentRow(0);
        dialog.AddButton()->click();
        EXPECT_FALSE(dialog.AddButton()->isEnabled());  // every phase of it is chosen
        dialog.OfferedList()->setCurrentRow(1);
        dialog.AddButton()->click();
        EXPECT_EQ(dialog.ChosenList()->count(), 6);
        EXPECT_EQ(dialog.CountLabel()->text().toStdString(), "6 channels selected (maximum 99)");
        dialog.ChosenList()->setCurrentRow(1);  // V average L2 takes L1 and L3 with it
        dialog.RemoveButton()->click();
        EXPECT_EQ(dialog.ChosenList()->count(), 3);
        EXPECT_TRUE(dialog.OkButton()->isEnabled());
        chosen = dialog.Channels();
        return int(QDialog::Accepted);
    });
    std::unique_ptr<ResultView> view(FindViewKindByCommand(33019)->create(Context(), nullptr));
    ASSERT_TRUE(view);
    EXPECT_EQ(chosen, (std::vector<int>{1013, 2013, 3013}));
    EXPECT_EQ(static_cast<AllExceedingsView&>(*view).Channels(), chosen);

    ModalRunner::SetHook([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_EQ(FindViewKindByCommand(33019)->create(Context(), nullptr), nullptr);
}

TEST_F(ListViewsTest, ExceedingsViewScrollsPaintsAndStoresTheStatusAtOnce) {
    AllExceedingsView view(Context(), {1011, 2011, 3011, 1017, 2017, 3017, 1305, 2});
    view.resize(900, 600);
    ASSERT_GT(view.Report().RowCount(), 30u);  // more than a window shows
    view.RunCommand(AllExceedingsView::kIntervalStatus);
    EXPECT_TRUE(view.StatusOn());
    EXPECT_EQ(settings.ReadInt(setting::AllExceedingsIntervalStatus), 1);
    EXPECT_TRUE(view.CommandAction(33089)->isChecked());
    ReportTimes("all exceedings", view, [&view] {
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
        QApplication::sendEvent(&view, &end);
    });
    EXPECT_EQ(view.Scroll().First(), int(view.Report().RowCount()));
    view.RunCommand(AllExceedingsView::kIntervalStatus);
    EXPECT_EQ(settings.ReadInt(setting::AllExceedingsIntervalStatus), 0);
}

TEST_F(ListViewsTest, ValueListTakesTheHandOverScrollsAndKeepsItsPlaceAcrossTheStatus) {
    const CIntervalList& records = doc.Data().intervals;
    doc.SetValueListChannels({1011, 2011, 1017}, records[100].DateTime);
    MeasurementValueListView view(Context());
    view.resize(900, 600);
    EXPECT_EQ(view.List().Columns().size(), 3u);
    EXPECT_EQ(view.Scroll().First(), 101);
    EXPECT_TRUE(doc.TakeValueListChannels().channels.empty());  // read once

    view.ScrollTo(500);
    view.RunCommand(MeasurementValueListView::kIntervalStatus);
    view.RunCommand(MeasurementValueListView::kIntervalStatus);
    EXPECT_EQ(view.Scroll().First(), 500);

    view.RunCommand(33001);  // "1 hour"
    EXPECT_EQ(view.PrintPeriod(), 12);
    EXPECT_EQ(settings.ReadInt(setting::ValueListPrintingRange), 12);
    EXPECT_TRUE(view.CommandAction(33001)->isChecked());
    EXPECT_FALSE(view.CommandAction(33011)->isChecked());
    ReportTimes("value list", view, [&view] { view.ScrollTo(view.Scroll().Rows()); });
}

TEST_F(ListViewsTest, StoredPeriodOutsideOneToTwelveReadsAsOne) {
    for (int stored : {-1, 0, 13}) {
        settings.Write(setting::ValueListPrintingRange, stored);
        MeasurementValueListView view(Context());
        EXPECT_EQ(view.PrintPeriod(), 1) << stored;
        EXPECT_TRUE(view.CommandAction(33011)->isChecked()) << stored;
    }
}

TEST_F(ListViewsTest, PrintDialogSetsThePeriodAndTheFirstRow) {
    MeasurementValueListView view(Context());
    const CTimeStamp target = doc.Data().intervals[200].DateTime;
    ModalRunner::SetHook([&target](QDialog& d) {
        auto& dialog = dynamic_cast<ValueListPrintDialog&>(d);
        EXPECT_EQ(dialog.Periods()->count(), 12);
        dialog.Periods()->setCurrentRow(5);  // "1 day"
        const QDateTime at = ToQDateTime(target);
        dialog.DateEdit()->setDate(at.date());
        dialog.TimeEdit()->setTime(at.time());
        return int(QDialog::Accepted);
    });
    ASSERT_TRUE(view.RunCommand(MeasurementValueListView::kStartAndPeriod));
    EXPECT_EQ(view.PrintPeriod(), 6);
    EXPECT_EQ(view.Scroll().First(), 201);
}

// The pages of a PDF file as pdftotext lays them out.
std::vector<std::string> PdfPages(const std::string& pdf) {
    test::ProgramResult text = RunProgram("pdftotext -layout " + ShellQuote(pdf) + " -");
    EXPECT_EQ(text.status, 0) << text.output;
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t at; (at = text.output.find('\f', start)) != std::string::npos; start = at + 1)
        pages.push_back(text.output.substr(start, at - start));
    return pages;
}

// Lines of a page that begin with a date and time.
int TimeRows(const std::string& page) {
    static const std::regex row(R"(^\s*\d\d/\d\d/\d\d \d\d:\d\d:\d\d)", std::regex::multiline);
    return int(
        std::distance(std::sregex_iterator(page.begin(), page.end(), row), std::sregex_iterator()));
}

class ListPrintoutTest : public ListViewsTest {
protected:
    test::ProgramResult Print(const std::string& args, const std::string& pdf) {
        return RunProgram(test::BuiltProgramLine(
            dir.Path(), "varelo-cli",
            "print " + args + " " + ShellQuote(File()) + " --output " + ShellQuote(pdf)));
    }
};

TEST_F(ListPrintoutTest, ValueListPrintsItsPeriodWithTheHeaderOnEveryPage) {
    const std::string pdf = dir.File("hour.pdf");
    // One hour of 600-s intervals from a start inside the measurement: six rows.
    ASSERT_EQ(Print("value-list --channel 1011 --period 12 --start '2024-01-02 10:00'", pdf).status,
              0);
    std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(TimeRows(pages[0]), 6);

    const std::string whole = dir.File("whole.pdf");
    ASSERT_EQ(Print("value-list --channel 1011 --channel 2011 --status --period 2", whole).status,
              0);
    pages = PdfPages(whole);
    ASSERT_GT(pages.size(), 10u);
    int rows = 0;
    for (const std::string& page : pages) {
        EXPECT_NE(page.find("Date and time"), std::string::npos);
        EXPECT_NE(page.find("Measurement list"), std::string::npos);
        rows += TimeRows(page);
    }
    EXPECT_EQ(rows, int(doc.Data().intervals.size()));
}

TEST_F(ListPrintoutTest, ExceedingsRepeatHeadingsOnNewPagesAndStartSectionsWithSevenRows) {
    const std::string pdf = dir.File("exceedings.pdf");
    ASSERT_EQ(
        Print("exceedings --channel 1011 --channel 1017 --channel 2 --channel 1305 --status", pdf)
            .status,
        0);
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_GT(pages.size(), 1u);
    static const std::regex heading(R"(([^\n]*limit value:[^\n]*))");
    std::string previousLast;
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::string& page = pages[p];
        EXPECT_NE(page.find("Limit value exceedings"), std::string::npos) << p;
        if (TimeRows(page) == 0) continue;
        // Rows never stand on a page without their section's heading and captions.
        std::smatch first;
        ASSERT_TRUE(std::regex_search(page, first, heading)) << p;
        EXPECT_NE(page.find("Date time"), std::string::npos) << p;
        if (p > 0) {
            EXPECT_EQ(TimeRows(page.substr(0, size_t(first.position()))), 0) << p;
        }
        // The last section of a page that continues on the next holds at least seven rows here.
        std::string last;
        size_t lastAt = 0;
        for (auto it = std::sregex_iterator(page.begin(), page.end(), heading);
             it != std::sregex_iterator(); ++it) {
            last = (*it)[1];
            lastAt = size_t(it->position());
        }
        if (p + 1 < pages.size() && pages[p + 1].find(last) != std::string::npos) {
            EXPECT_GE(TimeRows(page.substr(lastAt)), 7) << p;
        }
    }
}

}  // namespace
}  // namespace varelo
