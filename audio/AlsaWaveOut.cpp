#include "audio/AlsaWaveOut.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "audio/AlsaWaveOutStream.h"
#include "audio/RealtimePriority.h"
#include "audio/WaveHeaderFlags.h"

namespace platform {
namespace {

constexpr const char* kDefaultPcm = "default";
constexpr std::size_t kMaxProductName = 31;
// Small blocks (512 bytes at 11025 Hz are 46 ms) must follow each other without a gap:
// a short period lets the writer top the buffer up often; the buffer bounds how much
// audio a reset has to drop.
constexpr unsigned kPeriodMicroseconds = 10'000;
constexpr unsigned kBufferMicroseconds = 100'000;

bool isListedPcm(const char* name) {
  if (std::strcmp(name, kDefaultPcm) == 0 || std::strcmp(name, "null") == 0) return false;
  // Device 0 already plays through these where "default" does not.
  if (std::strcmp(name, "pipewire") == 0 || std::strcmp(name, "pulse") == 0) return false;
  static const char* const kSkippedPrefixes[] = {"surround", "iec958", "hdmi", "front:", "rear:", "center_lfe:", "side:"};
  return std::none_of(std::begin(kSkippedPrefixes), std::end(kSkippedPrefixes),
                      [&](const char* prefix) { return std::strncmp(name, prefix, std::strlen(prefix)) == 0; });
}

// alsa-lib prints its own diagnostics to stderr by default (a machine without a card
// produces a screenful on every probe); failures reach callers as result codes instead.
void quietAlsaErrorHandler(const char*, int, const char*, int, const char*, ...) {}

void silenceAlsaLibrary() {
  static const bool silenced = [] {
    snd_lib_error_set_handler(&quietAlsaErrorHandler);
    return true;
  }();
  (void)silenced;
}

DeviceResult resultFromAlsa(int error) {
  switch (-error) {
    case EBUSY:
      return kDeviceAllocated;
    case ENOMEM:
      return kDeviceNoMemory;
    case EINVAL:
      return kDeviceBadFormat;
    default:
      return kDeviceError;
  }
}

// Always 16-bit: 8-bit blocks are widened by the stream as it writes them. pipewire-pulse
// fills a corked or starved unsigned 8-bit stream with zero bytes, which is full negative
// scale (a loud click at every stop and start), where signed zero is silence.
snd_pcm_format_t alsaFormat(const PcmFormat&) { return SND_PCM_FORMAT_S16_LE; }

// Opens a PCM and narrows its hardware parameters to the format. On success *pcm is open.
DeviceResult openWithFormat(const std::string& name, const PcmFormat& format, snd_pcm_t** pcm,
                            snd_pcm_hw_params_t* params) {
  if (int error = snd_pcm_open(pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK); error < 0) {
    *pcm = nullptr;
    return error == -ENOENT || error == -ENODEV ? kDeviceError : resultFromAlsa(error);
  }
  DeviceResult result = kDeviceOk;
  if (snd_pcm_hw_params_any(*pcm, params) < 0) {
    result = kDeviceError;
  } else if (snd_pcm_hw_params_set_rate_resample(*pcm, params, 1) < 0 ||
             snd_pcm_hw_params_set_access(*pcm, params, SND_PCM_ACCESS_RW_INTERLEAVED) < 0 ||
             snd_pcm_hw_params_set_format(*pcm, params, alsaFormat(format)) < 0 ||
             snd_pcm_hw_params_set_channels(*pcm, params, format.channels) < 0 ||
             snd_pcm_hw_params_set_rate(*pcm, params, format.samplesPerSec, 0) < 0) {
    result = kDeviceBadFormat;
  }
  if (result != kDeviceOk) {
    snd_pcm_close(*pcm);
    *pcm = nullptr;
  }
  return result;
}

}  // namespace

AlsaWaveOut::AlsaWaveOut(Clock& clock) : clock_(clock) {
  silenceAlsaLibrary();
  pcmNames_.push_back(kDefaultPcm);
  void** hints = nullptr;
  if (snd_device_name_hint(-1, "pcm", &hints) == 0 && hints) {
    for (void** hint = hints; *hint; ++hint) {
      char* name = snd_device_name_get_hint(*hint, "NAME");
      char* ioid = snd_device_name_get_hint(*hint, "IOID");
      const bool playback = ioid == nullptr || std::strcmp(ioid, "Output") == 0;
      if (name && playback && isListedPcm(name) &&
          std::find(pcmNames_.begin(), pcmNames_.end(), name) == pcmNames_.end()) {
        pcmNames_.emplace_back(name);
      }
      std::free(name);
      std::free(ioid);
    }
    snd_device_name_free_hint(hints);
  }
}

AlsaWaveOut::AlsaWaveOut(Clock& clock, std::vector<std::string> pcmNames)
    : clock_(clock), pcmNames_(std::move(pcmNames)) {
  silenceAlsaLibrary();
}

std::string AlsaWaveOut::pcmName(std::int32_t id) const {
  if (id == kWaveMapper) return kDefaultPcm;
  if (id < 0 || static_cast<std::size_t>(id) >= pcmNames_.size()) return {};
  return pcmNames_[static_cast<std::size_t>(id)];
}

DeviceResult AlsaWaveOut::capabilities(std::int32_t id, WaveOutCaps& caps) {
  const std::string name = pcmName(id);
  if (name.empty()) return kDeviceBadId;
  caps.productName = name == kDefaultPcm ? "ALSA default" : name.substr(0, kMaxProductName);
  caps.channels = 2;
  caps.support = 0;
  return kDeviceOk;
}

const std::vector<std::string>& AlsaWaveOut::desktopPcms() {
  static const std::vector<std::string> names{kDefaultPcm, "pipewire", "pulse"};
  return names;
}

DeviceResult AlsaWaveOut::openPcm(std::int32_t id, const PcmFormat& format, snd_pcm_t** pcm,
                                  snd_pcm_hw_params_t* params) {
  const std::string name = pcmName(id);
  if (name != kDefaultPcm) return openWithFormat(name, format, pcm, params);
  DeviceResult first = kDeviceError;
  for (const std::string& candidate : desktopPcms()) {
    const DeviceResult result = openWithFormat(candidate, format, pcm, params);
    if (candidate == kDefaultPcm) first = result;
    // A PCM that opens but refuses the format answers for all: they end at the same server.
    if (result == kDeviceBadFormat) return result;
    if (result != kDeviceOk) continue;
    std::lock_guard lock(announcedMutex_);
    if (candidate != announcedPcm_) {
      std::fprintf(stderr, "wave output: playing through the ALSA PCM \"%s\"\n", candidate.c_str());
      announcedPcm_ = candidate;
    }
    return kDeviceOk;
  }
  return first;
}

DeviceResult AlsaWaveOut::queryFormat(std::int32_t id, const PcmFormat& format) {
  if (pcmName(id).empty()) return kDeviceBadId;
  if (!isPlainPcm(format)) return kDeviceBadFormat;
  snd_pcm_t* pcm = nullptr;
  snd_pcm_hw_params_t* params = nullptr;
  snd_pcm_hw_params_alloca(&params);
  const DeviceResult result = openPcm(id, format, &pcm, params);
  if (pcm) snd_pcm_close(pcm);
  return result;
}

DeviceResult AlsaWaveOut::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                               WindowHandle callbackWindow, std::unique_ptr<WaveOutStream>& stream) {
  if (pcmName(id).empty()) return kDeviceBadId;
  if (!isPlainPcm(format)) return kDeviceBadFormat;
  snd_pcm_t* pcm = nullptr;
  snd_pcm_hw_params_t* params = nullptr;
  snd_pcm_hw_params_alloca(&params);
  // Opened from a real-time thread: a sound server's plug-in starts its client thread here,
  // and that thread, which carries every block to the server, inherits the priority.
  DeviceResult opened = kDeviceError;
  runOnRealtimeThread([&] { opened = openPcm(id, format, &pcm, params); });
  if (opened != kDeviceOk) return opened;

  unsigned periodUs = kPeriodMicroseconds;
  unsigned bufferUs = kBufferMicroseconds;
  int dir = 0;
  snd_pcm_hw_params_set_buffer_time_near(pcm, params, &bufferUs, &dir);
  dir = 0;
  snd_pcm_hw_params_set_period_time_near(pcm, params, &periodUs, &dir);
  if (int error = snd_pcm_hw_params(pcm, params); error < 0) {
    snd_pcm_close(pcm);
    return resultFromAlsa(error);
  }
  snd_pcm_uframes_t periodFrames = 0;
  snd_pcm_hw_params_get_period_size(params, &periodFrames, &dir);
  if (periodFrames == 0) periodFrames = format.samplesPerSec / 100;
  snd_pcm_uframes_t bufferFrames = 0;
  snd_pcm_hw_params_get_buffer_size(params, &bufferFrames);
  const bool canPause = snd_pcm_hw_params_can_pause(params) != 0;

  snd_pcm_sw_params_t* swParams = nullptr;
  snd_pcm_sw_params_alloca(&swParams);
  if (snd_pcm_sw_params_current(pcm, swParams) == 0) {
    // Start with the first frame written: the mixer hands over its blocks only when they
    // are due to play, so there is nothing to wait for.
    snd_pcm_sw_params_set_start_threshold(pcm, swParams, 1);
    snd_pcm_sw_params_set_avail_min(pcm, swParams, periodFrames);
    snd_pcm_sw_params(pcm, swParams);
  }
  if (int error = snd_pcm_prepare(pcm); error < 0) {
    snd_pcm_close(pcm);
    return resultFromAlsa(error);
  }
  stream = std::make_unique<AlsaWaveOutStream>(pcm, format, periodFrames, bufferFrames, canPause, clock_, loop, callbackWindow);
  return kDeviceOk;
}

}  // namespace platform
