#pragma once

#include <memory>

#include "evaluation/BlockTable.h"
#include "gui/views/ResultView.h"

class QScrollBar;

namespace varelo {

class Printout;

// A report of framed blocks (statistical values, most critical values) that scrolls by block
// and prints over as many pages as it needs, never splitting a block.
class BlockTableView : public ResultView {
    Q_OBJECT

public:
    explicit BlockTableView(const ViewContext& context, QWidget* parent = nullptr);

    void OnDocumentUpdate() override;
    void Print(bool askPrinter) override;
    std::unique_ptr<Printout> MakePrintout() const;
    static std::unique_ptr<Printout> MakePrintout(BlockReport report, int kind);

    const BlockReport& Report() const { return report_; }
    // The block at the top of the window, from 0 to LastBlock().
    size_t FirstBlock() const { return first_; }
    size_t LastBlock() const { return report_.blocks.empty() ? 0 : report_.blocks.size() - 1; }
    void ScrollTo(size_t block);

protected:
    // The report of the document as it is now.
    virtual BlockReport BuildReport() const = 0;
    virtual int PrintoutKind() const = 0;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRectF TableArea() const;
    size_t BlocksPerPage() const;
    void UpdateScrollBar();

    BlockReport report_;
    size_t first_ = 0;
    QScrollBar* bar_ = nullptr;
};

}  // namespace varelo
