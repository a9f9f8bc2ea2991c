// wavemix_demo: plays wave files through the mixer on chosen channels, with chosen flags,
// loops and start delays, on the sound device (WAVEMIX_OUTPUT) or into a WAV file.
// See DemoOptions.h for the command line. Exits when every finite play has ended (or after
// --duration); exit status 0 on success, 1 on a mixer error, 2 on a bad command line.
#include <QCoreApplication>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>

#include "DemoOptions.h"
#include "LatencyProbe.h"
#include "platform/QtMessageLoop.h"
#include "audio/IniFileProfile.h"
#include "audio/WaveOutFactory.h"
#include "platform/core/Clock.h"
#include "wavemix/WaveMix.h"

namespace {

constexpr const char* kUsage =
    "usage: wavemix_demo [--output FILE.wav] [--stereo] [--rate 11|22|44] [--duration MS] [--latency]\n"
    "                    FILE[:CHANNEL[:DELAY_MS[:LOOPS[:FLAGS]]]]...\n"
    "  FLAGS: clear, lru, now, wait joined with '+'; LOOPS 65535 repeats until --duration\n";

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::string error;
  const std::optional<demo::DemoOptions> options = demo::parseDemoOptions(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "wavemix_demo: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  std::size_t finitePlays = 0;
  for (const demo::PlayRequest& play : options->plays) {
    if (play.loops != wavemix::kLoopForever && !(play.flags & wavemix::mixWait)) ++finitePlays;
  }
  if (finitePlays == 0 && !options->durationMs) {
    std::fprintf(stderr, "wavemix_demo: every play repeats forever or waits; give --duration\n");
    return 2;
  }

  // The recording is opened by the device much later and reports only a device number:
  // a path that cannot be written is named here, with the system's reason, before anything
  // plays. O_NONBLOCK: a pipe with no reader is refused instead of waited on.
  if (options->outputPath) {
    const int fd = ::open(options->outputPath->c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0) {
      std::fprintf(stderr, "wavemix_demo: cannot write %s: %s\n", options->outputPath->c_str(),
                   std::strerror(errno));
      return 1;
    }
    ::close(fd);
  }

  platform::Clock& clock = platform::systemClock();
  std::unique_ptr<platform::WaveOutSystem> devices;
  if (options->outputPath) {
    platform::WaveOutChoice choice;
    choice.kind = platform::WaveOutChoice::Kind::File;
    choice.filePath = *options->outputPath;
    devices = platform::createWaveOutSystem(choice, clock);
  } else {
    devices = platform::createWaveOutSystem(clock);
  }
  demo::LatencyProbe probe(*devices, clock, [](const std::string& label, double ms) {
    std::printf("latency %s: %.1f ms\n", label.c_str(), ms);
    std::fflush(stdout);
  });
  platform::QtMessageLoop loop;
  const std::unique_ptr<platform::ProfileIni> profile = platform::loadWaveMixIni();
  wavemix::WaveMixSetPlatform({.waveOut = &probe,
                               .messageLoop = &loop,
                               .clock = &clock,
                               .profile = profile.get(),
                               .pumpThread = true});

  wavemix::HMixSession session = nullptr;
  std::map<std::string, wavemix::WaveMixWave*> waves;
  int exitCode = 0;
  try {
    wavemix::WaveMixConfig config;
    config.size = wavemix::kWaveMixConfigSize;
    if (options->stereo) {
      config.flags |= wavemix::kConfigUseChannels;
      config.channels = 2;
    }
    if (options->rateClass) {
      config.flags |= wavemix::kConfigUseRate;
      config.samplingRate = options->rateClass;
    }
    session = wavemix::WaveMixInit(&config);
    wavemix::WaveMixOpenChannel(session, 0, wavemix::kOpenAllChannels);
    for (const demo::PlayRequest& play : options->plays) {
      if (waves.count(play.file)) continue;
      try {
        waves[play.file] = wavemix::WaveMixOpenWave(session, play.file.c_str(), nullptr, wavemix::kOpenFromFile);
      } catch (const std::exception& failure) {
        // The open message names the path already; every other one gets it in front.
        const std::string text = failure.what();
        throw std::runtime_error(text.find(play.file) != std::string::npos ? text : play.file + ": " + text);
      }
    }
    try {
      wavemix::WaveMixActivate(session, true);
    } catch (const std::exception& failure) {
      if (!options->outputPath) throw;
      throw std::runtime_error(*options->outputPath + ": " + failure.what());
    }
    std::printf("device: %s, %u Hz, %u channel(s), %d blocks of %d bytes\n", session->deviceName,
                session->format.samplesPerSec, session->format.channels, session->blockCount, session->blockLength);
    std::fflush(stdout);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "wavemix_demo: %s\n", failure.what());
    if (session) wavemix::WaveMixCloseSession(session);
    return 1;
  }

  // Every time printed counts from here, plays and ends alike.
  const std::uint32_t startMs = clock.milliseconds();
  std::size_t ended = 0;
  const platform::WindowHandle notify = loop.createWindow([&](const platform::Message& message) {
    if (message.id != wavemix::kMessageWaveDone) return;
    std::printf("ended: channel %u at %u ms\n", static_cast<unsigned>(message.wParam),
                clock.milliseconds() - startMs);
    std::fflush(stdout);
    if (++ended == finitePlays && !options->durationMs) app.quit();
  });

  for (std::size_t i = 0; i < options->plays.size(); ++i) {
    const demo::PlayRequest play = options->plays[i];
    QTimer::singleShot(static_cast<int>(play.delayMs), &app, [&, play, i] {
      wavemix::PlayParams params;
      params.session = session;
      params.channel = play.channel;
      params.wave = waves[play.file];
      params.notifyWindow = notify;
      params.flags = play.flags;
      params.loops = play.loops;
      const std::uint32_t now = clock.milliseconds();
      if (options->latency) probe.arm(now, "play " + std::to_string(i + 1) + " (" + play.file + ")");
      try {
        wavemix::WaveMixPlay(&params);
        std::printf("play %zu: %s on channel %d at %u ms\n", i + 1, play.file.c_str(), params.channel, now - startMs);
        std::fflush(stdout);
      } catch (const std::exception& failure) {
        std::fprintf(stderr, "wavemix_demo: %s: %s\n", play.file.c_str(), failure.what());
        exitCode = 1;
        app.quit();
      }
    });
  }
  if (options->durationMs) QTimer::singleShot(static_cast<int>(*options->durationMs), &app, [&] { app.quit(); });

  app.exec();
  try {
    for (auto& [file, wave] : waves) wavemix::WaveMixFreeWave(session, wave);
    wavemix::WaveMixCloseSession(session);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "wavemix_demo: %s\n", failure.what());
    exitCode = 1;
  }
  loop.destroyWindow(notify);
  return exitCode;
}
