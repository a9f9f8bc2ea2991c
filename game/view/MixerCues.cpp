#include "game/view/MixerCues.h"

#include <QEvent>
#include <QString>

#include "game/core/QuietFailureLog.h"
#include "wavemix/qt/TWaveMixDoneEvent.h"

namespace game {
namespace {

std::string quoted(const std::filesystem::path& p) { return "\"" + p.string() + "\""; }

// The text of the exception being handled; call inside a catch block.
std::string currentReason() {
  try {
    throw;
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace

MixerCues::MixerCues(std::filesystem::path soundFolder, std::unique_ptr<platform::MidiSynth> synth)
    : mid_p(std::move(synth)), soundFolder_(std::move(soundFolder)) {
  try {
    WaveMix1 = std::make_unique<TWaveMix>();
  } catch (...) {
    failures.report(QuietFailure::Sound, "the wave mixer", currentReason());
    return;  // no session: every wave cue is silent
  }
  // The stored settings, in their order: the device first, then channels 0..4. A device
  // that will not open leaves the component inactive; its plays then fail and are dropped.
  try {
    WaveMix1->SetActivated(true);
  } catch (...) {
    failures.report(QuietFailure::Sound, "the wave output device", currentReason());
  }
  try {
    WaveMix1->SetChannels(31);
  } catch (...) {
  }
}

MixerCues::~MixerCues() {
  releaseSlots();
  WaveMix1.reset();
}

std::array<wavemix::WaveMixWave**, 5> MixerCues::slotRefs() {
  return {&soundSlot0, &soundSlot1, &soundSlot2, &soundSlot3, &soundSlot4};
}

bool MixerCues::inAnySlot(wavemix::WaveMixWave* wave) {
  for (wavemix::WaveMixWave** slot : slotRefs())
    if (*slot == wave) return true;
  return false;
}

std::size_t MixerCues::loadedWaveCount() const {
  std::set<wavemix::WaveMixWave*> loaded(retired_);
  for (wavemix::WaveMixWave* wave : {soundSlot0, soundSlot1, soundSlot2, soundSlot3, soundSlot4})
    if (wave) loaded.insert(wave);
  return loaded.size();
}

void MixerCues::openSlots(const std::string& file) {
  if (!WaveMix1) return;
  try {
    const QString path = QString::fromStdString((soundFolder_ / file).string());
    for (wavemix::WaveMixWave** slot : slotRefs()) *slot = WaveMix1->OpenWave(path);
  } catch (...) {
    // The slots after the failing one stay empty.
    failures.report(QuietFailure::Sound, quoted(soundFolder_ / file), currentReason());
  }
}

void MixerCues::playWave(int channel, const std::string& file) {
  if (!WaveMix1 || channel < 0 || channel > 3) return;
  wavemix::WaveMixWave** slot = slotRefs()[static_cast<std::size_t>(channel)];
  wavemix::WaveMixWave* wave = nullptr;
  try {
    wave = WaveMix1->OpenWave(QString::fromStdString((soundFolder_ / file).string()));
  } catch (...) {
    failures.report(QuietFailure::Sound, quoted(soundFolder_ / file), currentReason());
    return;  // the slot keeps its wave; nothing plays
  }
  wavemix::WaveMixWave* previous = *slot;
  *slot = wave;
  try {
    // Flags 0: queued behind whatever still plays on the channel; loops 0: played once.
    WaveMix1->Play(channel, wave, this, 0, 0);
    ++playsLeft_[wave];
  } catch (...) {
    failures.report(QuietFailure::Sound, quoted(soundFolder_ / file), currentReason());
  }
  if (previous) retire(previous);
}

void MixerCues::retire(wavemix::WaveMixWave* wave) {
  if (inAnySlot(wave)) return;
  auto plays = playsLeft_.find(wave);
  if (plays != playsLeft_.end() && plays->second > 0) {
    retired_.insert(wave);
    return;
  }
  retired_.erase(wave);
  try {
    freeWave(wave);
  } catch (...) {
  }
}

void MixerCues::freeWave(wavemix::WaveMixWave* wave) {
  WaveMix1->FreeWave(wave);
  if (onWaveFreed) onWaveFreed(wave);
}

void MixerCues::playEnded(wavemix::WaveMixWave* wave) {
  auto plays = playsLeft_.find(wave);
  if (plays == playsLeft_.end()) return;  // not one of ours, or already released
  if (--plays->second <= 0) playsLeft_.erase(plays);
  if (retired_.count(wave)) retire(wave);
}

bool MixerCues::event(QEvent* event) {
  if (event->type() != TWaveMixDoneEvent::eventType()) return QObject::event(event);
  try {
    playEnded(static_cast<TWaveMixDoneEvent*>(event)->wave());
  } catch (...) {
    // Nothing may cross the event loop; a wave left unreleased costs memory only.
  }
  return true;
}

void MixerCues::releaseSlots() {
  if (!WaveMix1) return;
  try {
    for (wavemix::WaveMixWave** slot : {&soundSlot4, &soundSlot3, &soundSlot2, &soundSlot1, &soundSlot0}) {
      wavemix::WaveMixWave* wave = *slot;
      *slot = nullptr;
      if (wave && !inAnySlot(wave)) freeWave(wave);
    }
  } catch (...) {
    // The rest stay loaded until the session closes with the process.
  }
  freeRetired();
}

void MixerCues::freeRetired() {
  for (wavemix::WaveMixWave* wave : retired_) {
    try {
      freeWave(wave);
    } catch (...) {
    }
  }
  retired_.clear();
  playsLeft_.clear();
}

void MixerCues::playMusic(const std::string& name) {
  if (name == "not") {
    try {
      mid_p.stop();
    } catch (...) {
      // Nothing was ever opened: there is no music to stop, which is no failure.
    }
    return;
  }
  if (name.empty()) return;
  try {
    mid_p.setFileName(soundFolder_ / name);
    mid_p.open();
    mid_p.play();
  } catch (...) {
    // A missing or unplayable tune: the music stays silent.
    failures.report(QuietFailure::Music, quoted(soundFolder_ / name), currentReason());
  }
}

}  // namespace game
