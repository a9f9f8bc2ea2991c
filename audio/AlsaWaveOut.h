#pragma once
// The machine's ALSA playback PCMs as wave output devices.
//
// Numbering: device 0 is ALSA's "default" PCM (on a desktop it routes through the sound
// server), so "WaveOutDevice" = 0 plays where every other program plays; the wave mapper
// (kWaveMapper, -1) is "default" too. Where "default" does not open (a PipeWire desktop
// without PipeWire's ALSA configuration leaves it unknown), device 0 opens the first of
// the desktop PCMs that does: "pipewire", then "pulse". A line on stderr names the PCM
// device 0 plays through, at its first open and whenever that PCM changes. Devices 1, 2, … are the other playback PCMs that
// ALSA's name hints list, in hint order ("null" and the surround/IEC958 variants left out).
// A device's product name is its ALSA name, cut to 31 characters; "default" is reported as
// "ALSA default" so that its profile section does not merge with the "default" section.
// Every device reports 2 channels and is never synchronous.
#include <alsa/asoundlib.h>

#include <mutex>
#include <string>
#include <vector>

#include "audio/WaveOutDevice.h"
#include "platform/core/Clock.h"

namespace platform {

class AlsaWaveOut final : public WaveOutSystem {
 public:
  // Lists the PCMs once. clock: thread-safe (systemClock()); used by a stream whose PCM fails.
  explicit AlsaWaveOut(Clock& clock);
  // A fixed list of PCM names instead: device i is pcmNames[i] (the wave mapper is still
  // "default"). For a chosen set of devices, and for tests on ALSA's "null" PCM.
  AlsaWaveOut(Clock& clock, std::vector<std::string> pcmNames);

  // The ALSA PCM name behind a device number (kWaveMapper: "default"); empty if none.
  std::string pcmName(std::int32_t id) const;

  std::uint32_t deviceCount() override { return static_cast<std::uint32_t>(pcmNames_.size()); }
  DeviceResult capabilities(std::int32_t id, WaveOutCaps& caps) override;
  // Opens the PCM briefly and asks whether it takes the format (plug layers convert).
  DeviceResult queryFormat(std::int32_t id, const PcmFormat& format) override;
  DeviceResult open(std::int32_t id, const PcmFormat& format, MessageLoop& loop, WindowHandle callbackWindow,
                    std::unique_ptr<WaveOutStream>& stream) override;

  // The PCMs device 0 tries in order: "default", "pipewire", "pulse".
  static const std::vector<std::string>& desktopPcms();

 private:
  // Opens the PCM behind id (device 0: the first desktop PCM that opens) with the format.
  DeviceResult openPcm(std::int32_t id, const PcmFormat& format, snd_pcm_t** pcm, snd_pcm_hw_params_t* params);

  Clock& clock_;
  std::vector<std::string> pcmNames_;
  // The desktop PCM device 0 last opened. Opens come from the GUI thread (activation) and
  // from the thread that writes (a FallbackWaveOut retry), hence the lock.
  std::mutex announcedMutex_;
  std::string announcedPcm_;
};

}  // namespace platform
