#include "gui/aoa/AoaEditorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/StringTable.h"
#include "app/UserInterface.h"
#include "gui/aoa/AoaSourceWindow.h"
#include "gui/aoa/ApplicationGroupDialog.h"
#include "gui/aoa/ApplicationInfoDialog.h"
#include "gui/aoa/ChannelInfoDialog.h"
#include "gui/aoa/DragDropListBox.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "platform/Paths.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"

namespace varelo {

namespace {

constexpr int kPhaseModeNames[] = {1094, 195, 1065};  // "One", "All", "Mixed"
constexpr int kNewName = 1081;
constexpr int kHideSource = 1202;
constexpr int kExtension = 199;
constexpr int kFilter = 200;
constexpr int kFileTitle = 201;

}  // namespace

AoaEditorDialog::AoaEditorDialog(CAoaEditorModel& model, UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      function_(new QComboBox),
      phase_(new QComboBox),
      file_(new QLabel),
      fillDefaults_(new QPushButton(QTxt(txt::dlg_aoaEditor_fillWithDefaults))),
      selectFile_(new QPushButton(QTxt(txt::dlg_aoaEditor_selectDefinitionFile))),
      selectSource_(new QPushButton(QTxt(txt::dlg_aoaEditor_selectSource))),
      showSource_(new QPushButton(QTxt(txt::dlg_aoaEditor_showSource))) {
    setObjectName("AoaEditorDialog");
    setWindowTitle(QTxt(txt::dlg_aoaEditor_title));
    function_->addItem(QStringLiteral("P"), 3);
    function_->addItem(QStringLiteral("A"), 10);
    for (size_t i = 0; i < std::size(kPhaseModeNames); ++i)
        phase_->addItem(QStr(kPhaseModeNames[i]), int(CAoaEditorModel::kPhaseModes[i]));
    model_.SetFilter(CAoaEditorModel::kFunctions[0], CAoaEditorModel::kPhaseModes[0]);
    file_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    file_->setMinimumWidth(360);

    auto* grid = new QGridLayout(this);
    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStr(1121)));
    filters->addWidget(function_);
    filters->addSpacing(16);
    filters->addWidget(new QLabel(QStr(243)));
    filters->addWidget(phase_);
    filters->addStretch();
    grid->addLayout(filters, 0, 0, 1, 3);
    const TextKey titles[] = {txt::dlg_aoaEditor_groups, txt::dlg_aoaEditor_applications,
                              txt::dlg_aoaEditor_channels};
    const TextKey actions[3][3] = {
        {txt::dlg_aoaEditor_groupAdd, txt::dlg_aoaEditor_groupEdit, txt::dlg_aoaEditor_groupDelete},
        {txt::dlg_aoaEditor_applicationAdd, txt::dlg_aoaEditor_applicationEdit,
         txt::dlg_aoaEditor_applicationDelete},
        {txt::dlg_aoaEditor_channelAdd, txt::dlg_aoaEditor_channelEdit,
         txt::dlg_aoaEditor_channelDelete}};
    for (size_t i = 0; i < kAoaLevels; ++i) {
        const AoaLevel level = AoaLevel(i);
        auto* list = new CDragDropListBox(level, true);
        lists_[i] = list;
        list->payload = [this, level](int row) {
            return QByteArray::fromStdString(model_.EditedPayload(level, row));
        };
        list->moved = [this, level](int row, int target) {
            const int moved = model_.Move(level, row, target);
            if (moved >= 0) Fill(level);
            return moved;
        };
        list->copied = [this, level](const QByteArray& data, int target) {
            const int row = model_.InsertCopy(level, level, data.toStdString(), target);
            if (row >= 0) Fill(level);
            return row;
        };
        connect(list, &QListWidget::currentRowChanged, this, [this, level](int row) {
            model_.Lists().Select(level, row);
            if (level != AoaLevel::Channel) Fill(AoaLevel(int(level) + 1));
            UpdateButtons();
        });
        connect(list, &QListWidget::itemDoubleClicked, this, [this, level] { Edit(level); });
        grid->addWidget(new QLabel(QTxt(titles[i])), 1, int(i));
        grid->addWidget(list, 2, int(i));
        auto* row = new QHBoxLayout;
        for (size_t a = 0; a < 3; ++a) {
            auto* button = new QPushButton(QTxt(actions[i][a]));
            button->setAutoDefault(false);
            buttons_[i][a] = button;
            row->addWidget(button);
        }
        grid->addLayout(row, 3, int(i));
        connect(buttons_[i][kAdd], &QPushButton::clicked, this, [this, level] { Add(level); });
        connect(buttons_[i][kEdit], &QPushButton::clicked, this, [this, level] { Edit(level); });
        connect(buttons_[i][kDelete], &QPushButton::clicked, this,
                [this, level] { Delete(level); });
    }
    auto* fileRow = new QGridLayout;
    fileRow->addWidget(selectFile_, 0, 0);
    fileRow->addWidget(fillDefaults_, 0, 1);
    fileRow->addWidget(file_, 1, 0, 1, 2);
    grid->addLayout(fileRow, 4, 0, 1, 2);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(selectSource_);
    sourceRow->addWidget(showSource_);
    grid->addLayout(sourceRow, 4, 2);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    grid->addWidget(box, 5, 0, 1, 3);
    for (QPushButton* button : {fillDefaults_, selectFile_, selectSource_, showSource_})
        button->setAutoDefault(false);

    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(function_, &QComboBox::currentIndexChanged, this, &AoaEditorDialog::FiltersChanged);
    connect(phase_, &QComboBox::currentIndexChanged, this, &AoaEditorDialog::FiltersChanged);
    connect(fillDefaults_, &QPushButton::clicked, this, [this] {
        if (model_.FillWithDefaults()) Fill(AoaLevel::Group);
    });
    connect(selectFile_, &QPushButton::clicked, this, &AoaEditorDialog::SelectFile);
    connect(selectSource_, &QPushButton::clicked, this, &AoaEditorDialog::SelectSource);
    connect(showSource_, &QPushButton::clicked, this, &AoaEditorDialog::ShowSource);

