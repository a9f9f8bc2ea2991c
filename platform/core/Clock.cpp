#include "platform/core/Clock.h"

#include <chrono>
#include <ctime>

namespace platform {
namespace {

class SystemClock final : public Clock {
 public:
  std::uint32_t milliseconds() const override {
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
  }
  std::int64_t wallMilliseconds() const override {
    auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  }
  LocalDate today() const override {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday + 1};
  }
};

}  // namespace

Clock& systemClock() {
  static SystemClock clock;
  return clock;
}

int weekdayOf(int year, int month, int day) {
  // Sakamoto's method: 0 = Sunday.
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  int w = (year + year / 4 - year / 100 + year / 400 + offsets[(month - 1) % 12] + day) % 7;
  return w + 1;
}

}  // namespace platform
