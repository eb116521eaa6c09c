#include "gui/main/CommandActions.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QWidget>

#include "app/CommandTable.h"
#include "gui/app/QtText.h"
#include "gui/app/Resources.h"

namespace varelo {

namespace {

struct Accelerator {
    int command;
    const char* sequence;
};

constexpr Accelerator kAccelerators[] = {
    {cmd::kOpen, "Ctrl+O"},
    {cmd::kReopen, "Ctrl+R"},
    {cmd::kPrint, "Ctrl+P"},
    {cmd::kNew, "Ctrl+N"},
};

}  // namespace

CommandActions::CommandActions(QWidget* window) : QObject(window), window_(window) {
    LoadResources();
    for (const auto& accelerator : kAccelerators) {
        QAction* action = Action(accelerator.command);
        action->setShortcut(QKeySequence(accelerator.sequence));
        window_->addAction(action);
    }
}

QAction* CommandActions::Action(int commandId) {
    if (auto it = actions_.find(commandId); it != actions_.end()) return it->second;
    auto* action = new QAction(Q(CommandMenuText(commandId)), this);
    const QString tip = Q(CommandTipText(commandId));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setIcon(CommandIcon(commandId));
    action->setIconVisibleInMenu(true);
    connect(action, &QAction::triggered, this, [this, commandId] { emit Triggered(commandId); });
    actions_[commandId] = action;
    return action;
}

}  // namespace varelo
