#include "gui/views/ResultView.h"

#include <QAction>

#include "app/CommandTable.h"
#include "gui/app/QtText.h"
#include "gui/app/Resources.h"

namespace varelo {

QAction* ResultView::MakeCommandAction(int commandId) {
    auto* action = new QAction(Q(CommandMenuText(commandId)), this);
    const QString tip = Q(CommandTipText(commandId));
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setIcon(CommandIcon(commandId));
    action->setData(commandId);
    return action;
}

}  // namespace varelo
