#include "gui/main/ResultFrame.h"

#include <QAction>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/AppOptions.h"
#include "app/CommandTable.h"
#include "gui/views/ResultView.h"

namespace varelo {

ResultFrame::ResultFrame(ResultView* view, QWidget* parent) : QWidget(parent), view_(view) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const std::vector<int> buttons =
        WindowToolBar(view->TemplateId(), AppOptions::Instance().PhaseLabeling());
    if (!buttons.empty()) {
        toolBar_ = new QToolBar(this);
        toolBar_->setIconSize(QSize(16, 15));
        for (int id : buttons) {
            if (id == kSeparator) {
                toolBar_->addSeparator();
            } else if (QAction* action = view->CommandAction(id)) {
                toolBar_->addAction(action);
            }
        }
        layout->addWidget(toolBar_);
    }
    layout->addWidget(view, 1);
    setFocusProxy(view);
}

}  // namespace varelo
