// The four result views and the printing frame, in process and offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <regex>

#include "OpenedMeasurement.h"
#include "app/AppOptions.h"
#include "app/PrintoutKinds.h"
#include "app/Settings.h"
#include "document/Vamor800Doc.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintStatusDialog.h"
#include "gui/print/Printout.h"
#include "gui/views/DisDipView.h"
#include "gui/views/EventListView.h"
#include "gui/views/GraphicalSummaryView.h"
#include "gui/views/TableSummaryView.h"
#include "gui/views/ViewRegistry.h"
#include "platform/Paths.h"
#include "support/RecordingUserInterface.h"
#include "support/RunProgram.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

class ResultViewsTest : public test::OpenedMeasurementTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Generate("week.VXM", "--function A --intervals 1008"));
    }

    static QAction* Action(const QList<QMenu*>& menus, int id) {
        for (QMenu* menu : menus) {
            for (QAction* action : menu->actions()) {
                if (action->data().toInt() == id) return action;
            }
        }
        return nullptr;
    }
};

TEST_F(ResultViewsTest, RegistryOpensTheFourViews) {
    struct Case {
        int command, templateId;
    } cases[] = {{33027, 186}, {33028, 190}, {33029, 177}, {33020, 178}};
    for (const Case& c : cases) {
        const ViewKind* kind = FindViewKindByCommand(c.command);
        ASSERT_NE(kind, nullptr) << c.command;
        EXPECT_EQ(kind->templateId, c.templateId);
        EXPECT_EQ(FindViewKindByTemplate(c.templateId), kind);
        std::unique_ptr<ResultView> view(kind->create(Context(), nullptr));
        EXPECT_EQ(view->TemplateId(), c.templateId);
        EXPECT_FALSE(view->ViewName().isEmpty());
        view->resize(900, 700);
        QImage image = view->grab().toImage();  // paints without a display
        EXPECT_EQ(image.width(), 900);
    }
}

TEST_F(ResultViewsTest, WithoutBackgroundTogglesAndIsStoredAtOnce) {
    GraphicalSummaryView view(Context());
    QAction* action = Action(view.WindowMenus(), 33085);
    ASSERT_NE(action, nullptr);
    EXPECT_FALSE(action->isChecked());
    action->trigger();
    EXPECT_TRUE(action->isChecked());
    EXPECT_EQ(settings.ReadInt(setting::GraphicalSummaryBackground), 1);
    action->trigger();
    EXPECT_FALSE(action->isChecked());
    EXPECT_EQ(settings.ReadInt(setting::GraphicalSummaryBackground), 0);
}

TEST_F(ResultViewsTest, ColoursAreReadAgainOnEveryUpdate) {
    GraphicalSummaryStyle before = GraphicalSummaryView::ReadStyle(settings);
    EXPECT_EQ(before.colors[1], QColor(0, 0, 255));
    settings.Write(setting::ScreenColor("Graphical Summary", 1), "0 128 0");
    settings.Write(setting::ScreenColor("Graphical Summary", 2), "bad");
    GraphicalSummaryStyle after = GraphicalSummaryView::ReadStyle(settings);
    EXPECT_EQ(after.colors[1], QColor(0, 128, 0));
    EXPECT_EQ(after.colors[2], QColor(255, 0, 0));  // not a colour: the built-in one
}

