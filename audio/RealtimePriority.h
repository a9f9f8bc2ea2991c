#pragma once
// Real-time scheduling for audio threads, as desktop audio clients ask for it.
#include <functional>

namespace platform {

// Asks for SCHED_FIFO at a low real-time priority for the calling thread. Granted when
// RLIMIT_RTPRIO allows it or the process has the privilege; returns false and leaves the
// thread as it was when refused. The thread must never spin or wait on a normal-priority
// thread for long. Unless inheritable, threads and processes it creates start as normal
// ones (SCHED_RESET_ON_FORK).
bool requestRealtimePriority(bool inheritable = false);

// Runs work on a short-lived real-time thread and waits for it: threads that work creates
// (an audio library's client thread) inherit the priority. Without the grant it simply runs
// on a normal thread.
void runOnRealtimeThread(const std::function<void()>& work);

}  // namespace platform
