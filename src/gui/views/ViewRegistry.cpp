#include "gui/views/ViewRegistry.h"

#include <algorithm>

namespace varelo {

const std::vector<ViewKind>& ViewKinds() {
    static const std::vector<ViewKind> kinds = {};
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
