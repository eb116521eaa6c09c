#pragma once

#include <algorithm>
#include <cstddef>
#include <deque>
#include <new>

namespace varelo {

// An ordered series of records, appended at the tail in the order read. The storage grows in
// blocks and never moves what it holds, so reading a long measurement needs no more than the
// records themselves plus a little bookkeeping, and dropping the head is cheap.
template <typename Record>
class CRecordList {
  public:
    using const_iterator = typename std::deque<Record>::const_iterator;
    using iterator = typename std::deque<Record>::iterator;

    // A copy of the record at the tail; false when memory ran out (the list is unchanged).
    bool Add(const Record& record) {
        try {
            records_.push_back(record);
            return true;
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    void RemoveFirst() {
        if (!records_.empty())
            records_.pop_front();
    }
    void Clear() { records_.clear(); }
    // Removes the records for which `remove` holds; returns how many went.
    template <typename Predicate>
    size_t RemoveIf(Predicate remove) {
        const auto end = std::remove_if(records_.begin(), records_.end(), remove);
        const size_t removed = size_t(records_.end() - end);
        records_.erase(end, records_.end());
        return removed;
    }

    size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    const Record& operator[](size_t i) const { return records_[i]; }
    Record& operator[](size_t i) { return records_[i]; }
    const Record& front() const { return records_.front(); }
    const Record& back() const { return records_.back(); }
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }
    iterator begin() { return records_.begin(); }
    iterator end() { return records_.end(); }

  private:
    std::deque<Record> records_;
};

}  // namespace varelo
