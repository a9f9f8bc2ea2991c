// Long autoplay: single readings one after another on the real form, every cue going to
// the mixer on the silent null device and the tune to the synthesizer without a driver.
// Reports the process's resident memory (VmRSS) after the first reading and after the last,
// so growth over a long session shows.
//
// The null device is paced by a simulated clock that this program moves: after each
// reading the clock runs on until every queued sound has been played and its end notice
// delivered, so a reading's sounds finish as they would in a player's real time without
// the run taking hours.
//
// Usage: pomuri_autoplay ASSET_DIR [READINGS]   (ASSET_DIR holds dat/ and cg/)
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "game/core/GameRandom.h"
#include "game/core/Profile.h"
#include "game/view/MixerCues.h"
#include "game/view/TForm1.h"
#include "platform/Dialogs.h"
#include "platform/QtMessageLoop.h"
#include "audio/ForwardingWaveOut.h"
#include "audio/IniFileProfile.h"
#include "audio/NullWaveOut.h"
#include "platform/core/Clock.h"
#include "platform/music/FluidMidiSynth.h"
#include "wavemix/WaveMixInspect.h"
#include "wavemix/WaveMixPlatform.h"

namespace {

long residentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(4096, '\n');
  }
  return -1;
}

// Every question box is answered "No" (stay and play again); nothing is shown.
class StayDialogs final : public platform::Dialogs {
 public:
  platform::Answer confirm(QWidget*, const QString&, platform::Answer) override { return platform::Answer::No; }
  void inform(QWidget*, const QString&) override {}
  void open(QWidget*, const QString&, bool question, std::function<void(platform::Answer)> done) override {
    done(question ? platform::Answer::No : platform::Answer::Yes);
  }
  void error(QWidget*, const QString& text) override {
    std::fprintf(stderr, "error box: %s\n", text.toUtf8().constData());
    ++errors;
  }
  int errors = 0;
};

// The null device, remembering its open stream so that the program can pace it.
class PacedNullDevices final : public platform::ForwardingWaveOut {
 public:
  explicit PacedNullDevices(platform::Clock& clock)
      : ForwardingWaveOut(null_), null_(clock, platform::PacingDriver::Caller) {}
  platform::DeviceResult open(std::int32_t id, const platform::PcmFormat& format, platform::MessageLoop& loop,
                              platform::WindowHandle window,
                              std::unique_ptr<platform::WaveOutStream>& stream) override {
    const platform::DeviceResult result = ForwardingWaveOut::open(id, format, loop, window, stream);
    stream_ = result == platform::kDeviceOk ? dynamic_cast<platform::ClockPacedStream*>(stream.get()) : nullptr;
    return result;
  }
  platform::ClockPacedStream* stream() const { return stream_; }

 private:
  platform::NullWaveOut null_;  // only bound by the base before it is built, used after
  platform::ClockPacedStream* stream_ = nullptr;
};

// Plays a reading's queued sounds to their end: simulated time in 20 ms steps.
void playOut(game::MixerCues& cues, platform::ManualClock& clock, PacedNullDevices& devices) {
  for (int step = 0; step < 100'000; ++step) {
    const wavemix::MixerSnapshot snapshot = wavemix::WaveMixInspect(cues.WaveMix1->session());
    std::size_t queued = 0;
    for (const auto& chain : snapshot.chains) queued += chain.size();
    if (queued == 0) break;
    clock.advance(20);
    if (devices.stream()) devices.stream()->finishDueBlocks();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// One step of the player: whatever the screen asks for.
void act(game::TForm1& form) {
  if (!form.start_box->isHidden()) {
    form.start_box->Button1Click();
  } else if (!form.name_box->isHidden()) {
    if (form.name_box->name_l->text().isEmpty())
      form.engine().letterTile(0);
    else
      form.name_box->Image4MouseDown();
  } else if (!form.sex_box->isHidden()) {
    form.sex_box->Label3MouseDown();
  } else if (!form.umare_box->isHidden()) {
    form.umare_box->Image9MouseDown();
  } else if (!form.item_box->isHidden()) {
    form.item_box->item_l1MouseDown();
  } else if (!form.kekka_box->isHidden()) {
    form.kekka_box->Image16MouseDown();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s ASSET_DIR [READINGS]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path source = argv[1];
  const int readings = argc > 2 ? std::stoi(argv[2]) : 1000;
  QApplication app(argc, argv);

  // A private copy of the assets: the profile is written there at close.
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("pomuri-autoplay-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);
  std::filesystem::copy(source / "dat", root / "dat", std::filesystem::copy_options::recursive);
  std::filesystem::copy(source / "cg", root / "cg", std::filesystem::copy_options::recursive);
  std::filesystem::remove(root / "dat" / "my.dat");

  platform::ManualClock mixerClock;
  PacedNullDevices devices(mixerClock);
  platform::QtMessageLoop loop;
  platform::IniFileProfile profile;  // empty: every mixer setting at its default
  wavemix::WaveMixSetPlatform(
      {.waveOut = &devices, .messageLoop = &loop, .clock = &mixerClock, .profile = &profile});

  StayDialogs dialogs;
  platform::setDialogs(&dialogs);
  game::GameRandom random(20261207);
  long firstKiB = 0;
  std::size_t mostWaves = 0;
  int completed = 0;
  {
    // No SoundFont folder: the synthesizer takes every command and plays nothing.
    game::MixerCues cues(root / "dat", std::make_unique<platform::FluidMidiSynth>(root / "no-soundfont"));
    game::GameEnvironment env;
    env.assetRoot = root;
    env.profileFallback = root / "fallback" / "my.dat";
    env.startTimers = false;
    game::TForm1 form(env, {platform::systemClock(), random.readings, random.tremble, cues});
    form.show();
    form.engine().onWaitBegins = [&form](game::Wait kind) {
      if (kind == game::Wait::Click)
        form.moji_lMouseDown();
      else if (kind == game::Wait::YesNo)
        form.engine().answer(game::Answer::Yes);
    };
    const long startKiB = residentKiB();
    for (int reading = 0; reading < readings; ++reading) {
      for (int guard = 0; guard < 200; ++guard) {
        act(form);
        mostWaves = std::max(mostWaves, cues.loadedWaveCount());
        if (!form.start_box->isHidden()) break;  // back at the title: one reading done
      }
      if (!form.start_box->isHidden()) ++completed;
      playOut(cues, mixerClock, devices);
      if (reading == 0) firstKiB = residentKiB();
    }
    const long lastKiB = residentKiB();
    std::printf("readings: %d completed of %d, readingCount %d\n", completed, readings,
                form.engine().profile().readingCount);
    std::printf("VmRSS at start-up: %ld KiB\n", startKiB);
    std::printf("VmRSS after the first reading: %ld KiB\n", firstKiB);
    std::printf("VmRSS after the last reading: %ld KiB\n", lastKiB);
    std::printf("growth over %d readings: %ld KiB\n", readings - 1, lastKiB - firstKiB);
    std::printf("waves loaded at most: %zu, at the end: %zu\n", mostWaves, cues.loadedWaveCount());
    std::printf("error boxes: %d\n", dialogs.errors);
    form.engine().onWaitBegins = nullptr;
  }
  platform::setDialogs(nullptr);
  std::filesystem::remove_all(root);
  return completed == readings && dialogs.errors == 0 ? 0 : 1;
}
