#pragma once

#include <QObject>

class QLabel;
class QStatusBar;

namespace varelo {

// The Caps Lock, Num Lock and Scroll Lock panes of the status bar. The platform offers no
// query of the lock states, so the panes follow the lock keys pressed while the program runs.
class LockIndicators : public QObject {
    Q_OBJECT

public:
    explicit LockIndicators(QStatusBar* bar);

    QLabel* Pane(int pane) const { return panes_[pane]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show(int pane);

    QLabel* panes_[3];
    bool on_[3] = {};
};

}  // namespace varelo
