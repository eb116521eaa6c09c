// Dialog 152, the application-oriented channel selection, over the shipped default definitions
// and a generated day of function A; and the commands that open a diagram through it.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "ShellFixture.h"
#include "document/Vamor800Doc.h"
#include "gui/dialogs/AoaChannelSelectionDialog.h"
#include "gui/dialogs/YAxisScalingDialog.h"
#include "gui/main/MainWindow.h"
#include "gui/views/PzdView.h"

namespace varelo::test {
namespace {

enum PhaseButton { kL1 = 0, kL2 = 1, kL3 = 2, kAll = 3, kMixed = 4 };

class AoaChannelSelectionDialogTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        std::filesystem::copy_file(std::string(VARELO_BIN_DIR) + "/../share/varelo/Default-ENG.aoa",
                                   data.File("Default-ENG.aoa"));
        AoaChannelSelectionDialog::ForgetLastChoice();
        Start();
        CloseStartupScreen();
        doc = app->OpenMeasurement(QString::fromStdString(Measurement("day.VXM", 144)));
        ASSERT_NE(doc, nullptr);
        dialogs.clear();
        messages.clear();
    }
    void TearDown() override {
        AoaChannelSelectionDialog::ForgetLastChoice();
        ShellTest::TearDown();
    }
    std::unique_ptr<AoaChannelSelectionDialog> Open() {
        return std::make_unique<AoaChannelSelectionDialog>(*doc, app->AppSettings(), app->Ui(),
                                                           PhaseLabels::L123);
    }
    static QStringList Items(const QListWidget* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    std::vector<CPzdView*> Diagrams() const {
        std::vector<CPzdView*> views;
        for (ResultView* view : app->Window()->Views()) {
            if (auto* diagram = qobject_cast<CPzdView*>(view)) views.push_back(diagram);
        }
        return views;
    }

    CVamor800Doc* doc = nullptr;
};

TEST_F(AoaChannelSelectionDialogTest, PhaseChoiceFiltersApplicationsAndOkGivesCurvesWithRanges) {
    auto dialog = Open();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dialog->windowTitle(), "Timeplot  - Application oriented channel selection");
    EXPECT_EQ(dialog->PhaseButton(kL1)->text(), "Phase L1");
    EXPECT_TRUE(dialog->PhaseButton(kAll)->isChecked());
    EXPECT_EQ(Items(dialog->GroupList()), (QStringList{"Voltage quality", "Load", "Network"}));
    EXPECT_EQ(Items(dialog->ApplicationList()),
              (QStringList{"Slow voltage variations", "Flicker", "Voltage distortion",
                           "Interharmonic 2.5"}));
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
    EXPECT_FALSE(dialog->InfoButton()->isEnabled());
    EXPECT_TRUE(dialog->LimitFileLabel()->isHidden());

    dialog->PhaseButton(kL2)->click();
    EXPECT_EQ(Items(dialog->ApplicationList()), QStringList{"Voltage of one phase"});
    dialog->ApplicationList()->setCurrentRow(0);
    EXPECT_EQ(Items(dialog->ChannelList()), (QStringList{"V average L2", "V max L2", "V min L2"}));
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    // Another phase lists anew and takes the choice back.
    dialog->PhaseButton(kMixed)->click();
    EXPECT_TRUE(Items(dialog->ApplicationList()).isEmpty());
    EXPECT_TRUE(Items(dialog->ChannelList()).isEmpty());
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
    dialog->GroupList()->setCurrentRow(1);
    EXPECT_EQ(Items(dialog->ApplicationList()), QStringList{"Voltage and current L1"});

    dialog->PhaseButton(kAll)->click();
    dialog->GroupList()->setCurrentRow(0);
    dialog->ApplicationList()->setCurrentRow(0);
    EXPECT_EQ(dialog->ChannelList()->count(), 9);
    EXPECT_EQ(dialog->ChannelList()->item(3)->text(), "V max L1");
    EXPECT_FALSE(dialog->LimitFileLabel()->isHidden());
    EXPECT_EQ(dialog->LimitFileLabel()->text(), "En50160-50Hz.gwd");

