#include "tools/assetgen/TuneScore.h"

#include "tools/assetgen/CommentedLines.h"
#include "tools/assetgen/NoteName.h"

#include <sstream>
#include <stdexcept>

namespace assetgen {
namespace {

[[noreturn]] void fail(int lineNumber, const std::string& what) {
  throw std::runtime_error("score line " + std::to_string(lineNumber) + ": " + what);
}

int lengthTicks(const std::string& code) {
  std::string base = code;
  bool dotted = false;
  if (base.size() == 2 && base[0] == 'd') dotted = true, base = base.substr(1);
  int ticks = 0;
  if (base == "w") ticks = 4 * TuneScore::kTicksPerQuarter;
  else if (base == "h") ticks = 2 * TuneScore::kTicksPerQuarter;
  else if (base == "q") ticks = TuneScore::kTicksPerQuarter;
  else if (base == "e") ticks = TuneScore::kTicksPerQuarter / 2;
  else if (base == "s") ticks = TuneScore::kTicksPerQuarter / 4;
  else throw std::invalid_argument("bad note length " + code);
  return dotted ? ticks * 3 / 2 : ticks;
}

}  // namespace

Chord TuneScore::parseChord(const std::string& name) {
  if (name.empty()) throw std::invalid_argument("empty chord");
  const auto key = NoteName::midiKey(name.substr(0, name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1) + "4");
  if (!key) throw std::invalid_argument("bad chord root in " + name);
  const std::string quality = name.substr(name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1);
  Chord chord;
  chord.root = *key % 12;
  if (quality.empty()) chord.intervals = {0, 4, 7};
  else if (quality == "m") chord.intervals = {0, 3, 7};
  else if (quality == "7") chord.intervals = {0, 4, 7, 10};
  else if (quality == "m7") chord.intervals = {0, 3, 7, 10};
  else if (quality == "dim") chord.intervals = {0, 3, 6};
  else if (quality == "dim7") chord.intervals = {0, 3, 6, 9};
  else if (quality == "sus4") chord.intervals = {0, 5, 7};
  else throw std::invalid_argument("unknown chord quality in " + name);
  return chord;
}

TuneScore TuneScore::parse(const std::string& text) {
  TuneScore score;
  std::string current;  // the section being read
  std::map<std::string, int> melodyTicks;  // per section, checked against bar lines
  CommentedLines lines(text);
  while (lines.next()) {
    const int lineNumber = lines.lineNumber();
    const std::string& command = lines.command();
    std::istringstream& words = lines.words();
    try {
      if (command == "tempo") {
        if (!(words >> score.tempo) || score.tempo <= 0) fail(lineNumber, "bad tempo");
      } else if (command == "beats") {
        if (!(words >> score.beats) || score.beats <= 0) fail(lineNumber, "bad beats");
      } else if (command == "part") {
        ScorePart part;
        words >> part.role;
        std::string kv;
        while (words >> kv) {
          const auto eq = kv.find('=');
          if (eq == std::string::npos) fail(lineNumber, "expected key=value: " + kv);
          const std::string k = kv.substr(0, eq);
          const int v = std::stoi(kv.substr(eq + 1));
          if (k == "channel") part.channel = v;
          else if (k == "program") part.program = v;
          else if (k == "volume") part.volume = v;
          else if (k == "pan") part.pan = v;
          else fail(lineNumber, "unknown part setting " + k);
        }
        score.parts.push_back(part);
      } else if (command == "section") {
        if (!(words >> current)) fail(lineNumber, "section without a name");
        score.sections[current];
      } else if (command == "chords" || command == "melody") {
        if (current.empty()) fail(lineNumber, command + " outside a section");
        ScoreSection& section = score.sections[current];
        std::string token;
        while (words >> token) {
          if (command == "chords") {
            section.chords.push_back(parseChord(token));
          } else if (token == "|") {
            if (melodyTicks[current] % score.ticksPerBar() != 0)
              fail(lineNumber, "bar line inside a bar in section " + current);
          } else {
            const auto slash = token.find('/');
            if (slash == std::string::npos) fail(lineNumber, "note without a length: " + token);
            const std::string pitch = token.substr(0, slash);
            MelodyNote note;
            note.ticks = lengthTicks(token.substr(slash + 1));
            if (pitch != "r") {
              const auto key = NoteName::midiKey(pitch);
              if (!key) fail(lineNumber, "bad note " + pitch);
              note.key = *key;
            }
            melodyTicks[current] += note.ticks;
            section.melody.push_back(note);
          }
        }
      } else if (command == "form") {
        std::string name;
        while (words >> name) score.form.push_back(name);
      } else {
        fail(lineNumber, "unknown command " + command);
      }
    } catch (const std::invalid_argument& e) {
      fail(lineNumber, e.what());
    } catch (const std::out_of_range& e) {
      fail(lineNumber, e.what());
    }
  }
  for (const auto& [name, section] : score.sections)
    if (melodyTicks[name] != static_cast<int>(section.chords.size()) * score.ticksPerBar())
      throw std::runtime_error("score: the melody of section " + name + " does not fill its " +
                               std::to_string(section.chords.size()) + " bars");
  for (const std::string& name : score.form)
    if (!score.sections.count(name)) throw std::runtime_error("score: form names unknown section " + name);
  return score;
}

}  // namespace assetgen
