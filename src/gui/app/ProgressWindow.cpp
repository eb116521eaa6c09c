#include "gui/app/ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace varelo {

ProgressWindow::ProgressWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Dialog), rows_(new QVBoxLayout) {
    setWindowTitle(title);
    setWindowModality(Qt::NonModal);
    setMinimumWidth(380);
    auto* cancel = new QPushButton(tr("Cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows_);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);
}

void ProgressWindow::SetBar(int bar, long position, long range, const QString& counter) {
    if (bar < 0) return;
    while (BarCount() <= bar) {
        Row row{new QProgressBar, new QLabel};
        row.bar->setTextVisible(false);
        rows_->addWidget(row.counter);
        rows_->addWidget(row.bar);
        bars_.push_back(row);
    }
    // Transfers count bytes beyond what a progress bar's int holds; scale both alike.
    long scale = 1;
    while (range / scale > std::numeric_limits<int>::max())
        scale *= 2;
    const Row& row = bars_[bar];
    row.bar->setRange(0, static_cast<int>(range / scale));
    row.bar->setValue(static_cast<int>(std::min(position, range) / scale));
    row.counter->setText(counter);
}

}  // namespace varelo
