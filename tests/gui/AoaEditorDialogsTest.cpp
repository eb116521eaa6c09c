#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ShellFixture.h"
#include "app/CommandTable.h"
#include "gui/aoa/AoaEditorDialog.h"
#include "gui/aoa/AoaSourceWindow.h"
#include "gui/aoa/ApplicationGroupDialog.h"
#include "gui/aoa/ApplicationInfoDialog.h"
#include "gui/aoa/ChannelInfoDialog.h"
#include "gui/aoa/DragDropListBox.h"
#include "gui/app/ModalRunner.h"
#include "gui/main/CommandActions.h"
#include "gui/main/MainWindow.h"
#include "support/RecordingUserInterface.h"
#include "support/TempDir.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"

namespace varelo::test {
namespace {

CAOARootObj Definition(std::initializer_list<const char*> groups) {
    CAOARootObj root;
    for (const char* name : groups) {
        CAOAApplication app;
        app.Mode = CAOAApplication::kOne;
        app.Name = std::string(name) + " app";
        app.Channels.push_back({.Quantity = 11});
        root.ListFor(3)->push_back({name, {app}});
    }
    return root;
}

std::vector<QString> Texts(const QListWidget* list) {
    std::vector<QString> texts;
    for (int i = 0; i < list->count(); ++i)
        texts.push_back(list->item(i)->text());
    return texts;
}

QPoint Centre(const QListWidget* list, int row) {
    return list->visualItemRect(list->item(row)).center();
}

class AoaEditorDialogsTest : public ::testing::Test {
protected:
    TempDir files;
    RecordingUserInterface ui;
    CAoaEditorModel model{ui, files.Path(), "ENG"};
    std::string path = files.File("edited.aoa");

