#pragma once
// A private profile file read with inih. Section and key names compare without regard to
// ASCII case; when a key occurs twice in a section the first occurrence counts. Values are
// kept as text and read as integers on demand (leadingInteger).
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "audio/ProfileIni.h"

namespace platform {

class IniFileProfile final : public ProfileIni {
 public:
  // An empty profile: every lookup gives the caller's default.
  IniFileProfile() = default;

  // Reads a file; a missing or unreadable file gives an empty profile (loaded() false).
  // Only a regular file of a few hundred KB at most is read. Trouble other than a missing
  // file (a folder, a pipe, a binary or UTF-16 file, a line that cannot be parsed) writes
  // one line naming the file to standard error; the settings it could not give keep their
  // defaults.
  static IniFileProfile fromFile(const std::filesystem::path& path);
  // The bytes of a file `path` as fromFile reads them, with the same lines on trouble.
  static IniFileProfile fromBytes(std::string_view bytes, const std::filesystem::path& path);
  static IniFileProfile fromText(const std::string& text);

  // Missing section or key: defaultValue. Present key: leadingInteger of its text.
  int getInt(const std::string& section, const std::string& key, int defaultValue) const override;

  // True when a file or text was parsed (even if it had malformed lines, which are skipped).
  bool loaded() const { return loaded_; }

  // The classic profile integer rule: leading blanks skipped, an optional '+' or '-', then
  // decimal digits up to the first non-digit; no digits at all reads as 0. Values beyond
  // the int range are clamped to it.
  static int leadingInteger(std::string_view text);

 private:
  static int onEntry(void* user, const char* section, const char* name, const char* value);

  std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-case names
  bool loaded_ = false;
};

// The path of "WAVEMIX.INI": $WAVEMIX_INI when set and non-empty (used even if the file is
// missing, so a caller can force every default), else "WAVEMIX.INI" beside the executable
// if anything of that name exists, else $XDG_CONFIG_HOME/WAVEMIX.INI (~/.config when unset)
// if anything of that name exists, else an empty path.
std::filesystem::path locateWaveMixIni();

// The mixer's configuration: the file locateWaveMixIni() names, or an empty profile.
std::unique_ptr<ProfileIni> loadWaveMixIni();

}  // namespace platform
