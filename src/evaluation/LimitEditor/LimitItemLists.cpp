#include "evaluation/LimitEditor/LimitItemLists.h"

#include <algorithm>
#include <cstdio>

#include "evaluation/LimitEditor/LimitEditorText.h"

namespace varelo {

std::string LimitItemText(const LimitItem& item, int digits) {
    char key[16];
    std::snprintf(key, sizeof key, "%0*d", digits, item.key);
    return std::string(key) + "\t" + FormatFixed2(item.value);
}

void CLimitItemLists::Insert(std::vector<LimitItem>& list, const LimitItem& item) {
    auto at =
        std::lower_bound(list.begin(), list.end(), item,
                         [](const LimitItem& a, const LimitItem& b) { return a.key < b.key; });
    list.insert(at, item);
}

int CLimitItemLists::Move(std::vector<LimitItem>& from, std::vector<LimitItem>& to, int row) {
    if (row < 0 || row >= int(from.size()))
        return from.empty() ? -1 : std::min(row, int(from.size()) - 1);
    Insert(to, from[size_t(row)]);
    from.erase(from.begin() + row);
    if (from.empty()) return -1;
    return std::min(row, int(from.size()) - 1);
}

void CLimitItemLists::MoveAllRight() {
    for (const LimitItem& item : left_)
        Insert(right_, item);
    left_.clear();
}

void CLimitItemLists::MoveAllLeft() {
    for (const LimitItem& item : right_)
        Insert(left_, item);
    right_.clear();
}

void CLimitItemLists::SetSelected(const LimitItem& item) {
    auto same = [&](const LimitItem& other) { return other.key == item.key; };
    std::erase_if(left_, same);
    std::erase_if(right_, same);
    Insert(right_, item);
}

}  // namespace varelo
