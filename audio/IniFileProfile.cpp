#include "audio/IniFileProfile.h"

#include <ini.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/core/AppPaths.h"
#include "platform/core/BoundedFile.h"

namespace platform {
namespace {

constexpr const char* kIniFileName = "WAVEMIX.INI";
// A settings file is a few hundred bytes; anything past this is not one.
constexpr std::size_t kMaxIniFileBytes = 256 * 1024;

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
  const BoundedFile read = readBoundedFile(path, kMaxIniFileBytes);
  if (!read.ok()) {
    // A missing file is an ordinary way to ask for every default; anything else is trouble
    // the user should hear of.
    if (read.status != BoundedFile::Status::CannotOpen || read.error != ENOENT)
      warnAboutFile(path, "cannot be read (" + read.reason() + "); the default settings are used");
    return profile;
  }
  return fromBytes(read.text(), path);
}

IniFileProfile IniFileProfile::fromBytes(std::string_view bytes, const std::filesystem::path& path) {
  IniFileProfile profile;
  // A NUL byte (a binary file, UTF-16 text) would end the text early: such a file is not
  // settings at all.
  if (bytes.find('\0') != std::string_view::npos) {
    warnAboutFile(path, "is not a text file (UTF-16 or binary); the default settings are used");
    return profile;
  }
  const std::string text(bytes);
  const int firstBadLine = ini_parse_string(text.c_str(), &IniFileProfile::onEntry, &profile);
  profile.loaded_ = true;
  if (firstBadLine > 0) {
    warnAboutFile(path, "line " + std::to_string(firstBadLine) +
                            " cannot be parsed; such lines are skipped and their settings keep their defaults");
  } else if (firstBadLine < 0) {
    warnAboutFile(path, "cannot be parsed; the default settings are used");
  }
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
  // Anything by that name counts, so that a folder or a pipe in a file's place is reported
  // (and refused) when it is read instead of being passed over without a word.
  std::error_code error;
  if (auto besideProgram = executableDir() / kIniFileName; std::filesystem::exists(besideProgram, error))
    return besideProgram;
  if (auto inConfig = userConfigHome() / kIniFileName; std::filesystem::exists(inConfig, error))
    return inConfig;
  return {};
}

std::unique_ptr<ProfileIni> loadWaveMixIni() {
  const std::filesystem::path path = locateWaveMixIni();
  if (path.empty()) return std::make_unique<IniFileProfile>();
  return std::make_unique<IniFileProfile>(IniFileProfile::fromFile(path));
}

}  // namespace platform
