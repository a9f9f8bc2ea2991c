#pragma once
// The one place time is read. The game and the mixer take a Clock so that tests can set
// "today" and move time by hand.
#include <cstdint>

namespace platform {

struct LocalDate {
  int year = 2000;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int weekday = 7;  // 1 = Sunday … 7 = Saturday
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds from an arbitrary origin; wraps modulo 2^32. Monotonic.
  virtual std::uint32_t milliseconds() const = 0;
  // Local wall-clock time, in milliseconds since the Unix epoch.
  virtual std::int64_t wallMilliseconds() const = 0;
  // Today's local date.
  virtual LocalDate today() const = 0;
};

// The real clocks of the machine. Safe to call from any thread.
Clock& systemClock();

// A clock that moves only when told. Not thread-safe: drive it from the test's thread.
class ManualClock final : public Clock {
 public:
  std::uint32_t milliseconds() const override { return ms_; }
  std::int64_t wallMilliseconds() const override { return wallMs_; }
  LocalDate today() const override { return date_; }

  void advance(std::uint32_t ms) {
    ms_ += ms;
    wallMs_ += ms;
  }
  void setMilliseconds(std::uint32_t ms) { ms_ = ms; }
  void setWallMilliseconds(std::int64_t ms) { wallMs_ = ms; }
  void setToday(LocalDate date) { date_ = date; }

 private:
  std::uint32_t ms_ = 0;
  std::int64_t wallMs_ = 0;
  LocalDate date_{};
};

// Weekday (1 = Sunday … 7 = Saturday) of a Gregorian date.
int weekdayOf(int year, int month, int day);

}  // namespace platform
