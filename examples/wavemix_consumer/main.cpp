// Plays one wave file through the installed mixer and exits when it has ended.
#include <cstdio>
#include "wavemix/WaveMix.h"
#include "wavemix/WaveMixHost.h"
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wavemix_consumer FILE.wav\n");
    return 2;
  }
  wavemix::WaveMixHost host;  // devices (WAVEMIX_OUTPUT), WAVEMIX.INI, clock, message loop
  try {
    wavemix::HMixSession session = wavemix::WaveMixInit(nullptr);
    wavemix::WaveMixOpenChannel(session, 0, wavemix::kOpenAllChannels);
    wavemix::WaveMixWave* wave = wavemix::WaveMixOpenWave(session, argv[1], nullptr, wavemix::kOpenFromFile);
    wavemix::WaveMixActivate(session, true);  // opens the output device
    wavemix::PlayParams play{.session = session, .wave = wave, .notifyWindow = host.notifyWindow()};
    wavemix::WaveMixPlay(&play);
    host.waitForEnds(1);  // sleeps in the message loop until the play has ended
    wavemix::WaveMixFreeWave(session, wave);
    wavemix::WaveMixCloseSession(session);
  } catch (const wavemix::EWaveMixError& failure) {
    std::fprintf(stderr, "wavemix_consumer: %s\n", failure.what());
    return 1;
  }
}
