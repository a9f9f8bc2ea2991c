// Session lifetime, configuration from "WAVEMIX.INI", and activation of the output device.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "wavemix/MixerState.h"
#include "wavemix/PumpThread.h"
#include "wavemix/WaveMix.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {

namespace {

WaveMixPlatform& platformRecord() {
  static WaveMixPlatform record;
  return record;
}

void copyName(char (&field)[32], const std::string& name) {
  std::memset(field, 0, sizeof field);
  std::memcpy(field, name.data(), std::min(name.size(), sizeof field - 1));
}

void onCallbackMessage(const platform::Message& message) {
  if (message.id != kMessageWaveDone) return;
  // The pump runs inside the GUI event loop: nothing may escape from here. A block the
  // device refuses means the device is gone; the owner remembers it and its next play
  // reports it.
  std::lock_guard guard(mixerLock());
  try {
    PumpBlocks();
  } catch (...) {
    if (WaveMixSession* owner = mixerState().deviceOwner) owner->deviceLost = true;
  }
}

void closeDevice(WaveMixSession& session) {
  session.waveOut.reset();
  if (session.callbackWindow != 0) {
    platformOrThrow().messageLoop->destroyWindow(session.callbackWindow);
    session.callbackWindow = 0;
  }
}

void openDevice(WaveMixSession& session) {
  const WaveMixPlatform& platform = platformOrThrow();
  session.callbackWindow = platform.messageLoop->createWindow(&onCallbackMessage);
  if (session.callbackWindow == 0) raise(messages::kCreateWindow);
  // With a pump thread the device tells it, not the callback window, that blocks are done.
  platform::MessageLoop& doneLoop = platform.pumpThread ? pumpThread() : *platform.messageLoop;
  const platform::WindowHandle doneWindow = platform.pumpThread ? PumpThread::kWindow : session.callbackWindow;
  const platform::DeviceResult opened =
      platform.waveOut->open(session.deviceId, session.format, doneLoop, doneWindow, session.waveOut);
  if (opened != platform::kDeviceOk || !session.waveOut) {
    closeDevice(session);
    raiseWithCode(messages::kOpenDevice, opened);
  }
  try {
    PrepareBlocks(session);
  } catch (...) {
    closeDevice(session);
    throw;
  }
}

void activate(WaveMixSession& session) {
  MixerState& state = mixerState();
  if (state.deviceOwner == &session) return;
  if (state.deviceOwner != nullptr) raise(messages::kResourceAllocated);
  state.deviceOwner = &session;
  try {
    if (!session.waveOut) openDevice(session);
    session.active = true;
    session.deviceLost = false;
    SetPlayPosition(session, session.mixPosition);
    FillFreeBlocks(session);
    if (platformOrThrow().pumpThread) pumpThread().start();
  } catch (...) {
    // A failed activation leaves nothing open and gives the device back, so that a later
    // activation can try again.
    session.active = false;
    if (session.waveOut) {
      ReleaseBlocks(session);
      closeDevice(session);
    }
    state.deviceOwner = nullptr;
    throw;
  }
}

void deactivate(WaveMixSession& session) {
  MixerState& state = mixerState();
  if (session.active) session.mixPosition = GetPlayPosition(session, session.goodWavePos == 1);
  if (session.active && session.waveOut) {
    ResetDevice(session);
    ReleaseBlocks(session);
    closeDevice(session);
  }
  session.active = false;
  session.deviceLost = false;
  if (state.deviceOwner == &session) state.deviceOwner = nullptr;
}

std::int32_t clamp(std::int32_t value, std::int32_t low, std::int32_t high) {
  return std::min(std::max(value, low), high);
}

}  // namespace

void WaveMixSetPlatform(const WaveMixPlatform& platform) { platformRecord() = platform; }

const WaveMixPlatform& WaveMixGetPlatform() { return platformRecord(); }

const WaveMixPlatform& platformOrThrow() {
  const WaveMixPlatform& platform = platformRecord();
  if (!platform.waveOut || !platform.messageLoop || !platform.clock || !platform.profile) {
    raise(messages::kPlatformNotSet);
  }
  return platform;
}

MixerState& mixerState() {
  static MixerState state;
  return state;
}

std::recursive_mutex& mixerLock() {
  static std::recursive_mutex lock;
  return lock;
}

PumpThread& pumpThread() {
  static PumpThread thread;
  return thread;
}

namespace {

// Before a deactivation takes the mixer lock: the pump thread may be waiting for it.
void stopPumpThreadFor(HMixSession handle) {
  if (handle != nullptr && handle == mixerState().deviceOwner) pumpThread().stop();
}

}  // namespace

void raise(const char* message) { throw EWaveMixError(message); }
void raise(const std::string& message) { throw EWaveMixError(message); }
void raiseWithCode(const char* message, std::uint32_t code) {
  throw EWaveMixError(std::string(message) + std::to_string(code));
}

PlayRecord* closedChannelMark() {
  // An address no record can have: the all-ones pattern of a closed channel's head.
  return reinterpret_cast<PlayRecord*>(~std::uintptr_t{0});
}

WaveMixSession& validateSession(HMixSession session) {
  // Only the one live session is accepted, so a stale handle of a closed session is refused
  // without reading freed memory.
  MixerState& state = mixerState();
  if (session == nullptr || session != state.current || session->magic != kSessionMagic ||
      session->magic2 != kSessionMagic) {
    raise(messages::kInvalidSession);
  }
  state.current = session;
  return *session;
}