    // "&Info..." and a double click show the chosen application.
    std::vector<std::string> shown;
    AoaChannelSelectionDialog::SetInfoHook(
        [&](const CAOAApplication& application, QWidget*) { shown.push_back(application.Name); });
    dialog->InfoButton()->click();
    emit dialog->ApplicationList()->itemDoubleClicked(dialog->ApplicationList()->item(0));
    AoaChannelSelectionDialog::SetInfoHook(nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>(2, "Slow voltage variations")));

    dialog->OkButton()->click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    const AoaSelectionResult& result = dialog->Result();
    EXPECT_EQ(result.channels,
              (std::vector<int>{1011, 2011, 3011, 1012, 2012, 3012, 1013, 2013, 3013}));
    // Nominal 230 V -15 % .. +15 %.
    ASSERT_EQ(result.ranges.size(), 9u);
    EXPECT_NEAR(result.ranges[0].bottom, 195.5, 1e-9);
    EXPECT_NEAR(result.ranges[8].top, 264.5, 1e-9);

    // The next opening in this session starts from that choice.
    auto again = Open();
    EXPECT_TRUE(again->PhaseButton(kAll)->isChecked());
    EXPECT_EQ(again->GroupList()->currentRow(), 0);
    EXPECT_EQ(again->ApplicationList()->currentRow(), 0);
    EXPECT_EQ(again->ChannelList()->count(), 9);
    EXPECT_TRUE(again->OkButton()->isEnabled());
}

TEST_F(AoaChannelSelectionDialogTest, WithoutADefinitionFileWarnsAndListsNothing) {
    std::filesystem::remove(data.File("Default-ENG.aoa"));
    auto dialog = Open();
    EXPECT_EQ(messages, std::vector<std::string>{Str(198)});
    EXPECT_EQ(dialog->GroupList()->count(), 0);
    EXPECT_EQ(dialog->ApplicationList()->count(), 0);
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
}

TEST_F(AoaChannelSelectionDialogTest, ApplicationCommandsOpenAManuallyScaledDiagram) {
    bool accept = true;
    respond = [&](QDialog& dialog) {
        if (auto* selection = qobject_cast<AoaChannelSelectionDialog*>(&dialog)) {
            if (!accept) return int(QDialog::Rejected);
            selection->ApplicationList()->setCurrentRow(0);  // "Slow voltage variations"
            selection->accept();
            return int(QDialog::Accepted);
        }
        return int(QDialog::Rejected);
    };
    const size_t before = Diagrams().size();
    app->RunCommand(cmd::kTimeplotAoa);
    ASSERT_EQ(Diagrams().size(), before + 1);
    // The Y-axis scaling opens at once, after the choice.
    ASSERT_GE(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[dialogs.size() - 2], "varelo::AoaChannelSelectionDialog");
    EXPECT_EQ(dialogs.back(), "varelo::YAxisScalingDialog");
    const CPzdView* diagram = Diagrams().back();
    EXPECT_EQ(diagram->State().ScalingMode(), kScaleManual);
    ASSERT_EQ(diagram->State().CurveCount(), 9);
    EXPECT_NEAR(diagram->State().Range(0).bottom, 195.5, 1e-9);
    EXPECT_NEAR(diagram->State().Range(0).top, 264.5, 1e-9);

    // 33138 in a diagram opens another window of the same document through dialog 152.
    ASSERT_TRUE(Diagrams().back()->RunCommand(33138));
    EXPECT_EQ(Diagrams().size(), before + 2);
    // Cancel opens nothing.
    accept = false;
    app->RunCommand(cmd::kTimeplotAoa);
    EXPECT_EQ(Diagrams().size(), before + 2);
    // The manual selection stays with its own dialog.
    dialogs.clear();
    app->RunCommand(cmd::kTimeplotManual);
    EXPECT_FALSE(Saw("varelo::AoaChannelSelectionDialog"));
    EXPECT_TRUE(Saw("varelo::ChannelSelectionDialog"));
}

}  // namespace
}  // namespace varelo::test