    source_ = new AoaSourceWindow(model_, windowTitle(), ui_, this);
    source_->hide();
    // Closed by its own window button: the button here reads "Show source" again.
    connect(source_, &QDialog::finished, this, &AoaEditorDialog::UpdateButtons);
    Fill(AoaLevel::Group);
}

void AoaEditorDialog::Fill(AoaLevel from) {
    file_->setText(Q(model_.FileName()));
    ShowAoaLists(lists_, model_.Lists(), from);
    UpdateButtons();
}

void AoaEditorDialog::UpdateButtons() {
    CAoaListView& lists = model_.Lists();
    buttons_[0][kAdd]->setEnabled(model_.HasFile());
    buttons_[1][kAdd]->setEnabled(lists.Selected(AoaLevel::Group) >= 0);
    buttons_[2][kAdd]->setEnabled(lists.Selected(AoaLevel::Application) >= 0);
    for (size_t i = 0; i < kAoaLevels; ++i) {
        const bool selected = lists.Selected(AoaLevel(i)) >= 0;
        buttons_[i][kEdit]->setEnabled(selected);
        buttons_[i][kDelete]->setEnabled(selected);
    }
    showSource_->setEnabled(model_.HasSource() || !model_.DefaultFile().empty());
    showSource_->setText(source_ && source_->isVisible() ? QStr(kHideSource)
                                                         : QTxt(txt::dlg_aoaEditor_showSource));
}

void AoaEditorDialog::FiltersChanged() {
    model_.SetFilter(uint32_t(function_->currentData().toInt()),
                     uint8_t(phase_->currentData().toInt()));
    Fill(AoaLevel::Group);
    source_->Refresh();
}

