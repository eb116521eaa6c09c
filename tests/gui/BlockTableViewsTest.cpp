// The statistical values and the most critical values: opened from their commands, scrolled by
// block, painted offscreen, rebuilt after a limit reload and printed as PDF files.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWheelEvent>
#include <chrono>
#include <filesystem>
#include <regex>

#include "OpenedMeasurement.h"
#include "app/Settings.h"
#include "evaluation/LimitValueFile.h"
#include "gui/views/BlockTableView.h"
#include "gui/views/ViewRegistry.h"
#include "support/RunProgram.h"

namespace varelo {
namespace {

using test::RunProgram;
using test::ShellQuote;

class BlockTableViewsTest : public test::OpenedMeasurementTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(Generate("week.VXM", "--function A --intervals 1008"));
    }

    std::unique_ptr<BlockTableView> Open(int command) {
        const ViewKind* kind = FindViewKindByCommand(command);
        EXPECT_NE(kind, nullptr) << command;
        if (!kind) return nullptr;
        auto* view = dynamic_cast<BlockTableView*>(kind->create(Context(), nullptr));
        EXPECT_NE(view, nullptr);
        return std::unique_ptr<BlockTableView>(view);
    }

    // Milliseconds of one paint of the view as it stands, the best of a few.
    static double PaintMs(BlockTableView& view) {
        QImage image(view.size(), QImage::Format_RGB32);
        double best = 1e9;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            view.render(&image);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            best = std::min(best, took.count());
        }
        return best;
    }
};

TEST_F(BlockTableViewsTest, EachViewOpensFromItsCommandScrollsByBlockAndPaints) {
    struct Case {
        int command, templateId;
        const char* name;
    } cases[] = {{33024, 189, "Statistical values"}, {33015, 188, "Most critical values"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(doc.IsCommandEnabled(c.command));
        std::unique_ptr<BlockTableView> view = Open(c.command);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->TemplateId(), c.templateId);
        EXPECT_EQ(view->ViewName().toStdString(), c.name);
        view->resize(900, 500);
        ASSERT_GT(view->Report().blocks.size(), 10u);
        EXPECT_EQ(view->FirstBlock(), 0u);

        QTest::keyClick(view.get(), Qt::Key_Down);
        EXPECT_EQ(view->FirstBlock(), 1u);
        QTest::keyClick(view.get(), Qt::Key_PageDown);
        EXPECT_GT(view->FirstBlock(), 2u);
        QTest::keyClick(view.get(), Qt::Key_End);
        EXPECT_EQ(view->FirstBlock(), view->LastBlock());
        QTest::keyClick(view.get(), Qt::Key_Down);  // stays at the end
        EXPECT_EQ(view->FirstBlock(), view->LastBlock());
        QWheelEvent up(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 240), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &up);
        EXPECT_EQ(view->FirstBlock(), view->LastBlock() - 2);
        QTest::keyClick(view.get(), Qt::Key_Home);
        EXPECT_EQ(view->FirstBlock(), 0u);

        // The first and the last scroll position both paint a table, not "Window too small.".
        QImage first = view->grab().toImage();
        const double firstMs = PaintMs(*view);
        view->ScrollTo(view->LastBlock());
        QImage last = view->grab().toImage();
        const double lastMs = PaintMs(*view);
        EXPECT_NE(first, last);
        EXPECT_EQ(first.pixelColor(8, 8), QColor(Qt::white));
        std::printf("[ timing ] %s: first position %.2f ms, last position %.2f ms\n", c.name,
                    firstMs, lastMs);
        RecordProperty(std::string(c.name) + " first ms", std::to_string(firstMs));
        RecordProperty(std::string(c.name) + " last ms", std::to_string(lastMs));
    }
}

TEST_F(BlockTableViewsTest, MarksArePaintedGreyOrFramed) {
    std::unique_ptr<BlockTableView> view = Open(33024);
    view->resize(1000, 2400);  // every block at once
    const QImage image = view->grab().toImage();
    int grey = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            grey += image.pixelColor(x, y) == QColor(192, 192, 192) ? 1 : 0;
    }
    int marked = 0;
    for (const ReportBlock& b : view->Report().blocks) {
        for (const StatisticalRow& row : b.statistical) {
            for (int mark : row.measuredMark)
                marked += mark == kMarkGrey ? 1 : 0;
        }
    }
    ASSERT_GT(marked, 0) << "the generated week has values outside their bands";
    EXPECT_GT(grey, marked * 50);  // each grey cell fills many pixels
}

