#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "document/Vamor800Doc.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/main/ResultFrame.h"
#include "gui/views/DisDipView.h"
#include "gui/views/EventListView.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"
#include "measurement/MeasurementFile.h"
#include "support/SteadyMeasurement.h"

namespace varelo::test {
namespace {

// A result view that records what the main window asks of it.
class RecordingView : public ResultView {
public:
    using ResultView::ResultView;
    int TemplateId() const override { return 186; }
    QString ViewName() const override { return "Graphical summary"; }
    void OnDocumentUpdate() override { ++updates; }
    void Print(bool askPrinter) override { prints.push_back(askPrinter); }

    int updates = 0;
    std::vector<bool> prints;
};

class ResultWindowsTest : public ShellTest {
protected:
    ViewKind kind{cmd::kGraphicalSummary, 186, [](const ViewContext& context, QWidget* parent) {
                      return new RecordingView(context, parent);
                  }};

    RecordingView* OpenWeek() {
        Start();
        CloseStartupScreen();
        EXPECT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 20))));
        // The recording view stands in for the graphical summary that opening showed.
        app->Window()->Mdi()->closeAllSubWindows();
        return static_cast<RecordingView*>(app->Window()->OpenView(kind));
    }

    // The DISDIP table of a measurement and its "List of all events" item.
    DisDipView* OpenDisDip(const std::string& file) {
        Start();
        CloseStartupScreen();
        EXPECT_TRUE(app->OpenMeasurement(QString::fromStdString(file)));
        app->RunCommand(cmd::kDisDip);
        return qobject_cast<DisDipView*>(app->Window()->ActiveView());
    }
    static QAction* EventListItem(DisDipView& view) {
        for (QMenu* menu : view.WindowMenus())
            for (QAction* action : menu->actions())
                if (action->data().toInt() == cmd::kEventList) return action;
        return nullptr;
    }
};

TEST_F(ResultWindowsTest, AResultWindowIsTitledAndBringsItsMenus) {
    RecordingView* view = OpenWeek();
    ASSERT_TRUE(view);
    MainWindow& window = *app->Window();
    EXPECT_EQ(window.Mdi()->activeSubWindow()->windowTitle(), "Graphical summary - week.VXM");
    EXPECT_EQ(window.MenuTemplate(), 186);
    QStringList titles;
    for (QAction* popup : window.menuBar()->actions())
        titles << popup->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Logger", "&Analysis", "S&ettings", "&Window", "&?"}));
    // The graphical summary is activated, not opened twice.
    EXPECT_EQ(window.OpenView(kind), view);
    EXPECT_EQ(window.Mdi()->subWindowList().size(), 1);
}

TEST_F(ResultWindowsTest, PrintCommandsGoToTheActiveView) {
    RecordingView* view = OpenWeek();
    ASSERT_TRUE(view);
    app->RunCommand(cmd::kPrint);
    app->RunCommand(cmd::kPrintDirect);
    EXPECT_EQ(view->prints, (std::vector<bool>{true, false}));
}

TEST_F(ResultWindowsTest, SettingsAndColoursUpdateTheViews) {
    RecordingView* view = OpenWeek();
    ASSERT_TRUE(view);
    respond = [](QDialog&) { return int(QDialog::Accepted); };
    app->RunCommand(cmd::kGeneralSettings);
    EXPECT_EQ(view->updates, 1);
    app->RunCommand(cmd::kColors);
    EXPECT_EQ(view->updates, 2);
    respond = [](QDialog&) { return int(QDialog::Rejected); };
    app->RunCommand(cmd::kColors);
    EXPECT_EQ(view->updates, 2);
}

TEST_F(ResultWindowsTest, ClosingTheMeasurementClosesItsWindows) {
    ASSERT_TRUE(OpenWeek());
    app->RunCommand(cmd::kCloseDocument);
    EXPECT_FALSE(app->Document());
    EXPECT_TRUE(app->Window()->Mdi()->subWindowList().isEmpty());
    EXPECT_EQ(app->Window()->MenuTemplate(), 174);
}

