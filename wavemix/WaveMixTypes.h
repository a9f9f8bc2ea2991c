#pragma once
// Records and flags of the mixer's procedural interface.
#include <cstdint>

#include "platform/core/MessageLoop.h"
#include "audio/WaveOutDevice.h"

namespace wavemix {

struct WaveMixSession;
struct WaveMixWave;
using HMixSession = WaveMixSession*;

// Optional argument of WaveMixInit. A record whose size is not kWaveMixConfigSize is ignored.
struct WaveMixConfig {
  std::uint16_t size = 10;
  std::uint32_t flags = 0;         // kConfigUseChannels | kConfigUseRate
  std::uint16_t channels = 0;      // >1 asks for stereo output
  std::uint16_t samplingRate = 0;  // 11, 22 or 44 (kHz classes)
};
inline constexpr std::uint16_t kWaveMixConfigSize = 10;
inline constexpr std::uint32_t kConfigUseChannels = 1;
inline constexpr std::uint32_t kConfigUseRate = 2;

// Source kinds of WaveMixOpenWave, tested in the order resource, memory, file.
inline constexpr std::uint32_t kOpenFromFile = 1;
inline constexpr std::uint32_t kOpenFromResource = 2;
inline constexpr std::uint32_t kOpenFromMemory = 4;

// Play flags.
inline constexpr std::uint32_t mixClearChannel = 1;
inline constexpr std::uint32_t mixUseLruChannel = 2;
inline constexpr std::uint32_t mixStartNow = 4;
inline constexpr std::uint32_t mixWait = 8;

// Flags of WaveMixFlushChannel and WaveMixCloseChannel.
inline constexpr std::uint32_t allChannels = 1;
inline constexpr std::uint32_t noRemix = 2;

// Modes of WaveMixOpenChannel.
inline constexpr std::int32_t kOpenOneChannel = 0;
inline constexpr std::int32_t kOpenAllChannels = 1;
inline constexpr std::int32_t kOpenFirstChannels = 2;

inline constexpr int kChannelCount = 8;
inline constexpr std::uint16_t kLoopForever = 65535;
inline constexpr std::uint32_t kMessageWaveDone = platform::kMessageWaveDone;

// The request record of WaveMixPlay.
struct PlayParams {
  std::uint16_t size = 24;
  HMixSession session = nullptr;
  std::int32_t channel = 0;  // with mixUseLruChannel: written back with the channel chosen
  WaveMixWave* wave = nullptr;
  platform::WindowHandle notifyWindow = 0;  // told (kMessageWaveDone) when the play ends
  std::uint32_t flags = 0;
  std::uint16_t loops = 0;  // extra repetitions; kLoopForever repeats until flushed
};

// A loaded wave: its source format as read, a header whose data is the converted samples
// (owned by the record), and a short name for diagnostics.
struct WaveMixWave {
  platform::PcmFormat format;
  platform::WaveHeader header;
  char name[16] = {};
};

}  // namespace wavemix