TEST_F(ResultViewsTest, TooSmallAreaIsNotDrawn) {
    GraphicalSummaryView view(Context());
    QImage image(400, 300, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintOptions options;
    EXPECT_FALSE(PaintGraphicalSummary(painter, QRectF(0, 0, 60, 40), view.Summary(), {}, options));
    EXPECT_TRUE(
        PaintGraphicalSummary(painter, QRectF(0, 0, 400, 300), view.Summary(), {}, options));
}

TEST_F(ResultViewsTest, EventListFiltersCheckMarksAndEnabling) {
    EventListView view(Context());
    const CEventListModel& model = view.Model();
    EXPECT_TRUE(view.IsCommandChecked(33103));  // all phases of a three-phase measurement
    EXPECT_TRUE(view.IsCommandChecked(33104));
    EXPECT_TRUE(view.IsCommandChecked(33012));  // whole list is the initial print mode
    EXPECT_EQ(int(view.Content().rows.size()), model.Count(0, 0));

    ASSERT_TRUE(view.RunCommand(33108));  // L1
    EXPECT_TRUE(view.IsCommandChecked(33108));
    EXPECT_FALSE(view.IsCommandChecked(33103));
    EXPECT_EQ(int(view.Content().rows.size()), model.Count(1, 0));
    EXPECT_EQ(view.Content().columnTitles.size(), 1);

    for (int kind = 1; kind <= 3; ++kind) {
        int id = 33104 + kind;
        EXPECT_EQ(view.IsCommandEnabled(id), model.Count(1, kind) > 0) << id;
        QAction* action = Action(view.WindowMenus(), id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->isEnabled(), view.IsCommandEnabled(id));
        if (view.IsCommandEnabled(id)) {
            ASSERT_TRUE(view.RunCommand(id));
            EXPECT_EQ(int(view.Content().rows.size()), model.Count(1, kind));
            EXPECT_TRUE(action->isChecked());
        } else {
            EXPECT_FALSE(view.RunCommand(id));
        }
    }
    ASSERT_TRUE(view.RunCommand(33010));
    EXPECT_EQ(view.PrintMode(), 1);
    EXPECT_TRUE(Action(view.WindowMenus(), 33010)->isChecked());
    EXPECT_FALSE(Action(view.WindowMenus(), 33012)->isChecked());
}

TEST_F(ResultViewsTest, EventListScrollsByKeysAndWheel) {
    EventListView view(Context());
    view.resize(800, 160);
    view.show();
    const int rows = int(view.Content().rows.size());
    ASSERT_GT(rows, view.Scroll().RowsPerPage() * 2) << "the generated week has too few events";
    const int page = view.Scroll().RowsPerPage();
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.Scroll().First(), 1 + page);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.Scroll().First(), 2 + page);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.Scroll().First(), rows);
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.Scroll().First(), 1);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.Scroll().First(), 1);
    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -240), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &down);
    EXPECT_EQ(view.Scroll().First(), 3);  // one row per notch
    view.RunCommand(33108);               // a filter change goes back to row 1
    EXPECT_EQ(view.Scroll().First(), 1);
}

TEST_F(ResultViewsTest, DisDipPhaseFilterAndTheEventListCommand) {
    DisDipView view(Context());
    EXPECT_TRUE(view.IsCommandChecked(33111));
    int all = 0;
    for (int r = 0; r < CDisDipTable::kRows; ++r)
        for (int c = 0; c < CDisDipTable::kColumns; ++c)
            all += view.Table().Cell(r, c);
    ASSERT_TRUE(view.RunCommand(33113));
    EXPECT_EQ(view.Table().PhaseFilter(), 2);
    EXPECT_TRUE(Action(view.WindowMenus(), 33113)->isChecked());
    EXPECT_FALSE(Action(view.WindowMenus(), 33111)->isChecked());
    int l2 = 0;
    for (int r = 0; r < CDisDipTable::kRows; ++r)
        for (int c = 0; c < CDisDipTable::kColumns; ++c)
            l2 += view.Table().Cell(r, c);
    EXPECT_LE(l2, all);

    QSignalSpy spy(&view, &ResultView::DocumentCommandRequested);
    EXPECT_EQ(view.IsCommandEnabled(33020), CDisDipTable::IsEventListEnabled(doc.Data().job));
    ASSERT_TRUE(view.IsCommandEnabled(33020));
    Action(view.WindowMenus(), 33020)->trigger();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 33020);
}

// Pages that record what the printing frame did around them.
class ProbePrintout : public Printout {
public:
    ProbePrintout(int pages, QWidget* window) : pages_(pages), window_(window) {}
    int Kind() const override { return kPrintEvents; }
    bool PaintPage(QPainter& painter, const QRectF& area, const PaintOptions&, int page) override {
        printed.push_back(page);
        if (window_) windowEnabled.push_back(window_->isEnabled());
        painter.drawText(area, QStringLiteral("probe"));
        if (page == cancelAt) {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* status = qobject_cast<PrintStatusDialog*>(w);
                if (!status) continue;
                for (QPushButton* b : status->findChildren<QPushButton*>())
                    b->click();
            }
        }
        return page < pages_;
    }
    std::vector<int> printed;
    std::vector<bool> windowEnabled;
    int cancelAt = 0;