TEST_F(BlockTableViewsTest, LimitReloadRebuildsTheBlocks) {
    std::unique_ptr<BlockTableView> view = Open(33024);
    ASSERT_EQ(view->Report().blocks.at(0).header.at(0).limit, "230.00V +/- 10.00%");
    view->ScrollTo(view->LastBlock());
    CLimitValues limits;
    ASSERT_TRUE(ReadLimitFile(doc.LimitFilePath(), limits));
    limits.NplusTol95 = 5;
    limits.VoltUnbal = 0;
    const std::string changed = dir.File("Changed.gwd");
    ASSERT_TRUE(WriteLimitFile(changed, limits));
    settings.Write(setting::LimitFile, changed);
    ASSERT_TRUE(doc.ReloadLimits(false));
    view->OnDocumentUpdate();
    EXPECT_EQ(view->Report().blocks.at(0).header.at(0).limit, "230.00V +5.00/-10.00%");
    EXPECT_LE(view->FirstBlock(), view->LastBlock());
    bool unbalance = false;
    for (const ReportBlock& b : view->Report().blocks) {
        if (b.header[0].label != "Unbalance V") continue;
        unbalance = true;
        EXPECT_EQ(b.header[0].limit, "no limit value");
        EXPECT_EQ(b.statistical.at(1).measuredMark[1], kMarkNone);
    }
    EXPECT_TRUE(unbalance);
}

// pdftotext's pages of a printout made by varelo-cli.
std::vector<std::string> PrintedPages(const std::string& kind, const std::string& home,
                                      const std::string& file) {
    const std::string pdf = home + "/" + kind + ".pdf";
    test::ProgramResult printed = RunProgram(test::BuiltProgramLine(
        home, "varelo-cli",
        "print " + kind + " " + ShellQuote(file) + " --output " + ShellQuote(pdf)));
    EXPECT_EQ(printed.status, 0) << printed.output;
    test::ProgramResult text = RunProgram("pdftotext -layout " + ShellQuote(pdf) + " -");
    EXPECT_EQ(text.status, 0) << text.output;
    std::vector<std::string> pages;
    size_t start = 0;
    for (size_t at; (at = text.output.find('\f', start)) != std::string::npos; start = at + 1)
        pages.push_back(text.output.substr(start, at - start));
    return pages;
}

TEST_F(BlockTableViewsTest, PrintoutsRunOverPagesWithoutSplittingABlock) {
    const std::regex blockStart(
        "^\\s*(Voltage variations|short|long|Events|\\d\\. Harmonic|THD V|Flicker|Unbalance V|"
        "Mains signaling voltage|Interharm\\.|frequency 99\\.5%|frequency 100%\\s+Hz)");
    struct Case {
        const char* kind;
        const char* title;
        int command;
    } cases[] = {{"statistical-values", "Statistical values", 33024},
                 {"most-critical", "Most critical values", 33015}};
    test::TempDir home;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const size_t blocks = Open(c.command)->Report().blocks.size();
        std::vector<std::string> pages = PrintedPages(c.kind, home.Path(), File());
        ASSERT_GE(pages.size(), 2u);
        size_t counted = 0;
        for (size_t n = 0; n < pages.size(); ++n) {
            SCOPED_TRACE("page " + std::to_string(n + 1));
            const std::string& page = pages[n];
            EXPECT_NE(page.find(c.title), std::string::npos);
            // Below the column header box ("Unit" and the phases) a page begins with a block.
            const size_t header = page.find("Unit");
            ASSERT_NE(header, std::string::npos);
            size_t line = page.find('\n', header) + 1;
            while (line < page.size() && page[line] == '\n')
                ++line;
            const std::string first = page.substr(line, page.find('\n', line) - line);
            EXPECT_TRUE(std::regex_search(first, blockStart)) << first;
            for (size_t at = 0; (at = page.find('\n', at)) != std::string::npos; ++at) {
                std::string text = page.substr(at + 1, page.find('\n', at + 1) - at - 1);
                counted += std::regex_search(text, blockStart) ? 1 : 0;
            }
        }
        EXPECT_EQ(counted, blocks);
    }
}

}  // namespace
}  // namespace varelo
