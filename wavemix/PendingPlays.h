#pragma once
// The requests collected under mixWait, oldest first. Kept as a circular list through the
// session's pendingTail (tail->next is the oldest), so appending and taking the oldest are
// both one step. A view: the session owns the records' place, the pool the records.
#include <cstddef>

#include "wavemix/PlayRecord.h"

namespace wavemix {

class PendingPlays {
 public:
  explicit PendingPlays(PlayRecord*& tail) : tail_(tail) {}

  void append(PlayRecord* record) {
    if (tail_ == nullptr) {
      record->next = record;
    } else {
      record->next = tail_->next;
      tail_->next = record;
    }
    tail_ = record;
  }

  // Null when there is none; the record taken links to nothing.
  PlayRecord* takeOldest() {
    if (tail_ == nullptr) return nullptr;
    PlayRecord* head = tail_->next;
    if (head == tail_) {
      tail_ = nullptr;
    } else {
      tail_->next = head->next;
    }
    head->next = nullptr;
    return head;
  }

  std::size_t size() const {
    if (tail_ == nullptr) return 0;
    std::size_t count = 1;
    for (const PlayRecord* record = tail_->next; record != tail_; record = record->next) ++count;
    return count;
  }

 private:
  PlayRecord*& tail_;
};

}  // namespace wavemix
