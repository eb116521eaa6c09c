#pragma once

#include "app/CommandTable.h"
#include "gui/views/BlockTableView.h"

namespace varelo {

class CVamor800Doc;

// The statistical values: per quantity the share of the time within tolerance and the extreme
// values per phase, each with its deviation from the limit.
class StatisticalValuesView : public BlockTableView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kStatisticalValues;
    static constexpr int kTemplate = 189;

    explicit StatisticalValuesView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    using BlockTableView::MakePrintout;
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc);

protected:
    BlockReport BuildReport() const override;
    int PrintoutKind() const override;
};

}  // namespace varelo
