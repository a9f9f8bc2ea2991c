#include "wavemix/PriorityInheritingMutex.h"

#include <cstdio>
#include <cstdlib>

namespace wavemix {

namespace {

bool initMutex(pthread_mutex_t& mutex, bool inherit) {
  pthread_mutexattr_t attributes;
  if (pthread_mutexattr_init(&attributes) != 0) return false;
  bool ok = !inherit || pthread_mutexattr_setprotocol(&attributes, PTHREAD_PRIO_INHERIT) == 0;
  ok = ok && pthread_mutex_init(&mutex, &attributes) == 0;
  pthread_mutexattr_destroy(&attributes);
  return ok;
}

[[noreturn]] void fail(const char* what, int error) {
  // A lock that cannot be taken or given back leaves the mixer's state unguarded; going on
  // would corrupt it silently.
  std::fprintf(stderr, "wavemix: the mixer lock failed to %s (error %d)\n", what, error);
  std::abort();
}

}  // namespace

PriorityInheritingMutex::PriorityInheritingMutex() {
  // The attribute can be accepted and the first lock still refused (ENOSYS, EPERM) by a
  // kernel or sandbox without priority-inheriting futexes: try it once before relying on it.
  if (initMutex(mutex_, true)) {
    if (pthread_mutex_lock(&mutex_) == 0) {
      pthread_mutex_unlock(&mutex_);
      inherits_ = true;
      return;
    }
    pthread_mutex_destroy(&mutex_);
  }
  if (!initMutex(mutex_, false)) fail("initialise", 0);
}

PriorityInheritingMutex::~PriorityInheritingMutex() { pthread_mutex_destroy(&mutex_); }

void PriorityInheritingMutex::lock() {
  if (const int error = pthread_mutex_lock(&mutex_); error != 0) fail("lock", error);
}

bool PriorityInheritingMutex::try_lock() { return pthread_mutex_trylock(&mutex_) == 0; }

void PriorityInheritingMutex::unlock() {
  if (const int error = pthread_mutex_unlock(&mutex_); error != 0) fail("unlock", error);
}

}  // namespace wavemix
