#pragma once
// The byte formats of dat/my.dat (the saved profile) and dat/name.dat (the name list).
//
// my.dat is exactly 22 lines, each ended by CR LF, in CP932:
//   lines 1, 2      reserved[0], reserved[1]
//   line 3          playerName, raw CP932 bytes (an empty line for no name)
//   lines 4–17      reserved[2] … reserved[15]
//   lines 18–22     birthMonth, birthDay, playerSex, readingCount, compatCount
// Integers are plain decimal, "-" before a negative value, no padding. A file this module
// writes decodes to the same fields and encodes back to the same bytes.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "game/core/Profile.h"
#include "game/core/Tables.h"

namespace game {

inline constexpr int kProfileLineCount = 22;
// A line longer than this (without its line end) is damage, not data: no saved field needs
// more than a few dozen bytes.
inline constexpr std::size_t kMaxProfileLineBytes = 1024;

// The 22 lines of my.dat for the saved fields of p. The name is written as its CP932 form;
// characters that have none, and CR or LF (which would break the line layout), are left out,
// and the name is cut (never inside a character) to kMaxProfileLineBytes.
std::string encodeProfile(const tmy& p);

struct ProfileDecodeResult {
  bool damaged = false;
  std::vector<std::string> problems;  // short Japanese texts for the player, one per fault
};

// Reads my.dat's bytes into the saved fields of `into` (and only those). Each integer line
// is read as: skip leading blanks, an optional '-', decimal digits, ignore the rest of the
// line. Lines may end in CR LF or LF; the last line may lack its line end.
//
// Damage — fewer than 22 lines, an integer line without a number or with one outside the
// 32-bit range, a line over kMaxProfileLineBytes, bytes that are not CP932, or further
// non-blank lines after line 22 — marks the result damaged with a problem text per fault.
// Whatever could be read is kept; every field that could not is set to zero (the empty name).
ProfileDecodeResult decodeProfile(std::string_view bytes, tmy& into);

struct NameListResult {
  bool opened = false;
  int namesRead = 0;   // slots that received a non-empty name
  std::string reason;  // why it was not read, as the system words it, when not opened
};

// The largest name.dat read: 255 lines of at most kMaxProfileLineBytes each, with room to
// spare. A larger file (or one that never ends, such as a link to /dev/zero) is refused
// like a missing one.
inline constexpr std::size_t kMaxNameListBytes = std::size_t{1} << 20;

// Fills `into` from name.dat's bytes as readNameList does; returns the names read.
int parseNameList(std::string_view bytes, StringTable& into);

// Reads name.dat into `into`: line k (from 1) goes to slot k−1, converted from CP932 to UTF-8;
// lines may end in CR LF or LF; lines past slot 254 are ignored. Every slot is cleared first,
// so missing lines, and lines that are not CP932 or longer than kMaxProfileLineBytes, leave
// empty slots. A file that cannot be read (missing, not a regular file such as a folder or a
// pipe, or over kMaxNameListBytes) leaves every slot empty, opened false and the reason.
NameListResult readNameList(const std::filesystem::path& file, StringTable& into);

}  // namespace game
