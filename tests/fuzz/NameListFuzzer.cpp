// name.dat's reader on arbitrary bytes: no crash, no sanitizer report, and never more names
// than slots it may fill (0–254).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/core/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static game::StringTable names;
  const int read = game::parseNameList(std::string_view(reinterpret_cast<const char*>(data), size), names);
  int filled = 0;
  for (const std::string& name : names) filled += name.empty() ? 0 : 1;
  if (read < 0 || read > 255 || !names[255].empty() || filled != read) {
    std::abort();
  }
  return 0;
}
