#include "audio/RealtimePriority.h"

#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <thread>

namespace platform {

bool requestRealtimePriority(bool inheritable) {
  sched_param param{};
  param.sched_priority = std::clamp(sched_get_priority_min(SCHED_FIFO) + 9, 1, 99);
  const int policy = inheritable ? SCHED_FIFO : SCHED_FIFO | SCHED_RESET_ON_FORK;
  return pthread_setschedparam(pthread_self(), policy, &param) == 0;
}

void runOnRealtimeThread(const std::function<void()>& work) {
  std::thread([&work] {
    requestRealtimePriority(true);
    work();
  }).join();
}

}  // namespace platform
