#include "gui/aoa/AoaSourceWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/aoa/ApplicationInfoDialog.h"
#include "gui/aoa/ChannelInfoDialog.h"
#include "gui/aoa/DragDropListBox.h"
#include "gui/app/ModalRunner.h"
#include "gui/app/QtText.h"
#include "timeplot/AoaDefinition/AoaEditorModel.h"

namespace varelo {

AoaSourceWindow::AoaSourceWindow(CAoaEditorModel& model, const QString& editorTitle,
                                 UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      model_(model),
      ui_(ui),
      file_(new QLabel),
      applicationInfo_(new QPushButton(QTxt(txt::dlg_aoaSource_info))),
      channelInfo_(new QPushButton(QTxt(txt::dlg_aoaSource_channelInfo))) {
    setObjectName("AoaSourceWindow");
    setWindowTitle(QTxt(txt::dlg_aoaSource_title));
    setModal(false);
    file_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QTxt(txt::dlg_aoaSource_sourceFileName)), 0, 0, 1, 3);
    grid->addWidget(file_, 1, 0, 1, 3);
    const TextKey titles[] = {txt::dlg_aoaSource_groups, txt::dlg_aoaSource_applications,
                              txt::dlg_aoaSource_channels};
    for (size_t i = 0; i < kAoaLevels; ++i) {
        const AoaLevel level = AoaLevel(i);
        auto* list = new CDragDropListBox(level, false);
        lists_[i] = list;
        list->payload = [this, level](int row) {
            return QByteArray::fromStdString(model_.SourcePayload(level, row));
        };
        connect(list, &QListWidget::currentRowChanged, this, [this, level](int row) {
            model_.SourceLists().Select(level, row);
            if (level != AoaLevel::Channel) Fill(AoaLevel(int(level) + 1));
            applicationInfo_->setEnabled(model_.SourceLists().Selected(AoaLevel::Application) >= 0);
            channelInfo_->setEnabled(model_.SourceLists().Selected(AoaLevel::Channel) >= 0);
        });
        grid->addWidget(new QLabel(QTxt(titles[i])), 2, int(i));
        grid->addWidget(list, 3, int(i));
    }
    grid->addWidget(applicationInfo_, 4, 1);
    grid->addWidget(channelInfo_, 4, 2);
    grid->addWidget(new QLabel(QTxt(txt::dlg_aoaSource_filterNote).arg(editorTitle)), 5, 0, 1, 3);
    connect(applicationInfo_, &QPushButton::clicked, this, &AoaSourceWindow::ShowApplication);
    connect(channelInfo_, &QPushButton::clicked, this, &AoaSourceWindow::ShowChannel);
    connect(List(AoaLevel::Application), &QListWidget::itemDoubleClicked, this,
            &AoaSourceWindow::ShowApplication);
    connect(List(AoaLevel::Channel), &QListWidget::itemDoubleClicked, this,
            &AoaSourceWindow::ShowChannel);
    Refresh();
}

void AoaSourceWindow::Refresh() {
    file_->setText(Q(model_.SourceFile()));
    Fill(AoaLevel::Group);
}

void AoaSourceWindow::Fill(AoaLevel from) {
    const CAoaListView& lists = model_.SourceLists();
    ShowAoaLists(lists_, lists, from);
    applicationInfo_->setEnabled(lists.Selected(AoaLevel::Application) >= 0);
    channelInfo_->setEnabled(lists.Selected(AoaLevel::Channel) >= 0);
}

void AoaSourceWindow::ShowApplication() {
    CAOAApplication* app =
        model_.SourceLists().Application(model_.SourceLists().Selected(AoaLevel::Application));
    if (!app) return;
    ApplicationInfoDialog dialog(*app, true, this);
    ModalRunner::Exec(dialog);
}

void AoaSourceWindow::ShowChannel() {
    CAoaListView& lists = model_.SourceLists();
    CAOAChannelInfo* channel = lists.Channel(lists.Selected(AoaLevel::Channel));
    if (!channel) return;
    ChannelInfoDialog dialog(*channel, lists.Function(), lists.PhaseMode(), true, ui_, this);
    ModalRunner::Exec(dialog);
}

}  // namespace varelo
