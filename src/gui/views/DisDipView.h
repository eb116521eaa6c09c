#pragma once

#include <QHash>

#include "app/CommandTable.h"
#include "evaluation/DisDipTable.h"
#include "gui/views/PaintedResultView.h"

class QAction;

namespace varelo {

class CVamor800Doc;

// The UNIPEDE DISDIP table of the events, for all phases or one.
class DisDipView : public PaintedResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kDisDip;
    static constexpr int kTemplate = 177;
    static constexpr int kEventListCommand = cmd::kEventList;

    explicit DisDipView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    QList<QMenu*> WindowMenus() override;
    QAction* CommandAction(int commandId) const override;
    std::unique_ptr<Printout> MakePrintout() const override;
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc, int phaseFilter);

    // Phase commands and 33020; false for another id or a disabled command.
    bool RunCommand(int commandId);
    bool IsCommandEnabled(int commandId) const;
    bool IsCommandChecked(int commandId) const;
    const CDisDipTable& Table() const { return table_; }

protected:
    bool PaintContent(QPainter& painter, const QRectF& area, const PaintOptions& options) override;
    double ContentHeight(const PaintOptions& options, double width) const override;

private:
    void Rebuild(int phaseFilter);
    void UpdateActions();
    QAction* AddCommandAction(QMenu* menu, int commandId);
    static int PhaseOfCommand(int commandId);

    CDisDipTable table_;
    QMenu* menu_ = nullptr;
    QHash<int, QAction*> actions_;
};

}  // namespace varelo
