#pragma once

#include <QListWidget>
#include <array>
#include <functional>

#include "timeplot/AoaDefinition/AoaListView.h"

class QMimeData;

namespace varelo {

// A list of one level of a definition that takes part in drag and drop. The data of a drag is
// the item's object archived on its own, under the level's own format, so a drop is accepted
// only by a list of the same level. Editor lists reorder their items and take copies; the
// source window's lists only give.
class CDragDropListBox : public QListWidget {
    Q_OBJECT

public:
    // The format of a level: "VamorPlusAOA.aa3" groups, ".aa2" applications, ".aa1" channels.
    static QString MimeFormat(AoaLevel level);

    CDragDropListBox(AoaLevel level, bool dropTarget, QWidget* parent = nullptr);

    AoaLevel Level() const { return level_; }
    // The archived object of a row, for a drag.
    std::function<QByteArray(int row)> payload;
    // An item moved within this list: the row and the row it was dropped on (-1: below the
    // last). The row where it stands afterwards comes back, -1 when nothing moved.
    std::function<int(int row, int target)> moved;
    // A copy dropped from elsewhere after the target row (-1: at the end); its row comes back,
    // -1 when refused.
    std::function<int(const QByteArray& data, int target)> copied;

    // The drop itself, also for tests: from is the list the drag began in. True when accepted;
    // action receives the effect reported back.
    bool Drop(const QMimeData& mime, const QPoint& position, QObject* from,
              Qt::KeyboardModifiers modifiers, Qt::DropAction* action = nullptr);
    // The row a drop at a point lands on: the item under it, -1 below the last item.
    int TargetRow(const QPoint& position) const;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;

private:
    bool Accepts(const QMimeData* mime) const;
    void ScrollNearEdges(const QPoint& position);

    AoaLevel level_;
    bool dropTarget_;
    int markY_ = -1;  // where the insertion mark is drawn; -1 for none
};

// Shows the rows of the levels from one level downwards in their list boxes, each with its
// selection, without signalling the changes.
void ShowAoaLists(const std::array<CDragDropListBox*, kAoaLevels>& boxes, const CAoaListView& view,
                  AoaLevel from);

}  // namespace varelo
