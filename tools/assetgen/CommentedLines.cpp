#include "tools/assetgen/CommentedLines.h"

namespace assetgen {

bool CommentedLines::next() {
  std::string line;
  while (std::getline(lines_, line)) {
    ++lineNumber_;
    for (std::size_t i = 0; i < line.size(); ++i)
      if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
        line.resize(i);
        break;
      }
    words_.clear();
    words_.str(line);
    if (words_ >> command_) return true;
  }
  return false;
}

}  // namespace assetgen
