#pragma once
// The fixed pool of play records, held for the whole process so that scheduling a play never
// allocates. Reset (all records free) each time a session starts.
#include <array>
#include <cstddef>

#include "wavemix/PlayRecord.h"

namespace wavemix {

class PlayPool {
 public:
  static constexpr std::size_t kSize = 100;

  PlayPool() { reset(); }
  void reset();
  // Null when every record is in use.
  PlayRecord* take();
  void give(PlayRecord* record);
  std::size_t freeCount() const;

 private:
  std::array<PlayRecord, kSize> records_{};
  PlayRecord* free_ = nullptr;
};

}  // namespace wavemix
