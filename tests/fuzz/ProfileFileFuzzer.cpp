// my.dat's reader on arbitrary bytes. Besides crashes and sanitizer reports, a fault is a
// profile that, written back, does not read again as a whole undamaged file with the same
// numbers: what the game saves after reading a damaged file must be a good one.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "game/core/ProfileFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  game::tmy read;
  game::decodeProfile(std::string_view(reinterpret_cast<const char*>(data), size), read);
  game::tmy again;
  const game::ProfileDecodeResult second = game::decodeProfile(game::encodeProfile(read), again);
  if (second.damaged || again.reserved != read.reserved || again.birthMonth != read.birthMonth ||
      again.birthDay != read.birthDay || again.playerSex != read.playerSex ||
      again.readingCount != read.readingCount || again.compatCount != read.compatCount) {
    std::abort();
  }
  return 0;
}
