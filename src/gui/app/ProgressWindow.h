#pragma once

#include <QWidget>
#include <vector>

#include "app/UserInterface.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace varelo {

// The modeless progress window of long transfers: a caution and instruction lines, numbered
// bars each with its caption and counter text, and Cancel when the transfer can be cancelled.
class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(const ProgressLayout& layout, QWidget* parent = nullptr);

    void SetBar(int bar, long position, long range, const QString& counter);
    bool CancelRequested() const { return cancelled_; }
    int BarCount() const { return static_cast<int>(bars_.size()); }
    QProgressBar* Bar(int bar) const { return bars_.at(bar).bar; }
    QLabel* Caption(int bar) const { return bars_.at(bar).caption; }
    QLabel* Counter(int bar) const { return bars_.at(bar).counter; }
    // The caution line and the instruction lines, in order; the caution first when there is one.
    const std::vector<QLabel*>& TextLines() const { return lines_; }
    QPushButton* CancelButton() const { return cancel_; }

private:
    struct Row {
        QLabel* caption;
        QProgressBar* bar;
        QLabel* counter;
    };
    QVBoxLayout* rows_;
    std::vector<QString> captions_;
    std::vector<QLabel*> lines_;
    std::vector<Row> bars_;
    QPushButton* cancel_ = nullptr;
    bool cancelled_ = false;
};

}  // namespace varelo
