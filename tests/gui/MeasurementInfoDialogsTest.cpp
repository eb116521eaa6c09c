#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "document/Vamor800Doc.h"
#include "gui/info/InterharmonicInfoDialog.h"
#include "gui/info/LoggerUsedDialog.h"
#include "gui/info/MeasurementAssessmentDialog.h"
#include "gui/info/MeasurementInfoDialog.h"
#include "gui/info/MeasurementTextDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "measurement/MeasurementFileReader.h"

namespace varelo::test {
namespace {

using Button = MeasurementInfoDialog::Button;

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class MeasurementInfoDialogsTest : public ShellTest {
protected:
    // Runs command 33037; inside answers dialog 129, sub answers the dialogs it opens.
    void RunInformation(std::function<void(MeasurementInfoDialog&)> inside) {
        respond = [this, inside](QDialog& dialog) {
            if (auto* info = qobject_cast<MeasurementInfoDialog*>(&dialog)) {
                inside(*info);
                return int(QDialog::Accepted);
            }
            return sub ? sub(dialog) : int(QDialog::Rejected);
        };
        app->RunCommand(cmd::kMeasurementInfo);
    }
    std::function<int(QDialog&)> sub;
};

TEST_F(MeasurementInfoDialogsTest, CommandOpens129AndItsButtonsTheOtherDialogs) {
    ASSERT_EQ(Start(), VareloApp::StartResult::Running);
    CloseStartupScreen();
    EXPECT_FALSE(app->Window()->Actions().Action(cmd::kMeasurementInfo)->isEnabled());
    const std::string path = Measurement("week.VXM", 1008);
    ASSERT_TRUE(app->OpenMeasurement(QString::fromStdString(path)));
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kMeasurementInfo)->isEnabled());
    const CMeasurementJob& job = app->Document()->Data().job;
    ASSERT_GT(job.NrInterHarm, 0);

    bool shown = false;
    RunInformation([&](MeasurementInfoDialog& info) {
        shown = true;
        EXPECT_EQ(info.windowTitle().toStdString(),
                  path.size() + 29 < 86 ? "Information about measurement - " + path : path);
        EXPECT_EQ(info.Value("function").toStdString(), "A");
        EXPECT_EQ(info.Value("inputRange").toStdString(), "230 V, P-N, 50 Hz");
        EXPECT_FALSE(info.ButtonOf(Button::Interharmonics)->isHidden());

        std::vector<std::string> seen;
        sub = [&](QDialog& dialog) {
            seen.push_back(dialog.metaObject()->className());
            if (auto* a = qobject_cast<MeasurementAssessmentDialog*>(&dialog)) {
                const QStringList texts = a->ShownTexts();
                EXPECT_EQ(texts.count(QStringLiteral("Yes")), 4) << texts.join('|').toStdString();
                EXPECT_FALSE(texts.contains(QStringLiteral("?")));  // the load counted
            }
            if (auto* l = qobject_cast<LoggerUsedDialog*>(&dialog)) {
                EXPECT_EQ(l->Rows().front().value, app->Document()->Data().logger.FirmwDescription);
            }
            if (auto* i = qobject_cast<InterharmonicInfoDialog*>(&dialog)) {
                EXPECT_EQ(i->Lines().size(), job.NrInterHarm);
            }
            return int(QDialog::Rejected);
        };
        for (Button b : {Button::Measurement, Button::Logger, Button::Interharmonics})
            info.ButtonOf(b)->click();
        EXPECT_EQ(seen, (std::vector<std::string>{"varelo::MeasurementAssessmentDialog",
                                                  "varelo::LoggerUsedDialog",
                                                  "varelo::InterharmonicInfoDialog"}));

        // Dialog 130: Cancel writes nothing, a refused text keeps it open, OK with a change
        // writes all six texts and the dialog shows them.
        const std::string before = Bytes(path);
        sub = [&](QDialog& dialog) {
            auto* t = qobject_cast<MeasurementTextDialog*>(&dialog);
            if (!t) return int(QDialog::Rejected);
            t->TitleField(0)->setText(QStringLiteral("Changed"));
            return int(QDialog::Rejected);
        };
        info.ButtonOf(Button::Text)->click();
        EXPECT_EQ(Bytes(path), before);
        EXPECT_NE(app->Document()->Data().job.JobTitle[0], "Changed");

        sub = [&](QDialog& dialog) {
            auto* t = qobject_cast<MeasurementTextDialog*>(&dialog);
            if (!t) return int(QDialog::Rejected);
            t->TextField(3)->setText(QStringLiteral("a</t>b=c"));
            t->accept();
            EXPECT_EQ(t->result(), int(QDialog::Rejected));  // refused: still open
            t->TextField(3)->setText(QStringLiteral("Feeder 4"));
            t->TitleField(0)->setText(QStringLiteral("Changed"));
            t->accept();
            return t->result();
        };
        messages.clear();
        info.ButtonOf(Button::Text)->click();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find("</t>"), std::string::npos);
        CMeasurementJob written;
        ASSERT_TRUE(ReadJobFile(path, written));
        EXPECT_EQ(written.JobTitle[0], "Changed");
        EXPECT_EQ(written.JobText[3], "Feeder 4");
        EXPECT_EQ(written.JobTitle[1], job.JobTitle[1]);
        EXPECT_EQ(info.Label("text1").toStdString(), "Changed");
        EXPECT_EQ(info.Value("text4").toStdString(), "Feeder 4");

        // Print: the printer dialog is asked; cancelled, nothing prints.
        sub = [&](QDialog& dialog) {
            seen.push_back(dialog.metaObject()->className());
            return int(QDialog::Rejected);
        };
        info.ButtonOf(Button::Print)->click();
        EXPECT_EQ(seen.back(), "QPrintDialog");
    });
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace varelo::test
