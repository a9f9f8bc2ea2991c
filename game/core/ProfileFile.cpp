#include "game/core/ProfileFile.h"

#include <cstdint>
#include <algorithm>
#include <limits>
#include <optional>

#include "platform/core/BoundedFile.h"
#include "platform/core/Cp932.h"

namespace game {
namespace {

constexpr int kNameLine = 3;

std::string lineLabel(int line) { return "my.dat の " + std::to_string(line) + " 行目"; }

// The saved integer behind a 1-based line number other than the name line.
std::int32_t& integerField(tmy& p, int line) {
  switch (line) {
    case 1: return p.reserved[0];
    case 2: return p.reserved[1];
    case 18: return p.birthMonth;
    case 19: return p.birthDay;
    case 20: return p.playerSex;
    case 21: return p.readingCount;
    case 22: return p.compatCount;
    default: return p.reserved[static_cast<std::size_t>(line - 2)];  // lines 4–17
  }
}

std::int32_t integerField(const tmy& p, int line) { return integerField(const_cast<tmy&>(p), line); }

enum class NumberStatus { Ok, NotANumber, OutOfRange };

// Skip leading blanks, an optional '-', then decimal digits; the rest of the line is ignored.
NumberStatus parseInteger(std::string_view line, std::int32_t& value) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  bool negative = i < line.size() && line[i] == '-';
  if (negative) ++i;
  if (i >= line.size() || line[i] < '0' || line[i] > '9') return NumberStatus::NotANumber;
  // Accumulate in 64 bits and stop growing once past the 32-bit range, so any number of
  // digits is read without overflow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  bool tooLarge = false;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    if (!tooLarge) magnitude = magnitude * 10 + (line[i] - '0');
    if (magnitude > kLimit) tooLarge = true;
  }
  if (tooLarge || (!negative && magnitude == kLimit)) return NumberStatus::OutOfRange;
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return NumberStatus::Ok;
}

// Splits bytes into lines at LF, dropping one CR before each LF. A final line without LF
// counts; the empty rest after a final LF does not.
std::vector<std::string_view> splitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    std::string_view line = bytes.substr(start, (end == std::string_view::npos ? bytes.size() : end) - start);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = next;
  }
  return lines;
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// CP932 bytes of the name, one character at a time so that a character without a CP932 form,
// or a line break, drops only itself.
std::string nameBytes(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = platform::utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    std::string_view ch = utf8.substr(i, n);
    i += n;
    if (ch == "\r" || ch == "\n") continue;
    auto converted = platform::utf8ToCp932(ch);
    if (!converted) continue;
    if (out.size() + converted->size() > kMaxProfileLineBytes) break;
    out += *converted;
  }
  return out;
}

}  // namespace

std::string encodeProfile(const tmy& p) {
  std::string out;
  for (int line = 1; line <= kProfileLineCount; ++line) {
    if (line == kNameLine)
      out += nameBytes(p.playerName);
    else
      out += std::to_string(integerField(p, line));
    out += "\r\n";
  }
  return out;
}

ProfileDecodeResult decodeProfile(std::string_view bytes, tmy& into) {
  ProfileDecodeResult result;
  auto problem = [&result](std::string text) {
    result.damaged = true;
    result.problems.push_back(std::move(text));
  };
  const std::vector<std::string_view> lines = splitLines(bytes);

  for (int line = 1; line <= kProfileLineCount; ++line) {
    const bool present = static_cast<std::size_t>(line) <= lines.size();
    std::string_view text = present ? lines[static_cast<std::size_t>(line - 1)] : std::string_view{};
    std::optional<std::string> utf8;
    if (present && text.size() > kMaxProfileLineBytes) {
      problem(lineLabel(line) + "が長すぎます。");
    } else if (present) {
      utf8 = platform::cp932ToUtf8(text);
      if (!utf8) problem(lineLabel(line) + "に読めない文字があります。");
    }

    if (line == kNameLine) {
      into.playerName = utf8 ? *utf8 : std::string{};
      continue;
    }
    std::int32_t value = 0;
    if (present && text.size() <= kMaxProfileLineBytes) {
      // Bytes that are not CP932 after a readable number still leave the number usable.
      switch (parseInteger(text, value)) {
        case NumberStatus::Ok: break;
        case NumberStatus::NotANumber:
          value = 0;
          if (utf8) problem(lineLabel(line) + "が数字ではありません。");
          break;
        case NumberStatus::OutOfRange:
          value = 0;
          problem(lineLabel(line) + "の数が大きすぎます。");
          break;
      }
    }
    integerField(into, line) = value;
  }

  if (lines.size() < static_cast<std::size_t>(kProfileLineCount)) {
    problem("my.dat の行が足りません（" + std::to_string(kProfileLineCount) + " 行のうち " +
            std::to_string(lines.size()) + " 行）。");
  } else {
    for (std::size_t i = kProfileLineCount; i < lines.size(); ++i) {
      if (!isBlank(lines[i])) {
        problem("my.dat の " + std::to_string(kProfileLineCount) + " 行目の後に余分な行があります。");
        break;
      }
    }
  }
  return result;
}

int parseNameList(std::string_view bytes, StringTable& into) {
  for (auto& slot : into) slot.clear();
  constexpr std::size_t kLastSlot = 254;
  int namesRead = 0;
  std::size_t start = 0;
  for (std::size_t slot = 0; slot <= kLastSlot && start < bytes.size(); ++slot) {
    const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.size() > kMaxProfileLineBytes) continue;
    if (auto utf8 = platform::cp932ToUtf8(line)) {
      into[slot] = std::move(*utf8);
      ++namesRead;
    }
  }
  return namesRead;
}

NameListResult readNameList(const std::filesystem::path& file, StringTable& into) {
  NameListResult result;
  const platform::BoundedFile read = platform::readBoundedFile(file, kMaxNameListBytes);
  if (!read.ok()) {
    for (auto& slot : into) slot.clear();
    result.reason = read.reason();
    return result;
  }
  result.opened = true;
  result.namesRead = parseNameList(read.text(), into);
  return result;
}

}  // namespace game
