#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace varelo {

// The startup screen: a borderless picture in the middle of the screen that closes after
// 5 s or at the first key or mouse button anywhere in the program, which it swallows.
class StartupScreen : public QWidget {
    Q_OBJECT

public:
    explicit StartupScreen(QWidget* parent = nullptr);
    ~StartupScreen() override;

    void Start();
    // Closes at once; Closed is emitted once, whichever way the screen closes.
    void Finish();
    bool IsShowing() const { return showing_; }

    static QPixmap Picture();

signals:
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QTimer timer_;
    bool showing_ = false;
};

}  // namespace varelo
