#pragma once

#include <string>
#include <vector>

namespace varelo {

// One entry of a limit list: its order or frequency and its limit.
struct LimitItem {
    int key = 0;
    float value = 0;

    bool operator==(const LimitItem&) const = default;
};

// The list's text of an item: the key with leading zeros to `digits` places, a tab and the
// value with two decimals.
std::string LimitItemText(const LimitItem& item, int digits);

// The unselected (left) and selected (right) lists of a limit sub-dialog, each in ascending key
// order. A move returns the row to select next in the list the item left: the row it had, or
// the last; -1 when that list is empty.
class CLimitItemLists {
public:
    std::vector<LimitItem>& Left() { return left_; }
    std::vector<LimitItem>& Right() { return right_; }
    const std::vector<LimitItem>& Left() const { return left_; }
    const std::vector<LimitItem>& Right() const { return right_; }

    int MoveRight(int row) { return Move(left_, right_, row); }
    int MoveLeft(int row) { return Move(right_, left_, row); }
    void MoveAllRight();
    void MoveAllLeft();
    // Drops the item of the key from both lists and puts the new one into the selected list.
    void SetSelected(const LimitItem& item);

    static void Insert(std::vector<LimitItem>& list, const LimitItem& item);

private:
    static int Move(std::vector<LimitItem>& from, std::vector<LimitItem>& to, int row);

    std::vector<LimitItem> left_;
    std::vector<LimitItem> right_;
};

}  // namespace varelo
