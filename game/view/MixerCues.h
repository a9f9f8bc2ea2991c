#pragma once
// The cues on real devices: waves through the mixer component WaveMix1 (device open,
// channels 0..4 open), the background tune through the hidden media player mid_p.
//
// Wave slots: soundSlot0..soundSlot3 hold the wave most recently opened for channels 0..3,
// soundSlot4 the start-up wave that is never played. A wave pushed out of its slot is not
// freed at once (it may still be playing or queued on its channel): every play asks for an
// end notice, and a wave is freed when it is out of every slot and its last play has
// ended. What is heard is unchanged; memory stays flat over a long session.
//
// Failures: none escapes. A mixer that cannot start (no session, no device) leaves the
// cues silent. GUI thread only; end notices arrive through the Qt event loop.
#include <QObject>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "game/core/CueSink.h"
#include "game/core/QuietFailureLog.h"
#include "platform/music/MidiPlayer.h"
#include "wavemix/qt/TWaveMix.h"

namespace game {

class MixerCues final : public QObject, public CueSink {
 public:
  // soundFolder: the data folder the bare file names are looked up in.
  MixerCues(std::filesystem::path soundFolder, std::unique_ptr<platform::MidiSynth> synth);
  ~MixerCues() override;

  void playWave(int channel, const std::string& file) override;
  void playMusic(const std::string& name) override;
  void openSlots(const std::string& file) override;
  void releaseSlots() override;

  // Sound and music failures, told once on standard error.
  QuietFailureLog failures;
  std::unique_ptr<TWaveMix> WaveMix1;  // null when the mixer could not start
  platform::MidiPlayer mid_p;
  wavemix::WaveMixWave* soundSlot0 = nullptr;
  wavemix::WaveMixWave* soundSlot1 = nullptr;
  wavemix::WaveMixWave* soundSlot2 = nullptr;
  wavemix::WaveMixWave* soundSlot3 = nullptr;
  wavemix::WaveMixWave* soundSlot4 = nullptr;

  // Waves loaded and not yet freed: those in the slots plus those still playing.
  std::size_t loadedWaveCount() const;
  // Told after every FreeWave, with the wave just released (the pointer is dangling).
  std::function<void(const wavemix::WaveMixWave*)> onWaveFreed;

 protected:
  bool event(QEvent* event) override;

 private:
  std::array<wavemix::WaveMixWave**, 5> slotRefs();
  bool inAnySlot(wavemix::WaveMixWave* wave);
  // Frees wave when it is out of every slot and has no play left; else keeps it in retired_.
  void retire(wavemix::WaveMixWave* wave);
  void playEnded(wavemix::WaveMixWave* wave);
  void freeRetired();
  void freeWave(wavemix::WaveMixWave* wave);

  std::filesystem::path soundFolder_;
  std::map<wavemix::WaveMixWave*, int> playsLeft_;  // plays queued or playing, per wave
  std::set<wavemix::WaveMixWave*> retired_;         // out of the slots, still playing
};

}  // namespace game
