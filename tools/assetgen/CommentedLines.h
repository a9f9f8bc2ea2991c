#pragma once
// The asset sources' text formats (sound recipes, tune scores), read a line at a time. '#'
// starts a comment only at the start of a word, so that "G#5" stays a note name; a line
// that holds no word is passed over.
#include <sstream>
#include <string>

namespace assetgen {

class CommentedLines {
 public:
  explicit CommentedLines(const std::string& text) : lines_(text) {}
  // Moves to the next line that holds a word and reads that word, the command; false at the end.
  bool next();
  const std::string& command() const { return command_; }
  // The current line's words after the command.
  std::istringstream& words() { return words_; }
  int lineNumber() const { return lineNumber_; }  // from 1

 private:
  std::istringstream lines_;
  std::istringstream words_;
  std::string command_;
  int lineNumber_ = 0;
};

}  // namespace assetgen
