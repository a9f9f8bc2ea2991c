#pragma once
// Where the game's sound, music and portrait cues go. The form calls these by file name
// (a bare name such as "ok.wav"); the sink decides how to play them. Every implementation
// swallows its own failures: a cue never fails visibly.
#include <string>
#include <vector>

namespace game {

class CueSink {
 public:
  virtual ~CueSink() = default;
  // Load the named wave of the sound folder and play it on mixer channel 0..3.
  virtual void playWave(int channel, const std::string& file) = 0;
  // Start the named tune of the sound folder, or stop the music when name is "not".
  virtual void playMusic(const std::string& name) = 0;
  // Told of every portrait change; the form itself loads the picture.
  virtual void showingFace(const std::string&) {}
  // Start-up: opens the named wave into all five wave slots without playing it.
  virtual void openSlots(const std::string&) {}
  // Shut-down: releases every wave the sink still holds.
  virtual void releaseSlots() {}
};

// Plays nothing.
class SilentCues final : public CueSink {
 public:
  void playWave(int, const std::string&) override {}
  void playMusic(const std::string&) override {}
};

// Remembers every cue in order; for tests.
class CueRecorder final : public CueSink {
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

}  // namespace game
