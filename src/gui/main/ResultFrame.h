#pragma once

#include <QWidget>

class QToolBar;

namespace varelo {

class ResultView;

// The frame of a result window: the tool bar of its window kind, when the kind has one,
// above the view. The bar's buttons are the view's own actions, so they show its filters
// checked and enabled as its menus do.
class ResultFrame : public QWidget {
    Q_OBJECT

public:
    explicit ResultFrame(ResultView* view, QWidget* parent = nullptr);

    ResultView* View() const { return view_; }
    // None for a window kind without a tool bar of its own.
    QToolBar* ToolBar() const { return toolBar_; }

private:
    ResultView* view_;
    QToolBar* toolBar_ = nullptr;
};

}  // namespace varelo