void AoaEditorDialog::Add(AoaLevel level) {
    CAoaListView& lists = model_.Lists();
    if (level == AoaLevel::Group) {
        ApplicationGroupDialog dialog(QStr(kNewName), ui_, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.AddGroup(dialog.Name());
    } else if (level == AoaLevel::Application) {
        if (lists.Selected(AoaLevel::Group) < 0) return;
        CAOAApplication app;
        app.Name = Str(kNewName);
        ApplicationInfoDialog dialog(app, false, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted)
            model_.AddApplication(app.Name, app.LimitFile, app.Description);
    } else {
        if (lists.Selected(AoaLevel::Application) < 0) return;
        CAOAChannelInfo channel;
        ChannelInfoDialog dialog(channel, lists.Function(), lists.PhaseMode(), false, ui_, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.AddChannel(channel);
    }
    Fill(level);
}

void AoaEditorDialog::Edit(AoaLevel level) {
    CAoaListView& lists = model_.Lists();
    const int row = lists.Selected(level);
    if (row < 0) return;
    if (level == AoaLevel::Group) {
        ApplicationGroupDialog dialog(Q(lists.Group(row)->Name), ui_, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.EditGroup(row, dialog.Name());
    } else if (level == AoaLevel::Application) {
        CAOAApplication app = *lists.Application(row);
        ApplicationInfoDialog dialog(app, false, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted)
            model_.EditApplication(row, app.Name, app.Description);
    } else {
        CAOAChannelInfo channel = *lists.Channel(row);
        ChannelInfoDialog dialog(channel, lists.Function(), lists.PhaseMode(), false, ui_, this);
        if (ModalRunner::Exec(dialog) == QDialog::Accepted) model_.EditChannel(row, channel);
    }
    Fill(level);
}

void AoaEditorDialog::Delete(AoaLevel level) {
    const int row = model_.Lists().Selected(level);
    if (row < 0) return;
    if (const int question = model_.DeleteQuestion(level, row);
        question != 0 && !ui_.AskYesNo(question, Str(question), MessageIcon::Question))
        return;
    model_.Delete(level, row);
    Fill(level);
}

QString AoaEditorDialog::ChooseFile(bool mustExist, const QString& initial) {
    QFileDialog dialog(this, QStr(kFileTitle), initial.isEmpty() ? Q(DataFolder()) : initial);
    dialog.setNameFilters(DialogNameFilters(Str(kFilter)));
    dialog.setDefaultSuffix(QStr(kExtension).remove('.'));
    if (mustExist) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        // The file need not exist; an existing one is asked about before it is overwritten.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::ReadOnly, false);
    }
    if (ModalRunner::Exec(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void AoaEditorDialog::SelectFile() {
    const QString path = ChooseFile(false, Q(model_.FileName()));
    if (path.isEmpty()) return;
    model_.SelectFile(S(path));
    Fill(AoaLevel::Group);
}

void AoaEditorDialog::SelectSource() {
    const QString path = ChooseFile(true, QString());
    if (path.isEmpty() || !model_.LoadSource(S(path))) return;
    source_->Refresh();
    source_->show();
    UpdateButtons();
}

void AoaEditorDialog::ShowSource() {
    if (model_.HasSource()) {
        source_->setVisible(!source_->isVisible());
    } else {
        const std::string path = model_.DefaultFile();
        if (path.empty() || !model_.LoadSource(path)) return;
        source_->Refresh();
        source_->show();
    }
    UpdateButtons();
}

void AoaEditorDialog::accept() {
    switch (model_.Ok()) {
        case CAoaEditorModel::OkResult::Close: QDialog::accept(); return;
        case CAoaEditorModel::OkResult::Stay: return;
        case CAoaEditorModel::OkResult::NeedFile: {
            // Changed without a file: the edits go to the file chosen now; cancel stays here.
            const QString path = ChooseFile(false, QString());
            if (!path.isEmpty() && model_.WriteAs(S(path))) QDialog::accept();
            Fill(AoaLevel::Group);
            return;
        }
    }
}

}  // namespace varelo
