#pragma once

#include "evaluation/GraphicalSummary.h"
#include "gui/views/GraphicalSummaryPainter.h"
#include "gui/views/PaintedResultView.h"

class QAction;

namespace varelo {

class CVamor800Doc;
class Settings;

// The graphical summary: every evaluated quantity as bars in per mille of its limit.
class GraphicalSummaryView : public PaintedResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = 33027;
    static constexpr int kTemplate = 186;
    static constexpr int kWithoutBackgroundCommand = 33085;

    explicit GraphicalSummaryView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    QList<QMenu*> WindowMenus() override;
    std::unique_ptr<Printout> MakePrintout() const override;

    // The bars and style as the settings stand now.
    static GraphicalSummary BuildSummary(const CVamor800Doc& doc, Settings& settings);
    static GraphicalSummaryStyle ReadStyle(Settings& settings);
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc, Settings& settings);

    const GraphicalSummary& Summary() const { return summary_; }
    // 33085: toggles printing without background and stores it at once.
    void ToggleWithoutBackground();

protected:
    bool PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) override;

private:
    GraphicalSummary summary_;
    GraphicalSummaryStyle style_;
    QMenu* menu_ = nullptr;
    QAction* withoutBackground_ = nullptr;
};

}  // namespace varelo
