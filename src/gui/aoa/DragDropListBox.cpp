#include "gui/aoa/DragDropListBox.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>

namespace varelo {

namespace {
constexpr int kMarkHeight = 4;
}  // namespace

QString CDragDropListBox::MimeFormat(AoaLevel level) {
    switch (level) {
        case AoaLevel::Group: return QStringLiteral("VamorPlusAOA.aa3");
        case AoaLevel::Application: return QStringLiteral("VamorPlusAOA.aa2");
        case AoaLevel::Channel: return QStringLiteral("VamorPlusAOA.aa1");
    }
    return {};
}

CDragDropListBox::CDragDropListBox(AoaLevel level, bool dropTarget, QWidget* parent)
    : QListWidget(parent), level_(level), dropTarget_(dropTarget) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(dropTarget);
    setDropIndicatorShown(false);  // the insertion mark is drawn here
    setDragDropMode(dropTarget ? QAbstractItemView::DragDrop : QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList CDragDropListBox::mimeTypes() const {
    return {MimeFormat(level_)};
}

QMimeData* CDragDropListBox::mimeData(const QList<QListWidgetItem*>& items) const {
    if (items.isEmpty() || !payload) return nullptr;
    const QByteArray data = payload(row(items.first()));
    if (data.isEmpty()) return nullptr;
    auto* mime = new QMimeData;
    mime->setData(MimeFormat(level_), data);
    return mime;
}

bool CDragDropListBox::Accepts(const QMimeData* mime) const {
    return dropTarget_ && mime && mime->hasFormat(MimeFormat(level_));
}

int CDragDropListBox::TargetRow(const QPoint& position) const {
    const QListWidgetItem* item = itemAt(position);
    return item ? row(item) : -1;
}

void CDragDropListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(event->modifiers() & Qt::ShiftModifier ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

void CDragDropListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (!Accepts(event->mimeData())) {
        event->ignore();
        return;
    }
    const QPoint position = event->position().toPoint();
    ScrollNearEdges(position);
    // The mark goes above the item under the cursor, below it in its lower half, and under the
    // last item when the cursor is past the end.
    const int target = TargetRow(position);
    int y = -1;
    if (target >= 0) {
        const QRect rect = visualItemRect(item(target));
        y = position.y() < rect.center().y() ? rect.top() : rect.bottom();
    } else if (count() > 0) {
        y = visualItemRect(item(count() - 1)).bottom();
    } else {
        y = 0;
    }
    if (y != markY_) {
        markY_ = y;
        viewport()->update();
    }
    event->setDropAction(event->modifiers() & Qt::ShiftModifier ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

void CDragDropListBox::dragLeaveEvent(QDragLeaveEvent* event) {
    markY_ = -1;
    viewport()->update();
    QListWidget::dragLeaveEvent(event);
}

void CDragDropListBox::ScrollNearEdges(const QPoint& position) {
    const int itemHeight = count() > 0 ? sizeHintForRow(0) : 0;
    if (itemHeight <= 0) return;
    QScrollBar* bar = verticalScrollBar();
    if (position.y() < itemHeight)
        bar->setValue(bar->value() - bar->singleStep());
    else if (position.y() > viewport()->height() - itemHeight)
        bar->setValue(bar->value() + bar->singleStep());
}

void CDragDropListBox::dropEvent(QDropEvent* event) {
    Qt::DropAction action = Qt::CopyAction;
    const bool accepted = Drop(*event->mimeData(), event->position().toPoint(), event->source(),
                               event->modifiers(), &action);
    markY_ = -1;
    viewport()->update();
    if (!accepted) {
        event->ignore();
        return;
    }
    event->setDropAction(action);
    event->accept();
}

bool CDragDropListBox::Drop(const QMimeData& mime, const QPoint& position, QObject* from,
                            Qt::KeyboardModifiers modifiers, Qt::DropAction* action) {
    if (!Accepts(&mime)) return false;
    const int target = TargetRow(position);
    int placed = -1;
    if (from == this) {
        if (!moved || currentRow() < 0) return false;
        placed = moved(currentRow(), target);
    } else if (copied) {
        placed = copied(mime.data(MimeFormat(level_)), target);
    }
    if (placed < 0) return false;
    // Shift asks the source to let go of the item; the source window keeps it regardless.
    if (action) *action = modifiers & Qt::ShiftModifier ? Qt::MoveAction : Qt::CopyAction;
    return true;
}

void CDragDropListBox::startDrag(Qt::DropActions) {
    // The lists are rebuilt from the definitions after every drop, so the view itself never
    // removes the dragged item, whatever effect the drop reports.
    QListWidgetItem* item = currentItem();
    QMimeData* mime = item ? mimeData({item}) : nullptr;
    if (!mime) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
}

void CDragDropListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (markY_ < 0) return;
    QPainter painter(viewport());
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(0, markY_ - kMarkHeight / 2, viewport()->width(), kMarkHeight),
                     QBrush(Qt::white, Qt::Dense4Pattern));
}

void ShowAoaLists(const std::array<CDragDropListBox*, kAoaLevels>& boxes, const CAoaListView& view,
                  AoaLevel from) {
    for (size_t i = size_t(from); i < kAoaLevels; ++i) {
        const AoaLevel level = AoaLevel(i);
        QSignalBlocker block(boxes[i]);
        boxes[i]->clear();
        for (const std::string& row : view.Rows(level))
            boxes[i]->addItem(QString::fromStdString(row));
        boxes[i]->setCurrentRow(view.Selected(level));
    }
}

}  // namespace varelo
