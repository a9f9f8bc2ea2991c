// Feeds arbitrary bytes to WaveMixOpenWave as a memory file. Whatever loads is played once
// through the manual device for a few blocks (loops from the first byte) and freed, so the
// converted data is also read by the mixer. Any crash, sanitizer report or leak is a fault;
// an EWaveMixError is the expected answer to a broken image.
#include <cstddef>
#include <cstdint>

#include "audio/testing/ManualWaveOut.h"
#include "platform/testing/QueuedMessageLoop.h"
#include "wavemix/WaveMix.h"

namespace {

class NoProfile final : public platform::ProfileIni {
 public:
  int getInt(const std::string& section, const std::string& key, int defaultValue) const override {
    if (section == "default" && key == "WaveBlockLen") return 512;
    if (section == "default" && key == "GoodWavePos") return 1;
    return defaultValue;
  }
};

struct Rig {
  platform::ManualWaveOutSystem devices;
  platform::QueuedMessageLoop loop;
  platform::ManualClock clock;
  NoProfile profile;
  wavemix::HMixSession session = nullptr;

  Rig() {
    wavemix::WaveMixSetPlatform(
        {.waveOut = &devices, .messageLoop = &loop, .clock = &clock, .profile = &profile});
    session = wavemix::WaveMixInit(nullptr);
    wavemix::WaveMixActivate(session, true);
    wavemix::WaveMixOpenChannel(session, 0, wavemix::kOpenAllChannels);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Rig rig;
  wavemix::MemoryFileInfo info;
  info.buffer = data;
  info.bufferSize = static_cast<std::int32_t>(size);
  wavemix::WaveMixWave* wave = nullptr;
  try {
    wave = wavemix::WaveMixOpenWave(rig.session, wavemix::WaveMixMemorySource(&info), nullptr,
                                    wavemix::kOpenFromMemory);
  } catch (const wavemix::EWaveMixError&) {
    return 0;
  }
  wavemix::PlayParams params;
  params.session = rig.session;
  params.wave = wave;
  params.channel = size > 0 ? data[0] & 7 : 0;
  params.loops = size > 1 ? data[1] & 3 : 0;
  wavemix::WaveMixPlay(&params);
  for (int i = 0; i < 4 && rig.devices.stream()->completeNext(); ++i) rig.loop.pumpAll();
  wavemix::WaveMixFreeWave(rig.session, wave);
  wavemix::WaveMixFlushChannel(rig.session, 0, wavemix::allChannels);
  rig.loop.pumpAll();
  rig.devices.stream()->clearRecords();
  return 0;
}
