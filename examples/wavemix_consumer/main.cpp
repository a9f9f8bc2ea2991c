// wavemix_consumer: the smallest program that plays sound through the installed wavemix
// package. It plays two tones on two channels, the second a little later, and exits when
// both have ended. The output follows WAVEMIX_OUTPUT (alsa, null or file:PATH).
//
//   wavemix_consumer [FILE.wav]   a wave file instead of the first tone
#include <cstdio>
#include <exception>
#include <vector>

#include "BlockingMessageLoop.h"
#include "ToneWave.h"
#include "platform/audio/IniFileProfile.h"
#include "platform/audio/WaveOutFactory.h"
#include "platform/core/Clock.h"
#include "wavemix/WaveMix.h"

int main(int argc, char** argv) {
  platform::Clock& clock = platform::systemClock();
  const std::unique_ptr<platform::WaveOutSystem> devices = platform::createWaveOutSystem(clock);
  const std::unique_ptr<platform::ProfileIni> profile = platform::loadWaveMixIni();
  BlockingMessageLoop loop;

  wavemix::WaveMixPlatform machine;
  machine.waveOut = devices.get();
  machine.messageLoop = &loop;
  machine.clock = &clock;
  machine.profile = profile.get();
  wavemix::WaveMixSetPlatform(machine);

  int ended = 0;
  const platform::WindowHandle notify = loop.createWindow([&](const platform::Message& message) {
    if (message.id == wavemix::kMessageWaveDone) {
      std::printf("ended on channel %u\n", static_cast<unsigned>(message.wParam));
      ++ended;
    }
  });

  wavemix::HMixSession session = nullptr;
  int exitCode = 0;
  try {
    session = wavemix::WaveMixInit(nullptr);  // configuration from WAVEMIX.INI, else defaults
    wavemix::WaveMixOpenChannel(session, 0, wavemix::kOpenAllChannels);

    const std::vector<std::uint8_t> low = makeToneWave(440, 400);
    const std::vector<std::uint8_t> high = makeToneWave(660, 300);
    auto fromMemory = [&](const std::vector<std::uint8_t>& bytes) {
      wavemix::MemoryFileInfo info;
      info.buffer = bytes.data();
      info.bufferSize = static_cast<std::int32_t>(bytes.size());
      return wavemix::WaveMixOpenWave(session, wavemix::WaveMixMemorySource(&info), nullptr,
                                      wavemix::kOpenFromMemory);
    };
    wavemix::WaveMixWave* first = argc > 1 ? wavemix::WaveMixOpenWave(session, argv[1], nullptr, wavemix::kOpenFromFile)
                                           : fromMemory(low);
    wavemix::WaveMixWave* second = fromMemory(high);

    wavemix::WaveMixActivate(session, true);
    std::printf("playing on %s\n", session->deviceName);

    wavemix::PlayParams play;
    play.session = session;
    play.notifyWindow = notify;
    play.channel = 0;
    play.wave = first;
    wavemix::WaveMixPlay(&play);
    play.channel = 1;
    play.wave = second;
    play.flags = wavemix::mixWait;  // queued until the next play without the flag...
    wavemix::WaveMixPlay(&play);
    play.channel = 2;
    play.flags = 0;                 // ...which releases both at once
    wavemix::WaveMixPlay(&play);

    loop.runUntil([&] { return ended == 3; });
    wavemix::WaveMixFreeWave(session, first);
    wavemix::WaveMixFreeWave(session, second);
    wavemix::WaveMixCloseSession(session);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "wavemix_consumer: %s\n", failure.what());
    if (session) wavemix::WaveMixCloseSession(session);
    exitCode = 1;
  }
  loop.destroyWindow(notify);
  return exitCode;
}
