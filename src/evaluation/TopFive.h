#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "measurement/TimeStamp.h"

namespace varelo {

// One entry of a five-most-extreme list: the ranking value with the time of its interval (or
// the start of its event), its phase (0-2) and, for deviations, its side of the nominal value.
struct TopFiveEntry {
    double value = 0;
    CTimeStamp time;
    int phase = 0;
    bool above = true;
};

// The five largest values in descending order. Entry needs a double member `value`.
template <typename Entry = TopFiveEntry>
class CTopFive {
public:
    static constexpr size_t kSize = 5;

    // Among equal values the one met first stays first: a new value goes after its equals.
    void Insert(const Entry& entry) {
        if (!Enters(entry.value)) return;
        size_t i = 0;
        while (i < size_ && !(entries_[i].value < entry.value))
            ++i;
        Place(i, entry);
    }
    // A new value goes before its equals.
    void InsertBeforeEqual(const Entry& entry) {
        size_t i = 0;
        while (i < size_ && entries_[i].value > entry.value)
            ++i;
        if (i < kSize) Place(i, entry);
    }
    // Cheap test for the hot loops: whether Insert would keep the value.
    bool Enters(double value) const { return size_ < kSize || entries_[kSize - 1].value < value; }

    void Clear() { size_ = 0; }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Entry& operator[](size_t i) const { return entries_[i]; }
    const Entry* begin() const { return entries_.data(); }
    const Entry* end() const { return entries_.data() + size_; }
    // The largest value, 0 for an empty list.
    double First() const { return size_ > 0 ? entries_[0].value : 0.0; }

    // The lists of several phases merged by value, equal values keeping the order of the lists.
    static CTopFive Merge(std::span<const CTopFive* const> lists) {
        CTopFive merged;
        for (const CTopFive* list : lists) {
            for (const Entry& e : *list)
                merged.Insert(e);
        }
        return merged;
    }

private:
    void Place(size_t i, const Entry& entry) {
        const size_t last = size_ < kSize ? size_ : kSize - 1;
        for (size_t j = last; j > i; --j)
            entries_[j] = entries_[j - 1];
        entries_[i] = entry;
        if (size_ < kSize) ++size_;
    }

    std::array<Entry, kSize> entries_{};
    size_t size_ = 0;
};

}  // namespace varelo
