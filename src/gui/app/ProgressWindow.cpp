#include "gui/app/ProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "gui/app/QtText.h"

namespace varelo {

namespace {

// The caution of a download: bold "Arial" 12 pixels high, weight 600, in red.
QLabel* CautionLabel(const QString& text) {
    auto* label = new QLabel(text);
    QFont font("Arial");
    font.setPixelSize(12);
    font.setWeight(QFont::DemiBold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    label->setPalette(palette);
    return label;
}

}  // namespace

ProgressWindow::ProgressWindow(const ProgressLayout& layout, QWidget* parent)
    : QWidget(parent, Qt::Dialog), rows_(new QVBoxLayout) {
    setWindowTitle(Q(layout.title));
    setWindowModality(Qt::NonModal);
    setMinimumWidth(380);
    auto* column = new QVBoxLayout(this);
    if (!layout.caution.empty()) lines_.push_back(CautionLabel(Q(layout.caution)));
    for (const std::string& line : layout.lines)
        lines_.push_back(new QLabel(Q(line)));
    for (QLabel* line : lines_)
        column->addWidget(line);
    for (const std::string& caption : layout.barCaptions)
        captions_.push_back(Q(caption));
    column->addLayout(rows_);
    if (layout.cancellable) {
        cancel_ = new QPushButton(QTxt(txt::dlg_progress_cancel));
        connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
        column->addWidget(cancel_, 0, Qt::AlignHCenter);
    }
}

void ProgressWindow::SetBar(int bar, long position, long range, const QString& counter) {
    if (bar < 0) return;
    while (BarCount() <= bar) {
        const size_t index = bars_.size();
        Row row{new QLabel(index < captions_.size() ? captions_[index] : QString()),
                new QProgressBar, new QLabel};
        row.bar->setTextVisible(false);
        auto* heading = new QHBoxLayout;
        heading->addWidget(row.caption, 1);
        heading->addWidget(row.counter);
        rows_->addLayout(heading);
        rows_->addWidget(row.bar);
        bars_.push_back(row);
    }
    range = std::max(range, 0L);
    // Transfers count bytes beyond what a progress bar's int holds; scale both alike.
    long scale = 1;
    while (range / scale > std::numeric_limits<int>::max())
        scale *= 2;
    const Row& row = bars_[bar];
    // An empty range would make the bar a busy indicator; it stays empty instead.
    row.bar->setRange(0, std::max(1, static_cast<int>(range / scale)));
    row.bar->setValue(static_cast<int>(std::clamp(position, 0L, range) / scale));
    row.counter->setText(counter);
}

}  // namespace varelo
