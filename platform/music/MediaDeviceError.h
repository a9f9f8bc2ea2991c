#pragma once
// The media player's failure: a command the device refused, with the device's own text.
#include <stdexcept>
#include <string>

namespace platform {

class MediaDeviceError : public std::runtime_error {
 public:
  explicit MediaDeviceError(const std::string& text) : std::runtime_error(text) {}
};

// The text of a stop or play on a player that has no device open.
inline constexpr const char* kNoMediaDeviceText = "MCI ﾃﾞﾊﾞｲｽがありません";

}  // namespace platform
