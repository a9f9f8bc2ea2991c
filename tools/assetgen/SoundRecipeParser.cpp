#include "tools/assetgen/CommentedLines.h"
#include "tools/assetgen/NoteName.h"
#include "tools/assetgen/SoundRecipe.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace assetgen {
namespace {

[[noreturn]] void fail(int lineNumber, const std::string& what) {
  throw std::runtime_error("sound recipe line " + std::to_string(lineNumber) + ": " + what);
}

double number(int lineNumber, const std::string& key, const std::string& value) {
  try {
    std::size_t used = 0;
    const double v = std::stod(value, &used);
    if (used != value.size()) throw std::invalid_argument(value);
    return v;
  } catch (const std::exception&) {
    fail(lineNumber, "bad number for " + key + ": " + value);
  }
}

double frequency(int lineNumber, const std::string& key, const std::string& value) {
  if (!value.empty() && value[0] >= 'A' && value[0] <= 'G') {
    const auto midi = NoteName::midiKey(value);
    if (!midi) fail(lineNumber, "bad note name " + value);
    return NoteName::frequency(*midi);
  }
  return number(lineNumber, key, value);
}

std::map<std::string, std::string> keyValues(int lineNumber, std::istringstream& words) {
  std::map<std::string, std::string> out;
  std::string word;
  while (words >> word) {
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) fail(lineNumber, "expected key=value, got " + word);
    out[word.substr(0, eq)] = word.substr(eq + 1);
  }
  return out;
}

VoiceKind voiceKind(int lineNumber, const std::string& name) {
  static const std::map<std::string, VoiceKind> kinds = {
      {"sine", VoiceKind::Sine}, {"square", VoiceKind::Square}, {"triangle", VoiceKind::Triangle},
      {"saw", VoiceKind::Saw},   {"noise", VoiceKind::Noise},   {"pluck", VoiceKind::Pluck}};
  const auto it = kinds.find(name);
  if (it == kinds.end()) fail(lineNumber, "unknown voice kind " + name);
  return it->second;
}

}  // namespace

std::vector<SoundRecipe> SoundRecipeParser::parse(const std::string& text) {
  std::vector<SoundRecipe> recipes;
  CommentedLines lines(text);
  while (lines.next()) {
    const int lineNumber = lines.lineNumber();
    const std::string& command = lines.command();
    std::istringstream& words = lines.words();
    if (command == "wave") {
      SoundRecipe recipe;
      if (!(words >> recipe.fileName)) fail(lineNumber, "wave without a file name");
      for (const auto& [key, value] : keyValues(lineNumber, words)) {
        if (key == "bits") recipe.format.bitsPerSample = static_cast<int>(number(lineNumber, key, value));
        else if (key == "channels") recipe.format.channels = static_cast<int>(number(lineNumber, key, value));
        else if (key == "rate") recipe.format.sampleRate = static_cast<int>(number(lineNumber, key, value));
        else if (key == "peak") recipe.peak = number(lineNumber, key, value);
        else if (key == "length") recipe.length = number(lineNumber, key, value);
        else fail(lineNumber, "unknown wave setting " + key);
      }
      recipes.push_back(std::move(recipe));
    } else if (command == "voice") {
      if (recipes.empty()) fail(lineNumber, "voice before any wave");
      std::string kindName;
      words >> kindName;
      Voice v;
      v.kind = voiceKind(lineNumber, kindName);
      bool endFreqGiven = false;
      for (const auto& [key, value] : keyValues(lineNumber, words)) {
        if (key == "t") v.start = number(lineNumber, key, value);
        else if (key == "d") v.duration = number(lineNumber, key, value);
        else if (key == "f") v.freq = frequency(lineNumber, key, value);
        else if (key == "g") v.endFreq = frequency(lineNumber, key, value), endFreqGiven = true;
        else if (key == "a") v.amp = number(lineNumber, key, value);
        else if (key == "at") v.attack = number(lineNumber, key, value);
        else if (key == "dc") v.decay = number(lineNumber, key, value);
        else if (key == "rl") v.release = number(lineNumber, key, value);
        else if (key == "pan") v.pan = number(lineNumber, key, value);
        else if (key == "lp") v.lowpass = number(lineNumber, key, value);
        else if (key == "vib") v.vibrato = number(lineNumber, key, value);
        else if (key == "vr") v.vibratoRate = number(lineNumber, key, value);
        else if (key == "fb") v.feedback = number(lineNumber, key, value);
        else fail(lineNumber, "unknown voice setting " + key);
      }
      if (!endFreqGiven) v.endFreq = v.freq;
      if (v.duration <= 0 || v.freq <= 0 || v.endFreq <= 0) fail(lineNumber, "duration and frequencies must be positive");
      recipes.back().voices.push_back(v);
    } else {
      fail(lineNumber, "unknown command " + command);
    }
  }
  return recipes;
}

}  // namespace assetgen
