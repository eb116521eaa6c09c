#pragma once

#include <QWidget>
#include <vector>

class QLabel;
class QProgressBar;
class QVBoxLayout;

namespace varelo {

// The modeless progress window of long transfers: numbered bars, each with its counter text,
// and Cancel.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(const QString& title, QWidget* parent = nullptr);

    void SetBar(int bar, long position, long range, const QString& counter);
    bool CancelRequested() const { return cancelled_; }
    int BarCount() const { return static_cast<int>(bars_.size()); }
    QProgressBar* Bar(int bar) const { return bars_.at(bar).bar; }
    QLabel* Counter(int bar) const { return bars_.at(bar).counter; }

private:
    struct Row {
        QProgressBar* bar;
        QLabel* counter;
    };
    QVBoxLayout* rows_;
    std::vector<Row> bars_;
    bool cancelled_ = false;
};

}  // namespace varelo
