#include "platform/core/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// One descriptor per direction and thread: iconv descriptors are not thread-safe, and
// opening one costs far more than converting a line (name.dat converts 255 of them, a
// name is written one character at a time). Closed when the thread ends.
struct Descriptor {
  iconv_t cd;
  Descriptor(const char* to, const char* from) : cd(iconv_open(to, from)) {}
  ~Descriptor() {
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
};

enum class Direction { ToCp932, ToUtf8 };

iconv_t descriptor(Direction direction) {
  thread_local Descriptor toCp932("CP932", "UTF-8");
  thread_local Descriptor toUtf8("UTF-8", "CP932");
  return direction == Direction::ToCp932 ? toCp932.cd : toUtf8.cd;
}

std::optional<std::string> convert(Direction direction, std::string_view in) {
  iconv_t cd = descriptor(direction);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  std::string out;
  out.resize(in.size() * 2 + 8);
  char* inPtr = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  bool ok = true;
  while (inLeft > 0) {
    std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (r == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) {
        std::size_t used = out.size() - outLeft;
        out.resize(out.size() * 2);
        outPtr = out.data() + used;
        outLeft = out.size() - used;
        continue;
      }
      ok = false;  // EILSEQ or EINVAL: invalid or truncated input
      break;
    }
    if (r != 0) {  // irreversible conversions mean a character had no exact counterpart
      ok = false;
      break;
    }
  }
  if (!ok) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::size_t cp932CharLength(std::string_view utf8Char) {
  auto converted = utf8ToCp932(utf8Char);
  return converted ? converted->size() : 2;
}

}  // namespace

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  return convert(Direction::ToCp932, utf8);
}

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
  return convert(Direction::ToUtf8, cp932);
}

std::size_t utf8SequenceLength(unsigned char c) {
  if (c < 0x80) return 1;
  if ((c >> 5) == 0x6) return 2;
  if ((c >> 4) == 0xE) return 3;
  if ((c >> 3) == 0x1E) return 4;
  return 1;
}

std::size_t cp932Length(std::string_view utf8) {
  if (auto whole = utf8ToCp932(utf8)) return whole->size();
  std::size_t total = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t n = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    total += cp932CharLength(utf8.substr(i, n));
    i += n;
  }
  return total;
}

std::string cp932Prefix(std::string_view utf8, std::size_t maxBytes) {
  std::size_t bytes = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    std::size_t n = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
    std::size_t w = cp932CharLength(utf8.substr(i, n));
    if (bytes + w > maxBytes) break;
    bytes += w;
    i += n;
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace platform
