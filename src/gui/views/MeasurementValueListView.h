#pragma once

#include <QHash>
#include <memory>
#include <vector>

#include "evaluation/EventListPaging.h"
#include "evaluation/MeasurementValueList.h"
#include "gui/views/ResultView.h"

class QAction;
class QScrollBar;

namespace varelo {

class CVamor800Doc;
class Printout;

// The interval records as a table of the channels the level-time diagram handed over.
class MeasurementValueListView : public ResultView {
    Q_OBJECT

public:
    static constexpr int kCommand = 33021;
    static constexpr int kTemplate = 179;
    static constexpr int kIntervalStatus = 33089;
    static constexpr int kStartAndPeriod = 33014;

    explicit MeasurementValueListView(const ViewContext& context, QWidget* parent = nullptr);

    int TemplateId() const override { return kTemplate; }
    QString ViewName() const override;
    void OnDocumentUpdate() override;
    void Print(bool askPrinter) override;
    QList<QMenu*> WindowMenus() override;
    QAction* CommandAction(int commandId) const override;

    bool RunCommand(int commandId);
    bool IsCommandChecked(int commandId) const;
    std::unique_ptr<Printout> MakePrintout() const;
    // The command line's printout: the channels (none: the phase voltages), the status, the
    // period and the first interval at or after the start.
    static std::unique_ptr<Printout> MakePrintout(const CVamor800Doc& doc,
                                                  std::vector<int> channels, bool status,
                                                  int period, const CTimeStamp& start);

    const MeasurementValueList& List() const { return *list_; }
    const EventListScroll& Scroll() const { return scroll_; }
    int PrintPeriod() const { return period_; }
    void ScrollTo(int firstRow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ChooseStartAndPeriod();
    void UpdateScrollBar();
    void UpdateActions();
    QAction* AddCommand(QMenu* menu, int commandId, bool checkable);

    std::unique_ptr<MeasurementValueList> list_;
    EventListScroll scroll_;
    int period_ = 1;
    QScrollBar* bar_ = nullptr;
    QMenu* printout_ = nullptr;
    QHash<int, QAction*> actions_;
};

// The list's columns for channels of a document, each with its decimals.
std::vector<ValueListColumn> ValueListColumns(const CVamor800Doc& doc, std::vector<int> channels);

}  // namespace varelo
