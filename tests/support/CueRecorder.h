#pragma once
// A cue sink that remembers every cue in order and plays nothing.
#include <string>
#include <vector>

#include "game/core/CueSink.h"

namespace testing_support {

class CueRecorder final : public game::CueSink {
 public:
  struct Cue {
    std::string kind;  // "wave", "music" or "face"
    int channel = -1;  // wave cues only
    std::string name;
    bool operator==(const Cue&) const = default;
  };
  void playWave(int channel, const std::string& file) override {
    cues.push_back({"wave", channel, file});
  }
  void playMusic(const std::string& name) override { cues.push_back({"music", -1, name}); }
  void showingFace(const std::string& file) override { cues.push_back({"face", -1, file}); }
  std::vector<Cue> cues;
};

}  // namespace testing_support
