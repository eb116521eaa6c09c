#pragma once

#include <memory>
#include <vector>

#include "app/CommandTable.h"
#include "evaluation/EventListPaging.h"
#include "evaluation/ExceedingsReport.h"
#include "gui/views/ResultView.h"

class QAction;
class QScrollBar;

namespace varelo {

class CVamor800Doc;
class Printout;

// Every interval in which a chosen quantity reached its limit, section by section.
class AllExceedingsView : public ResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kAllExceedings;
    static constexpr int kTemplate = 187;
    static constexpr int kIntervalStatus = 33089;

    AllExceedingsView(const ViewContext& context, std::vector<int> channels,
                      QWidget* parent = nullptr);
    // Asks for the channels first (dialog 133); none when the choice is cancelled.
    static AllExceedingsView* Create(const ViewContext& context, QWidget* parent);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    void Print(bool askPrinter) override;
    QList<QMenu*> WindowMenus() override;
    QAction* CommandAction(int commandId) const override;

    bool RunCommand(int commandId);
    std::unique_ptr<Printout> MakePrintout() const;
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc,
                                                  const std::vector<int>& channels, bool status);

    const ExceedingsReport& Report() const { return report_; }
    const EventListScroll& Scroll() const { return scroll_; }
    const std::vector<int>& Channels() const { return channels_; }
    bool StatusOn() const { return status_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Rebuild();
    void UpdateScrollBar();

    std::vector<int> channels_;
    ExceedingsReport report_;
    EventListScroll scroll_;
    bool status_ = false;
    QScrollBar* bar_ = nullptr;
    QMenu* printout_ = nullptr;
    QAction* statusAction_ = nullptr;
};

}  // namespace varelo
