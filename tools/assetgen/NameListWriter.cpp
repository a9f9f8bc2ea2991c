#include "tools/assetgen/NameListWriter.h"

#include "platform/core/Cp932.h"

#include <cstring>
#include <sstream>
#include <stdexcept>

namespace assetgen {

std::vector<std::string> NameListWriter::readNames(const std::string& source) {
  std::vector<std::string> names;
  std::istringstream lines(source);
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    names.push_back(line);
  }
  return names;
}

std::string NameListWriter::encode(const std::vector<std::string>& names, std::size_t expectedCount) {
  if (names.size() != expectedCount)
    throw std::runtime_error("name list holds " + std::to_string(names.size()) + " names, expected " +
                             std::to_string(expectedCount));
  std::string out;
  for (const std::string& name : names) {
    if (name.size() < 2 || name.size() > 9) throw std::runtime_error("name length out of 2..9: " + name);
    std::string fullWidth;
    for (char c : name) {
      if (c == '\0' || !std::strchr(kAlphabet, c)) throw std::runtime_error("letter outside the tiles in " + name);
      // U+FF21 FULLWIDTH LATIN CAPITAL LETTER A onwards, as UTF-8 (EF BC A1 …).
      const unsigned code = 0xFF21u + static_cast<unsigned>(c - 'A');
      fullWidth += static_cast<char>(0xE0 | (code >> 12));
      fullWidth += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      fullWidth += static_cast<char>(0x80 | (code & 0x3F));
    }
    const auto cp932 = platform::utf8ToCp932(fullWidth);
    if (!cp932) throw std::runtime_error("name has no CP932 form: " + name);
    out += *cp932;
    out += "\r\n";
  }
  return out;
}

}  // namespace assetgen
