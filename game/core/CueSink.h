#pragma once
// Where the game's sound, music and portrait cues go. The form calls these by file name
// (a bare name such as "ok.wav"); the sink decides how to play them. Every implementation
// swallows its own failures: a cue never fails visibly.
#include <string>

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

}  // namespace game
