#pragma once

#include <QHash>

#include "app/CommandTable.h"
#include "evaluation/EventListModel.h"
#include "evaluation/EventListPaging.h"
#include "gui/views/EventListPainter.h"
#include "gui/views/ResultView.h"

class QAction;
class QScrollBar;

namespace varelo {

class CVamor800Doc;
class Printout;

// The list of events and interruptions with its phase and kind filters.
class EventListView : public ResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = cmd::kEventList;
    static constexpr int kTemplate = 178;
    static constexpr int kPrintSinglePage = 33010;
    static constexpr int kPrintWholeList = 33012;

    explicit EventListView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    void Print(bool askPrinter) override;
    QList<QMenu*> WindowMenus() override;
    QAction* CommandAction(int commandId) const override;

    // The view's commands (filters and print modes); false for another id.
    bool RunCommand(int commandId);
    bool IsCommandEnabled(int commandId) const;
    bool IsCommandChecked(int commandId) const;

    std::unique_ptr<Printout> MakePrintout() const;
    // The whole list of all events, as the command line prints it.
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc);

    const CEventListModel& Model() const { return model_; }
    const EventListContent& Content() const { return content_; }
    const EventListScroll& Scroll() const { return scroll_; }
    int PrintMode() const { return printMode_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Refill();
    void UpdateScrollBar();
    void UpdateActions();
    QAction* AddCommand(QMenu* menu, int commandId);
    // The phase filter of a command id (either labelling), -1 for another id.
    static int PhaseOfCommand(int commandId);
    // The kind filter of a command id, -1 for another id.
    static int KindOfCommand(int commandId);
    int PhaseCommand(int phase) const;

    CEventListModel model_;
    EventListContent content_;
    EventListScroll scroll_;
    int printMode_ = 2;
    QScrollBar* bar_ = nullptr;
    QMenu* events_ = nullptr;
    QMenu* printout_ = nullptr;
    QHash<int, QAction*> actions_;
};

}  // namespace varelo
