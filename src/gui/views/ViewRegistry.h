#pragma once

#include <functional>
#include <vector>

#include "gui/views/ViewContext.h"

class QWidget;

namespace varelo {

class ResultView;

// A kind of result window: the document command that opens it, its template id and how to
// make its view.
struct ViewKind {
    int commandId;   // 33027 graphical summary, 33028 table summary, 33029 DISDIP, ...
    int templateId;  // 186, 190, 177, ...
    std::function<ResultView*(const ViewContext&, QWidget*)> create;
};

// Every built result view; a document command without an entry stays disabled.
const std::vector<ViewKind>& ViewKinds();
const ViewKind* FindViewKindByCommand(int commandId);
const ViewKind* FindViewKindByTemplate(int templateId);

}  // namespace varelo
