#include "platform/audio/IniFileProfile.h"

#include <ini.h>

#include <cctype>
#include <climits>
#include <cstdlib>

#include "platform/core/AppPaths.h"

namespace platform {
namespace {

constexpr const char* kIniFileName = "WAVEMIX.INI";

std::string lowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lowered;
}

}  // namespace

int IniFileProfile::onEntry(void* user, const char* section, const char* name, const char* value) {
  auto* self = static_cast<IniFileProfile*>(user);
  // emplace keeps the first value of a repeated key.
  self->sections_[lowerAscii(section)].emplace(lowerAscii(name), value ? value : "");
  return 1;
}

IniFileProfile IniFileProfile::fromFile(const std::filesystem::path& path) {
  IniFileProfile profile;
  // ini_parse gives -1 when the file cannot be opened, a line number for a malformed line.
  profile.loaded_ = ini_parse(path.c_str(), &IniFileProfile::onEntry, &profile) != -1;
  return profile;
}

IniFileProfile IniFileProfile::fromText(const std::string& text) {
  IniFileProfile profile;
  ini_parse_string(text.c_str(), &IniFileProfile::onEntry, &profile);
  profile.loaded_ = true;
  return profile;
}

int IniFileProfile::getInt(const std::string& section, const std::string& key, int defaultValue) const {
  const auto sectionIt = sections_.find(lowerAscii(section));
  if (sectionIt == sections_.end()) return defaultValue;
  const auto keyIt = sectionIt->second.find(lowerAscii(key));
  if (keyIt == sectionIt->second.end()) return defaultValue;
  return leadingInteger(keyIt->second);
}

int IniFileProfile::leadingInteger(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  long long magnitude = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    magnitude = magnitude * 10 + (text[at] - '0');
    if (magnitude > static_cast<long long>(INT_MAX) + 1) magnitude = static_cast<long long>(INT_MAX) + 1;
  }
  const long long value = negative ? -magnitude : magnitude;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

std::filesystem::path locateWaveMixIni() {
  if (const char* chosen = std::getenv("WAVEMIX_INI"); chosen && *chosen) return chosen;
  std::error_code error;
  if (auto besideProgram = executableDir() / kIniFileName; std::filesystem::is_regular_file(besideProgram, error))
    return besideProgram;
  if (auto inConfig = userConfigHome() / kIniFileName; std::filesystem::is_regular_file(inConfig, error))
    return inConfig;
  return {};
}

std::unique_ptr<ProfileIni> loadWaveMixIni() {
  const std::filesystem::path path = locateWaveMixIni();
  if (path.empty()) return std::make_unique<IniFileProfile>();
  return std::make_unique<IniFileProfile>(IniFileProfile::fromFile(path));
}

}  // namespace platform
