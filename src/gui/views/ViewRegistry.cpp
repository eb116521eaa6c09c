#include "gui/views/ViewRegistry.h"

#include <algorithm>

#include "app/CommandTable.h"
#include "document/Vamor800Doc.h"
#include "gui/views/AllExceedingsView.h"
#include "gui/views/DisDipView.h"
#include "gui/views/EventListView.h"
#include "gui/views/GraphicalSummaryView.h"
#include "gui/views/MeasurementValueListView.h"
#include "gui/views/MostCriticalValuesView.h"
#include "gui/views/PzdView.h"
#include "gui/views/ShfgView.h"
#include "gui/views/StatisticalValuesView.h"
#include "gui/views/TableSummaryView.h"

namespace varelo {

namespace {

template <class View>
ViewKind Kind() {
    return {View::kCommand, View::kTemplate,
            [](const ViewContext& context, QWidget* parent) -> ResultView* {
                return new View(context, parent);
            }};
}

}  // namespace

const std::vector<ViewKind>& ViewKinds() {
    static const std::vector<ViewKind> kinds = {
        Kind<GraphicalSummaryView>(),
        Kind<TableSummaryView>(),
        Kind<DisDipView>(),
        Kind<EventListView>(),
        Kind<CShfgView>(),
        Kind<CShfgViewCurrent>(),
        Kind<StatisticalValuesView>(),
        Kind<MostCriticalValuesView>(),
        Kind<MeasurementValueListView>(),
        {AllExceedingsView::kCommand, AllExceedingsView::kTemplate,
         [](const ViewContext& context, QWidget* parent) -> ResultView* {
             return AllExceedingsView::Create(context, parent);
         }},
        // Level-time mode on: handed-over channels or the manual channel selection.
        {CPzdView::kCommand, CPzdView::kTemplate,
         [](const ViewContext& context, QWidget* parent) -> ResultView* {
             context.doc->SetUsesChannelList(true);
             return CPzdView::Create(context, parent);
         }},
        // Level-time mode off: the curves come from an application.
        {cmd::kTimeplotAoa, CPzdView::kTemplate,
         [](const ViewContext& context, QWidget* parent) -> ResultView* {
             context.doc->SetUsesChannelList(false);
             return CPzdView::Create(context, parent);
         }}};
    return kinds;
}

const ViewKind* FindViewKindByCommand(int commandId) {
    const auto& kinds = ViewKinds();
    auto it = std::find_if(kinds.begin(), kinds.end(),
                           [&](const ViewKind& kind) { return kind.commandId == commandId; });
    return it == kinds.end() ? nullptr : &*it;
}

const ViewKind* FindViewKindByTemplate(int templateId) {
    const auto& kinds = ViewKinds();
    auto it = std::find_if(kinds.begin(), kinds.end(),
                           [&](const ViewKind& kind) { return kind.templateId == templateId; });
    return it == kinds.end() ? nullptr : &*it;
}

}  // namespace varelo