private:
    int pages_;
    QWidget* window_;
};

QPrinter& PdfPrinter(QPrinter& printer, const std::string& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(file));
    return printer;
}

TEST_F(ResultViewsTest, StatusWindowDisablesTheWindowAndCancelStopsAfterThePage) {
    QWidget window;
    window.show();
    ProbePrintout probe(5, &window);
    probe.cancelAt = 2;
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, dir.File("cancel.pdf"));
    PrintRequest request{probe, "doc", &doc, settings, ui, &window};
    EXPECT_FALSE(RunPrintJob(printer, request));
    EXPECT_EQ(probe.printed, (std::vector<int>{1, 2}));
    EXPECT_EQ(probe.windowEnabled, (std::vector<bool>{false, false}));
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(ui.messages.empty());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<PrintStatusDialog*>(w), nullptr);
}

TEST_F(ResultViewsTest, PdfThatCannotBeWrittenShowsTheMessageAndLeavesNoFile) {
    QWidget window;
    ProbePrintout probe(2, nullptr);
    QPrinter printer(QPrinter::HighResolution);
    std::string file = dir.File("no-such-folder/out.pdf");
    PdfPrinter(printer, file);
    PrintRequest request{probe, "doc", &doc, settings, ui, &window};
    EXPECT_FALSE(RunPrintJob(printer, request));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{61476});
    EXPECT_TRUE(probe.printed.empty());
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(printer.outputFileName().toStdString(), file);  // the printer keeps the user's name
}

TEST_F(ResultViewsTest, PrintedPagesAreCountedInTheFile) {
    ProbePrintout probe(3, nullptr);
    QPrinter printer(QPrinter::HighResolution);
    std::string file = dir.File("three.pdf");
    PdfPrinter(printer, file);
    PrintRequest request{probe, "doc", &doc, settings, ui, nullptr};
    EXPECT_TRUE(RunPrintJob(printer, request));
    EXPECT_EQ(probe.printed, (std::vector<int>{1, 2, 3}));
    test::ProgramResult info = RunProgram("pdfinfo " + ShellQuote(file));
    EXPECT_TRUE(std::regex_search(info.output, std::regex("Pages:\\s+3\\n"))) << info.output;
}

}  // namespace
}  // namespace varelo

namespace varelo {
namespace {

TEST_F(ResultViewsTest, EventListPrintoutGoesOnOverPagesOfSmallPaper) {
    settings.Write(setting::LeftBorder, 0);
    QPrinter printer(QPrinter::HighResolution);
    PdfPrinter(printer, dir.File("events.pdf"));
    printer.setPageSize(QPageSize(QPageSize::A7));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    std::unique_ptr<Printout> printout = EventListView::MakePrintout(doc);
    PrintRequest request{*printout, "events", &doc, settings, ui, nullptr};
    ASSERT_TRUE(RunPrintJob(printer, request));
    test::ProgramResult text =
        RunProgram("pdftotext -layout " + ShellQuote(dir.File("events.pdf")) + " -");
    ASSERT_EQ(text.status, 0);
    EventListView view(Context());
    const int expected = int(view.Content().rows.size());
    int pages = 0, rows = 0;
    std::regex row("\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\s+\\d");
    size_t start = 0;
    for (size_t at; (at = text.output.find('\f', start)) != std::string::npos; start = at + 1) {
        std::string page = text.output.substr(start, at - start);
        ++pages;
        EXPECT_TRUE(std::regex_search(page, std::regex("Page " + std::to_string(pages) + "\\b")))
            << page;
        int here = int(std::distance(std::sregex_iterator(page.begin(), page.end(), row),
                                     std::sregex_iterator()));
        if (here > 0) {
            EXPECT_NE(page.find("Date and time"), std::string::npos) << page;
        }
        rows += here;
    }
    EXPECT_GT(pages, 2);
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace varelo
