#pragma once

#include <array>

#include "evaluation/TableSummary.h"
#include "gui/views/PaintedResultView.h"

namespace varelo {

class CVamor800Doc;
class Settings;

// The table summary: limit, maximum and x % value per phase of every evaluated quantity, the
// cells at or above their limit hatched.
class TableSummaryView : public PaintedResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = 33028;
    static constexpr int kTemplate = 190;

    explicit TableSummaryView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    std::unique_ptr<Printout> MakePrintout() const override;
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc, Settings& settings);

    const TableSummary& Table() const { return table_; }

protected:
    bool PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) override;
    double ContentHeight(const PaintOptions& options, double width) const override;

private:
    TableSummary table_;
    std::array<QColor, 3> colors_;
};

}  // namespace varelo