TEST_F(ResultWindowsTest, ListOfAllEventsOpensTheEventListOfTheMeasurement) {
    DisDipView* disDip = OpenDisDip(Measurement("week.VXM", 1008));
    ASSERT_TRUE(disDip);
    ASSERT_GT(app->Document()->Data().events.size(), 0u);
    QAction* item = EventListItem(*disDip);
    ASSERT_TRUE(item);
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    MainWindow& window = *app->Window();
    auto* list = qobject_cast<EventListView*>(window.ActiveView());
    ASSERT_TRUE(list);
    EXPECT_EQ(window.Mdi()->activeSubWindow()->windowTitle(), "Event list - week.VXM");
    EXPECT_EQ(window.MenuTemplate(), 178);
    EXPECT_EQ(list->Content().rows.size(), app->Document()->Data().events.size());
    EXPECT_EQ(window.Mdi()->subWindowList().size(), 3);  // the summary, DISDIP, the list
}

// Each window kind with a bar of its own shows it above the view, with the view's own actions,
// so a button shows the filter it sets; the phase buttons follow the phase labels.
TEST_F(ResultWindowsTest, DisDipAndEventListWindowsShowTheirToolBars) {
    Start();
    CloseStartupScreen();
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(Measurement("week.VXM", 1008))));
    MainWindow& window = *app->Window();
    auto frame = [&] {
        return qobject_cast<ResultFrame*>(window.Mdi()->activeSubWindow()->widget());
    };
    ASSERT_TRUE(frame());
    EXPECT_FALSE(frame()->ToolBar()) << "the graphical summary has no bar of its own";

    struct Case {
        int command, templateId;
        PhaseLabels labels;
        int l2Button;
    } cases[] = {{cmd::kDisDip, 177, PhaseLabels::L123, 33113},
                 {cmd::kDisDip, 177, PhaseLabels::ABC, 33168},
                 {cmd::kEventList, 178, PhaseLabels::L123, 33109},
                 {cmd::kEventList, 178, PhaseLabels::ABC, 33172}};
    for (const Case& c : cases) {
        AppOptions::Instance().SetPhaseLabeling(c.labels);
        app->RunCommand(c.command);
        ResultView* view = window.ActiveView();
        ASSERT_TRUE(view && view->TemplateId() == c.templateId) << c.command;
        QToolBar* bar = frame()->ToolBar();
        ASSERT_TRUE(bar) << c.templateId;
        EXPECT_TRUE(bar->isVisibleTo(frame()));
        const std::vector<int> expected = WindowToolBar(c.templateId, c.labels);
        const QList<QAction*> buttons = bar->actions();
        ASSERT_EQ(buttons.size(), qsizetype(expected.size())) << c.templateId;
        for (size_t i = 0; i < expected.size(); ++i) {
            QAction* button = buttons[qsizetype(i)];
            if (expected[i] == kSeparator) {
                EXPECT_TRUE(button->isSeparator()) << i;
                continue;
            }
            EXPECT_EQ(button, view->CommandAction(expected[i])) << expected[i];
            EXPECT_FALSE(button->icon().isNull()) << expected[i];
            EXPECT_FALSE(button->toolTip().isEmpty()) << expected[i];
        }
        ASSERT_TRUE(view->CommandAction(c.l2Button));
        view->CommandAction(c.l2Button)->trigger();
        EXPECT_TRUE(view->CommandAction(c.l2Button)->isChecked()) << c.l2Button;
    }
    EXPECT_EQ(WindowToolBar(177, PhaseLabels::L123),
              (std::vector<int>{33111, 33112, 33113, 33114, kSeparator, cmd::kEventList}));
    EXPECT_EQ(
        WindowToolBar(178, PhaseLabels::ABC),
        (std::vector<int>{33170, 33171, 33172, 33174, kSeparator, 33104, 33105, 33106, 33107}));
}

TEST_F(ResultWindowsTest, ListOfAllEventsIsDisabledWhenTheJobRecordedNoEvents) {
    const std::string file = files.File("quiet.VXM");
    ASSERT_TRUE(WriteMeasurementFile(file, SteadyMeasurement(kMeasFuncA, 12)));
    DisDipView* disDip = OpenDisDip(file);
    ASSERT_TRUE(disDip);
    ASSERT_EQ(app->Document()->Data().job.EventReady + app->Document()->Data().job.EventOpen, 0);
    ASSERT_TRUE(EventListItem(*disDip));
    EXPECT_FALSE(EventListItem(*disDip)->isEnabled());
    const auto windows = app->Window()->Mdi()->subWindowList().size();
    app->RunCommand(cmd::kEventList);  // as a stray key would
    EXPECT_EQ(app->Window()->Mdi()->subWindowList().size(), windows);
    EXPECT_EQ(app->Window()->ActiveView(), disDip);
}

}  // namespace
}  // namespace varelo::test