    void SetUp() override {
        ASSERT_TRUE(Definition({"A", "B", "C", "D"}).Write(path));
        model.Start(path);
    }
    void TearDown() override { ModalRunner::SetHook({}); }
};

TEST_F(AoaEditorDialogsTest, AddsGroupApplicationAndChannelThroughTheirDialogs) {
    AoaEditorDialog editor(model, ui);
    using L = AoaLevel;
    EXPECT_FALSE(editor.Button(L::Application, AoaEditorDialog::kAdd)->isEnabled());
    ModalRunner::SetHook([](QDialog& dialog) {
        if (auto* group = qobject_cast<ApplicationGroupDialog*>(&dialog)) {
            EXPECT_EQ(group->NameEdit()->text(), "New Name");
            group->NameEdit()->setText("  Motors ");
        } else if (auto* info = qobject_cast<ApplicationInfoDialog*>(&dialog)) {
            EXPECT_EQ(info->NameEdit()->font().family(), "Courier New");
            info->NameEdit()->setText("Start-up");
            info->DescriptionEdit()->setPlainText("Inrush");
        } else if (auto* channel = qobject_cast<ChannelInfoDialog*>(&dialog)) {
            QListWidget* list = channel->QuantityList();
            EXPECT_EQ(list->currentRow(), -1);  // a new channel has no quantity yet
            list->setCurrentItem(list->findItems("I max", Qt::MatchExactly).value(0));
        }
        dialog.accept();
        return dialog.result();
    });
    editor.Button(L::Group, AoaEditorDialog::kAdd)->click();
    EXPECT_EQ(Texts(editor.List(L::Group)).back(), "Motors");
    EXPECT_EQ(editor.List(L::Group)->currentRow(), 4);
    ASSERT_TRUE(editor.Button(L::Application, AoaEditorDialog::kAdd)->isEnabled());
    editor.Button(L::Application, AoaEditorDialog::kAdd)->click();
    EXPECT_EQ(Texts(editor.List(L::Application)), std::vector<QString>{"Start-up"});
    editor.Button(L::Channel, AoaEditorDialog::kAdd)->click();
    EXPECT_EQ(Texts(editor.List(L::Channel)), std::vector<QString>{"I max"});

    editor.accept();
    EXPECT_EQ(editor.result(), QDialog::Accepted);
    CAOARootObj written;
    ASSERT_EQ(written.Read(path, 0), AoaReadError::None);
    const CAOAApplication& app = written.ListFor(3)->back().Applications.at(0);
    EXPECT_EQ(app.Description, "Inrush");
    EXPECT_EQ(app.Mode, CAOAApplication::kOne);
    EXPECT_EQ(app.Channels.at(0).Quantity, 32);
}

TEST_F(AoaEditorDialogsTest, DragMovesWithinAListAndCopiesFromTheSourceIntoTheSameLevelOnly) {
    AoaEditorDialog editor(model, ui);
    editor.resize(900, 500);
    editor.show();
    CDragDropListBox* groups = editor.List(AoaLevel::Group);
    const QString groupFormat = "VamorPlusAOA.aa3";
    groups->setCurrentRow(0);
    QMimeData own;
    own.setData(groupFormat, QByteArray::fromStdString(model.EditedPayload(AoaLevel::Group, 0)));
    ASSERT_TRUE(groups->Drop(own, Centre(groups, 2), groups, Qt::NoModifier));
    EXPECT_EQ(Texts(groups), (std::vector<QString>{"B", "C", "A", "D"}));
    EXPECT_EQ(groups->currentRow(), 2);
    EXPECT_TRUE(model.Changed());

    const std::string sourcePath = files.File("source.aoa");
    ASSERT_TRUE(Definition({"S1", "S2"}).Write(sourcePath));
    ASSERT_TRUE(model.LoadSource(sourcePath));
    AoaSourceWindow* source = editor.SourceWindow();
    EXPECT_TRUE(source->isHidden());
    source->Refresh();
    source->List(AoaLevel::Group)->setCurrentRow(1);
    source->List(AoaLevel::Application)->setCurrentRow(0);
    // What the source's lists put on a drag.
    auto drag = [&](AoaLevel level) {
        CDragDropListBox* list = source->List(level);
        std::unique_ptr<QMimeData> mime(list->model()->mimeData({list->currentIndex()}));
        return mime;
    };
    auto group = drag(AoaLevel::Group);
    auto application = drag(AoaLevel::Application);
    ASSERT_TRUE(group && application);
    EXPECT_TRUE(application->hasFormat("VamorPlusAOA.aa2"));

    Qt::DropAction action = Qt::IgnoreAction;
    EXPECT_FALSE(groups->Drop(*application, Centre(groups, 0), source->List(AoaLevel::Application),
                              Qt::NoModifier, &action));
    EXPECT_EQ(groups->count(), 4);
    ASSERT_TRUE(groups->Drop(*group, Centre(groups, 0), source->List(AoaLevel::Group),
                             Qt::ShiftModifier, &action));
    EXPECT_EQ(action, Qt::MoveAction);
    EXPECT_EQ(Texts(groups), (std::vector<QString>{"B", "S2", "C", "A", "D"}));
    // Below the last item: at the end; the source keeps its items either way.
    const QPoint belowLast(5, groups->visualItemRect(groups->item(4)).bottom() + 6);
    ASSERT_LT(belowLast.y(), groups->viewport()->height());
    ASSERT_TRUE(
        groups->Drop(*group, belowLast, source->List(AoaLevel::Group), Qt::NoModifier, &action));
    EXPECT_EQ(action, Qt::CopyAction);
    EXPECT_EQ(Texts(groups).back(), "S2");
    EXPECT_EQ(Texts(source->List(AoaLevel::Group)), (std::vector<QString>{"S1", "S2"}));
    // The copy is a whole group, applications included.
    groups->setCurrentRow(5);
    EXPECT_EQ(Texts(editor.List(AoaLevel::Application)), std::vector<QString>{"S2 app"});
}

TEST_F(AoaEditorDialogsTest, ChannelDialogRefusesAPercentageWithTheFocusOnIt) {
    CAOAChannelInfo channel{.Quantity = 11};
    ChannelInfoDialog dialog(channel, 3, CAOAApplication::kAll, false, ui);
    EXPECT_FALSE(dialog.PhaseChoice()->isEnabled());
    dialog.EndType()->setCurrentIndex(2);  // "Nominal"
    dialog.EndValue()->setText("150");
    dialog.accept();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, 285);
    EXPECT_EQ(dialog.focusWidget(), dialog.EndValue());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(channel.EndValue, 0.0f);

    dialog.EndType()->setCurrentIndex(5);  // "Value": no percentage
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(channel.EndValue, 150.0f);
}

class AoaEditorCommandTest : public ShellTest {};

TEST_F(AoaEditorCommandTest, SettingsCommandOpensTheEditorOnTheSettingsFile) {
    ASSERT_EQ(Start(), VareloApp::StartResult::Running);
    CloseStartupScreen();
    const std::string file = files.File("mine.aoa");
    ASSERT_TRUE(Definition({"G"}).Write(file));
    app->AppSettings().Write(setting::AoaFileName, file);
    ASSERT_TRUE(app->Window()->Actions().Action(cmd::kAoaEditor)->isEnabled());
    std::vector<QString> shown;
    respond = [&](QDialog& dialog) {
        if (auto* editor = qobject_cast<AoaEditorDialog*>(&dialog)) {
            shown = Texts(editor->List(AoaLevel::Group));
            EXPECT_EQ(editor->FileLine()->text().toStdString(), file);
        }
        return int(QDialog::Rejected);
    };
    app->RunCommand(cmd::kAoaEditor);
    EXPECT_EQ(shown, std::vector<QString>{"G"});
}

}  // namespace
}  // namespace varelo::test
