#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "gui/dialogs/ColorsDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/views/ResultView.h"
#include "gui/views/ViewRegistry.h"

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

}  // namespace
}  // namespace varelo::test
