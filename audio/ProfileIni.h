#pragma once
// Integers from a private profile (INI) file, read with the classic rules: section and key
// names compare case-insensitively, a value reads as its leading decimal integer (optional
// sign), and a missing file, section, key or number gives the caller's default.
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

class ProfileIni {
 public:
  virtual ~ProfileIni() = default;
  virtual int getInt(const std::string& section, const std::string& key, int defaultValue) const = 0;
};

}  // namespace platform
