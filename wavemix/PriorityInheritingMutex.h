#pragma once
// A mutex whose holder, while a higher-priority thread waits for it, runs at that thread's
// priority (POSIX priority inheritance). The mixer lock is one: the real-time pump thread may
// wait for it while the GUI thread holds it, and without inheritance any ordinary busy thread
// could keep the GUI thread, and so the pump, from running for as long as it likes.
//
// Not recursive. Where the kernel offers no priority-inheriting futexes (some containers),
// it is an ordinary mutex. Meets the standard Lockable requirements (std::lock_guard).
#include <pthread.h>

namespace wavemix {

class PriorityInheritingMutex {
 public:
  PriorityInheritingMutex();
  ~PriorityInheritingMutex();
  PriorityInheritingMutex(const PriorityInheritingMutex&) = delete;
  PriorityInheritingMutex& operator=(const PriorityInheritingMutex&) = delete;

  void lock();
  bool try_lock();
  void unlock();
  // Whether the mutex did get priority inheritance.
  bool inherits() const { return inherits_; }

 private:
  pthread_mutex_t mutex_;
  bool inherits_ = false;
};

}  // namespace wavemix
