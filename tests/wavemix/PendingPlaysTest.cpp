// The mixWait list: oldest first through the session's tail, whatever is taken or put back.
#include <gtest/gtest.h>

#include "wavemix/PendingPlays.h"

namespace wavemix {
namespace {

TEST(PendingPlaysTest, TakesInArrivalOrderAndCountsWhatIsLeft) {
  PlayRecord records[3];
  PlayRecord* tail = nullptr;
  PendingPlays pending(tail);
  EXPECT_EQ(pending.size(), 0u);
  EXPECT_EQ(pending.takeOldest(), nullptr);
  for (PlayRecord& record : records) pending.append(&record);
  EXPECT_EQ(tail, &records[2]);
  EXPECT_EQ(pending.size(), 3u);
  PlayRecord* first = pending.takeOldest();
  EXPECT_EQ(first, &records[0]);
  EXPECT_EQ(first->next, nullptr);
  pending.append(first);  // put back: now the newest
  EXPECT_EQ(pending.takeOldest(), &records[1]);
  EXPECT_EQ(pending.takeOldest(), &records[2]);
  EXPECT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending.takeOldest(), &records[0]);
  EXPECT_EQ(tail, nullptr);
  EXPECT_EQ(pending.size(), 0u);
}

}  // namespace
}  // namespace wavemix
