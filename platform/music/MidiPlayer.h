#pragma once
// The hidden media player that plays the background tune: a file name, open, play once,
// stop. It never shows itself and ignores its own notifications: a tune that ends is not
// repeated.
//
// Contract: open() closes the tune it had open, then opens FileName; play() and stop()
// with nothing open throw MediaDeviceError(kNoMediaDeviceText). A failed open leaves
// nothing open. GUI thread only.
#include <filesystem>
#include <memory>

#include "platform/music/MediaDeviceError.h"
#include "platform/music/MidiSynth.h"

namespace platform {

class MidiPlayer {
 public:
  explicit MidiPlayer(std::unique_ptr<MidiSynth> synth);
  ~MidiPlayer();
  MidiPlayer(const MidiPlayer&) = delete;
  MidiPlayer& operator=(const MidiPlayer&) = delete;

  void setFileName(const std::filesystem::path& path) { fileName_ = path; }
  const std::filesystem::path& fileName() const { return fileName_; }

  void open();
  void play();
  void stop();
  void close();
  bool isOpen() const { return open_; }

 private:
  void requireOpen() const;

  std::unique_ptr<MidiSynth> synth_;
  std::filesystem::path fileName_;
  bool open_ = false;
};

}  // namespace platform
