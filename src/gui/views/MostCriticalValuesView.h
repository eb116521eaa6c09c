#pragma once

#include "app/CommandTable.h"
#include "gui/views/BlockTableView.h"

namespace varelo {

class CVamor800Doc;

// The most critical values: per quantity the five most extreme values with their time and
// phase, the longest interruptions and the largest events.
class MostCriticalValuesView : public BlockTableView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kMostCritical;
    static constexpr int kTemplate = 188;

    explicit MostCriticalValuesView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    using BlockTableView::MakePrintout;
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc);

protected:
    BlockReport BuildReport() const override;
    int PrintoutKind() const override;
};

}  // namespace varelo
