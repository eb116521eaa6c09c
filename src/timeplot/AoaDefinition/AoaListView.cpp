#include "timeplot/AoaDefinition/AoaListView.h"

#include "measurement/QuantityCatalogue.h"
#include "timeplot/AoaDefinition/AoaChannelRules.h"

namespace varelo {

void CAoaListView::SetFilter(uint32_t function, uint8_t phaseMode) {
    if (function != function_) selected_ = {-1, -1, -1};
    if (phaseMode != phaseMode_) selected_[1] = selected_[2] = -1;
    function_ = function;
    phaseMode_ = phaseMode;
}

void CAoaListView::SetListed(bool listed) {
    listed_ = listed;
    if (!listed) selected_ = {-1, -1, -1};
}

const std::vector<CAOAAppGroup>* CAoaListView::FunctionGroups() const {
    if (!listed_) return nullptr;
    for (const CAOARootObj::Entry& entry : root_->Entries()) {
        if (entry.Key == function_) return &entry.Groups;
    }
    return nullptr;
}

std::vector<CAOAAppGroup>* CAoaListView::Groups() {
    return const_cast<std::vector<CAOAAppGroup>*>(FunctionGroups());
}

std::vector<CAOAApplication>* CAoaListView::Applications() {
    CAOAAppGroup* group = Group(Selected(AoaLevel::Group));
    return group ? &group->Applications : nullptr;
}

std::vector<CAOAChannelInfo>* CAoaListView::Channels() {
    CAOAApplication* application = Application(Selected(AoaLevel::Application));
    return application ? &application->Channels : nullptr;
}

std::vector<size_t> CAoaListView::Indexes(AoaLevel level) const {
    auto* self = const_cast<CAoaListView*>(this);
    std::vector<size_t> rows;
    switch (level) {
        case AoaLevel::Group:
            if (const auto* groups = FunctionGroups()) {
                for (size_t i = 0; i < groups->size(); ++i)
                    rows.push_back(i);
            }
            break;
        case AoaLevel::Application:
            if (const auto* applications = self->Applications()) {
                for (size_t i = 0; i < applications->size(); ++i) {
                    if ((*applications)[i].Mode == phaseMode_) rows.push_back(i);
                }
            }
            break;
        case AoaLevel::Channel:
            if (const auto* channels = self->Channels()) {
                for (size_t i = 0; i < channels->size(); ++i) {
                    if (IsAvailableForFunction((*channels)[i].Quantity, function_))
                        rows.push_back(i);
                }
            }
            break;
    }
    return rows;
}

std::vector<std::string> CAoaListView::Rows(AoaLevel level) const {
    auto* self = const_cast<CAoaListView*>(this);
    std::vector<std::string> names;
    const std::vector<size_t> indexes = Indexes(level);
    for (size_t row = 0; row < indexes.size(); ++row) {
        switch (level) {
            case AoaLevel::Group: names.push_back(self->Group(int(row))->DisplayName()); break;
            case AoaLevel::Application:
                names.push_back(self->Application(int(row))->DisplayName());
                break;
            case AoaLevel::Channel:
                names.push_back(AoaChannelName(*self->Channel(int(row))));
                break;
        }
    }
    return names;
}

void CAoaListView::Select(AoaLevel level, int row) {
    const size_t at = size_t(level);
    selected_[at] = row >= 0 && row < RowCount(level) ? row : -1;
    for (size_t below = at + 1; below < kAoaLevels; ++below)
        selected_[below] = -1;
}

void CAoaListView::Refresh() {
    for (size_t level = 0; level < kAoaLevels; ++level) {
        if (selected_[level] >= RowCount(AoaLevel(level))) selected_[level] = -1;
    }
}

CAOAAppGroup* CAoaListView::Group(int row) {
    const std::vector<size_t> rows = Indexes(AoaLevel::Group);
    if (row < 0 || size_t(row) >= rows.size()) return nullptr;
    return &(*Groups())[rows[size_t(row)]];
}

CAOAApplication* CAoaListView::Application(int row) {
    const std::vector<size_t> rows = Indexes(AoaLevel::Application);
    if (row < 0 || size_t(row) >= rows.size()) return nullptr;
    return &(*Applications())[rows[size_t(row)]];
}

CAOAChannelInfo* CAoaListView::Channel(int row) {
    const std::vector<size_t> rows = Indexes(AoaLevel::Channel);
    if (row < 0 || size_t(row) >= rows.size()) return nullptr;
    return &(*Channels())[rows[size_t(row)]];
}

}  // namespace varelo
