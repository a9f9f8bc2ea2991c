#include "wavemix/PlayPool.h"

namespace wavemix {

void PlayPool::reset() {
  for (std::size_t i = 0; i < kSize; ++i) {
    records_[i] = PlayRecord{};
    records_[i].next = i + 1 < kSize ? &records_[i + 1] : nullptr;
  }
  free_ = &records_[0];
}

PlayRecord* PlayPool::take() {
  PlayRecord* record = free_;
  if (record != nullptr) {
    free_ = record->next;
    record->next = nullptr;
  }
  return record;
}

void PlayPool::give(PlayRecord* record) {
  *record = PlayRecord{};
  record->next = free_;
  free_ = record;
}

std::size_t PlayPool::freeCount() const {
  std::size_t count = 0;
  for (const PlayRecord* record = free_; record != nullptr; record = record->next) ++count;
  return count;
}

}  // namespace wavemix
