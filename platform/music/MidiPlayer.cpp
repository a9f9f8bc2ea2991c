#include "platform/music/MidiPlayer.h"

namespace platform {

MidiPlayer::MidiPlayer(std::unique_ptr<MidiSynth> synth) : synth_(std::move(synth)) {}

MidiPlayer::~MidiPlayer() {
  try {
    close();
  } catch (...) {
    // A destructor must not throw; the synth is going away anyway.
  }
}

void MidiPlayer::open() {
  close();
  synth_->load(fileName_);  // throws: nothing stays open
  open_ = true;
}

void MidiPlayer::play() {
  requireOpen();
  synth_->play();
}

void MidiPlayer::stop() {
  requireOpen();
  synth_->stop();
}

void MidiPlayer::close() {
  if (!open_) return;
  open_ = false;
  synth_->unload();
}

void MidiPlayer::requireOpen() const {
  if (!open_) throw MediaDeviceError(kNoMediaDeviceText);
}

}  // namespace platform
