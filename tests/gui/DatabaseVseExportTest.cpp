#include <sqlite3.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "app/Settings.h"
#include "app/StringTable.h"
#include "document/Vamor800Doc.h"
#include "export/VseExport.h"
#include "gui/dialogs/ChannelSelectionDialog.h"
#include "gui/export/AccessExportDialog.h"
#include "gui/export/HeaderTableDialog.h"
#include "gui/export/VseParameterDialog.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"

namespace varelo::test {
namespace {

std::vector<std::string> Tables(const std::string& path) {
    sqlite3* db = nullptr;
    std::vector<std::string> names;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_exec(
            db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid",
            [](void* out, int, char** values, char**) {
                static_cast<std::vector<std::string>*>(out)->push_back(values[0]);
                return 0;
            },
            &names, nullptr);
    }
    sqlite3_close(db);
    return names;
}

// The VSE and database exports over a generated day of function A, every dialog answered here.
class DatabaseVseExportTest : public ShellTest {
protected:
    std::string output;
    std::string cancel;  // the dialog class that is cancelled
    std::vector<int> chosen;
    QString channelTitle;
    bool offeredOnlyVse = true;
    bool headerRefusedBadName = false;

    void SetUp() override {
        ShellTest::SetUp();
        // The template the program ships beside its limit file.
        std::filesystem::copy_file(
            std::string(VARELO_BIN_DIR) + "/../share/varelo/Access-template-A.ini",
            data.File("Access-template-A.ini"));
        Start();
        CloseStartupScreen();
        ASSERT_NE(app->OpenMeasurement(QString::fromStdString(Measurement("day.VXM", 144))),
                  nullptr);
        dialogs.clear();
        respond = [this](QDialog& dialog) { return Answer(dialog); };
    }

    int Answer(QDialog& dialog) {
        if (cancel == dialog.metaObject()->className()) return int(QDialog::Rejected);
        if (auto* vse = qobject_cast<VseParameterDialog*>(&dialog)) {
            vse->EwNumber()->setText("4711");
            vse->Location()->setCurrentIndex(2);
            vse->Protocol()->setChecked(false);
            vse->Save()->setChecked(true);
        }
        if (auto* channels = qobject_cast<ChannelSelectionDialog*>(&dialog)) {
            channelTitle = channels->windowTitle();
            for (int q : channels->Selection().Offered())
                offeredOnlyVse &= IsVseQuantity(q);
            channels->OfferedList()->setCurrentRow(0);
            channels->AddButton()->click();
            chosen = channels->Channels();
        }
        if (auto* access = qobject_cast<AccessExportDialog*>(&dialog)) {
            access->HeaderBox()->setChecked(true);
            access->accept();  // stays open unless the path names a file
            return access->result();
        }
        if (auto* header = qobject_cast<HeaderTableDialog*>(&dialog)) {
            header->NameEdit(0)->setText("a.b");
            header->accept();
            headerRefusedBadName = header->result() != QDialog::Accepted;
            header->NameEdit(0)->setText("Ort");
            header->accept();
            return header->result();
        }
        if (auto* save = qobject_cast<QFileDialog*>(&dialog))
            save->selectFile(QString::fromStdString(output));
        return int(QDialog::Accepted);
    }
};

TEST_F(DatabaseVseExportTest, VseExportAsksItsParametersAndOffersOnlyVoltageHarmonics) {
    output = files.File("out.OSM");
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kExportVse)->isEnabled());
    app->RunCommand(cmd::kExportVse);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"varelo::VseParameterDialog",
                                                 "varelo::ChannelSelectionDialog", "QFileDialog"}));
    EXPECT_EQ(channelTitle, QString::fromStdString(Str(1395)));
    EXPECT_TRUE(offeredOnlyVse);
    ASSERT_FALSE(chosen.empty());
    std::ifstream in(output, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str().substr(0, 18), "4711\r\n   2\r\n   1\r\n");
    EXPECT_EQ(app->AppSettings().ReadInt(setting::VseEwNumber), 4711);
    EXPECT_EQ(app->AppSettings().ReadInt(setting::VseSave), 1);
}

TEST_F(DatabaseVseExportTest, DatabaseExportWithTheShippedTemplateAndAHeaderTable) {
    output = files.File("out.sqlite");
    app->RunCommand(cmd::kExportDatabase);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"varelo::AccessExportDialog",
                                                 "varelo::HeaderTableDialog", "QFileDialog"}));
    EXPECT_TRUE(headerRefusedBadName);
    const std::vector<std::string> tables = Tables(output);
    ASSERT_FALSE(tables.empty());
    EXPECT_EQ(tables.front(), "Voltages");
    EXPECT_EQ(tables.back(), "Header");
    EXPECT_EQ(app->AppSettings().ReadInt(setting::MdbAddHeaderTable), 1);
    EXPECT_NE(app->AppSettings().ReadString(setting::MdbConfigFileA).find("Access-template-A"),
              std::string::npos);
}

TEST_F(DatabaseVseExportTest, CancelInAnyDialogWritesNothing) {
    output = files.File("out.x");
    const std::pair<int, std::vector<const char*>> flows[] = {
        {cmd::kExportVse,
         {"varelo::VseParameterDialog", "varelo::ChannelSelectionDialog", "QFileDialog"}},
        {cmd::kExportDatabase,
         {"varelo::AccessExportDialog", "varelo::HeaderTableDialog", "QFileDialog"}}};
    for (const auto& [command, steps] : flows) {
        for (const char* step : steps) {
            cancel = step;
            dialogs.clear();
            app->RunCommand(command);
            EXPECT_EQ(dialogs.back(), step);
            EXPECT_FALSE(std::ifstream(output).good()) << step;
        }
    }
}

}  // namespace
}  // namespace varelo::test