HMixSession WaveMixInit(const WaveMixConfig* config) {
  std::lock_guard guard(mixerLock());
  const WaveMixPlatform& platform = platformOrThrow();
  MixerState& state = mixerState();

  if (platform.moduleFileName) {
    std::string fileName;
    if (const std::uint32_t error = platform.moduleFileName(fileName); error != 0) {
      raiseWithCode(messages::kModuleFileName, error);
    }
  }
  // Callback windows need no class registration with this platform's message loop.
  if (state.current != nullptr) raise(messages::kAlreadyInitialized);
  // Only reset once no session can hold records any more.
  state.pool.reset();
  if (config != nullptr && config->size != kWaveMixConfigSize) config = nullptr;
  const std::uint32_t deviceCount = platform.waveOut->deviceCount();
  if (deviceCount == 0) raise(messages::kNoDevices);

  auto* session = new (std::nothrow) WaveMixSession;
  if (session == nullptr) raise(messages::kNoMemory);
  session->magic = kSessionMagic;
  session->magic2 = kSessionMagic;
  std::fill(std::begin(session->channelHead), std::end(session->channelHead), closedChannelMark());
  session->format = platform::PcmFormat{1, 1, 11025, 11025, 1, 8};

  const platform::ProfileIni& ini = *platform.profile;
  const int remix = ini.getInt("default", "Remix", 1);
  const int goodWavePos = ini.getInt("default", "GoodWavePos", 0);
  const int waveBlocks = ini.getInt("default", "WaveBlocks", 3);
  const int defaultBlockLen = ini.getInt("default", "WaveBlockLen", 0) & ~3;
  const int samplesPerSec = ini.getInt("default", "SamplesPerSec", 11);
  copyName(session->deviceName, "default");

  // Any number that names no device, negative ones included, means the default device.
  const int deviceId = ini.getInt("general", "WaveOutDevice", 0);
  session->deviceId =
      deviceId >= 0 && static_cast<std::uint32_t>(deviceId) < deviceCount ? deviceId : platform::kWaveMapper;

  platform::WaveOutCaps caps;
  caps.channels = 0;
  std::string deviceName = messages::kUnknownDevice;
  if (platform.waveOut->capabilities(session->deviceId, caps) == platform::kDeviceOk) {
    deviceName = caps.productName.substr(0, 31);
  } else {
    caps = platform::WaveOutCaps{};
    caps.channels = 0;
  }
  if (caps.support & platform::kCapsSync) {
    delete session;
    raise(deviceName + messages::kSynchronous1 + messages::kSynchronous2 + messages::kSynchronous3);
  }
  if (ini.getInt("not compatible", deviceName, 0) != 0) {
    delete session;
    raise(deviceName + messages::kNotCompatible1 + messages::kNotCompatible2);
  }
  copyName(session->deviceName, deviceName);
  const std::string section = session->deviceName;

  session->remixProc =
      ini.getInt(section, "Remix", remix) == 2 ? &ShiftToMixPosition : &RemixFromPosition;
  session->goodWavePos = static_cast<std::uint8_t>(ini.getInt(section, "GoodWavePos", goodWavePos));
  session->blockCount = clamp(ini.getInt(section, "WaveBlocks", waveBlocks), 2, 6);

  if (config != nullptr && (config->flags & kConfigUseChannels) && config->channels > 1 &&
      caps.channels > 1) {
    session->format.channels = 2;
    session->format.blockAlign = 2;
  }
  int rateClass = ini.getInt(section, "SamplesPerSec", samplesPerSec);
  if (config != nullptr && (config->flags & kConfigUseRate) &&
      (config->samplingRate == 11 || config->samplingRate == 22 || config->samplingRate == 44)) {
    rateClass = config->samplingRate;
  }
  session->format.samplesPerSec = rateClass == 22 ? 22050 : rateClass == 44 ? 44100 : 11025;
  session->format.avgBytesPerSec = session->format.channels * session->format.samplesPerSec;

  const int deviceBlockLen = ini.getInt(section, "WaveBlockLen", 0);
  if (deviceBlockLen != 0) {
    // Whole frames of every format (4 bytes covers stereo): a block that ended inside a
    // frame would start the next one on the other channel.
    session->blockLength = clamp(deviceBlockLen, 512, 4096) & ~3;
  } else if (defaultBlockLen != 0) {
    session->blockLength = clamp(defaultBlockLen, 512, 4096);
  } else {
    session->blockLength =
        std::min<std::int32_t>(2048 * static_cast<std::int32_t>(session->format.samplesPerSec / 11025), 4096);
  }

  state.current = session;
  return session;
}

void WaveMixActivate(HMixSession handle, bool activateDevice) {
  if (!activateDevice) stopPumpThreadFor(handle);
  std::lock_guard guard(mixerLock());
  WaveMixSession& session = validateSession(handle);
  if (activateDevice) {
    activate(session);
  } else {
    deactivate(session);
  }
}

void WaveMixCloseSession(HMixSession handle) {
  stopPumpThreadFor(handle);
  std::lock_guard guard(mixerLock());
  WaveMixSession& session = validateSession(handle);
  deactivate(session);
  WaveMixCloseChannel(&session, 0, allChannels);
  // Requests still collected under mixWait go back to the pool as well.
  MixerState& state = mixerState();
  if (session.pendingTail != nullptr) {
    PlayRecord* record = session.pendingTail->next;
    session.pendingTail->next = nullptr;
    while (record != nullptr) {
      PlayRecord* next = record->next;
      state.pool.give(record);
      record = next;
    }
    session.pendingTail = nullptr;
  }
  session.magic = 0;
  session.magic2 = 0;
  state.current = nullptr;
  delete &session;
}

}  // namespace wavemix
