// Session lifetime, configuration from "WAVEMIX.INI", and activation of the output device.
#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "wavemix/MixerState.h"
#include "wavemix/PendingPlays.h"
#include "wavemix/PumpThread.h"
#include "wavemix/SessionSettings.h"
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
  const DeviceLockGuard device;
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

// Device lock held.
void activate(WaveMixSession& session) {
  MixerState& state = mixerState();
  if (state.deviceOwner == &session) return;
  if (state.deviceOwner != nullptr) raise(messages::kResourceAllocated);
  state.deviceOwner = &session;
  try {
    if (!session.waveOut) openDevice(session);
    session.active = true;
    session.deviceLost = false;
    SetPlayPosition(session, MixPosition(session));
    FillFreeBlocks(session);
    if (platformOrThrow().pumpThread) pumpThread().start();
  } catch (...) {
    // A failed activation leaves nothing open and gives the device back, so that a later
    // activation can try again. As in a deactivation, the device lets go of the blocks
    // already written before they are freed.
    session.active = false;
    if (session.waveOut) {
      ResetDevice(session);
      ReleaseBlocks(session);
      closeDevice(session);
    }
    state.deviceOwner = nullptr;
    throw;
  }
}

// Device lock held; the pump thread stopped.
void deactivate(WaveMixSession& session) {
  MixerState& state = mixerState();
  if (session.active) {
    // Mixing goes on from what was heard, not from what was mixed ahead.
    const std::int32_t played = GetPlayPosition(session, session.goodWavePos == 1);
    const std::lock_guard schedule(mixerLock());
    session.mixPosition = played;
  }
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

std::mutex& deviceLock() {
  static std::mutex lock;
  return lock;
}

PriorityInheritingMutex& mixerLock() {
  static PriorityInheritingMutex lock;
  return lock;
}

PumpThread& pumpThread() {
  static PumpThread thread;
  return thread;
}

DeviceLockGuard::DeviceLockGuard() { deviceLock().lock(); }

DeviceLockGuard::~DeviceLockGuard() {
  deviceLock().unlock();
  PumpThread& pump = pumpThread();
  if (pump.running()) pump.wake();
}

HMixSession currentSession() {
  const std::lock_guard schedule(mixerLock());
  return mixerState().current;
}

namespace {

// Device lock held, mixer lock not: the pump thread never waits for the first and may be
// waiting for the second.
void stopPumpThreadFor(const WaveMixSession& session) {
  if (&session == mixerState().deviceOwner) pumpThread().stop();
}

// Validates under the mixer lock, for calls that go on with the device lock alone.
WaveMixSession& validateSessionLocking(HMixSession handle) {
  const std::lock_guard schedule(mixerLock());
  return validateSession(handle);
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
  return *session;
}

namespace {

// ---- WaveMixInit's steps ----

void checkCanStart(const WaveMixPlatform& platform) {
  if (platform.moduleFileName) {
    std::string fileName;
    if (const std::uint32_t error = platform.moduleFileName(fileName); error != 0) {
      raiseWithCode(messages::kModuleFileName, error);
    }
  }
  const std::lock_guard schedule(mixerLock());
  if (mixerState().current != nullptr) raise(messages::kAlreadyInitialized);
  // No session exists, so no record can be in use: every record is free again.
  mixerState().pool.reset();
}

// What the chosen device says of itself; a device that does not answer is an unknown one
// that can play nothing in particular (0 channels).
struct DeviceFacts {
  std::string name;
  platform::WaveOutCaps caps;
};

DeviceFacts describeDevice(platform::WaveOutSystem& waveOut, std::int32_t deviceId) {
  DeviceFacts facts{messages::kUnknownDevice, {}};
  facts.caps.channels = 0;
  if (waveOut.capabilities(deviceId, facts.caps) == platform::kDeviceOk) {
    facts.name = facts.caps.productName.substr(0, 31);
  } else {
    facts.caps = platform::WaveOutCaps{};
    facts.caps.channels = 0;
  }
  return facts;
}

// Refuses a device whose driver blocks on every write, and one the profile lists under
// [not compatible].
void checkDeviceUsable(const platform::ProfileIni& ini, const DeviceFacts& device) {
  if (device.caps.support & platform::kCapsSync) {
    raise(device.name + messages::kSynchronous1 + messages::kSynchronous2 + messages::kSynchronous3);
  }
  if (ini.getInt("not compatible", device.name, 0) != 0) {
    raise(device.name + messages::kNotCompatible1 + messages::kNotCompatible2);
  }
}

WaveMixSession* newSession(std::int32_t deviceId, const std::string& deviceName) {
  auto* session = new (std::nothrow) WaveMixSession;
  if (session == nullptr) raise(messages::kNoMemory);
  session->magic = kSessionMagic;
  session->magic2 = kSessionMagic;
  std::fill(std::begin(session->channelHead), std::end(session->channelHead), closedChannelMark());
  session->deviceId = deviceId;
  copyName(session->deviceName, deviceName);
  return session;
}

void applySettings(WaveMixSession& session, const SessionSettings& settings) {
  session.remixProc = settings.shiftToMixPosition ? &ShiftToMixPosition : &RemixFromPosition;
  session.goodWavePos = settings.goodWavePos;
  session.blockCount = settings.blockCount;
  session.format = settings.format;
  session.blockLength = settings.blockLength;
}

platform::PcmFormat outputFormat(const platform::ProfileIni& ini, const WaveMixConfig* config,
                                 const std::string& section, std::uint16_t deviceChannels,
                                 int defaultRateClass) {
  platform::PcmFormat format{1, 1, 11025, 11025, 1, 8};
  if (config != nullptr && (config->flags & kConfigUseChannels) && config->channels > 1 && deviceChannels > 1) {
    format.channels = 2;
    format.blockAlign = 2;
  }
  int rateClass = ini.getInt(section, "SamplesPerSec", defaultRateClass);
  if (config != nullptr && (config->flags & kConfigUseRate) &&
      (config->samplingRate == 11 || config->samplingRate == 22 || config->samplingRate == 44)) {
    rateClass = config->samplingRate;
  }
  format.samplesPerSec = rateClass == 22 ? 22050 : rateClass == 44 ? 44100 : 11025;
  format.avgBytesPerSec = format.channels * format.samplesPerSec;
  return format;
}

std::int32_t blockLengthFor(const platform::ProfileIni& ini, const std::string& section,
                            const platform::PcmFormat& format) {
  const int defaultBlockLen = ini.getInt("default", "WaveBlockLen", 0) & ~3;
  const int deviceBlockLen = ini.getInt(section, "WaveBlockLen", 0);
  // Whole frames of every format (4 bytes covers stereo): a block that ended inside a frame
  // would start the next one on the other channel.
  if (deviceBlockLen != 0) return clamp(deviceBlockLen, 512, 4096) & ~3;
  if (defaultBlockLen != 0) return clamp(defaultBlockLen, 512, 4096);
  return std::min<std::int32_t>(2048 * static_cast<std::int32_t>(format.samplesPerSec / 11025), 4096);
}

}  // namespace

std::int32_t chooseDevice(const platform::ProfileIni& ini, std::uint32_t deviceCount) {
  const int deviceId = ini.getInt("general", "WaveOutDevice", 0);
  return deviceId >= 0 && static_cast<std::uint32_t>(deviceId) < deviceCount ? deviceId : platform::kWaveMapper;
}

SessionSettings readSettings(const platform::ProfileIni& ini, const WaveMixConfig* config,
                             const std::string& section, std::uint16_t deviceChannels) {
  if (config != nullptr && config->size != kWaveMixConfigSize) config = nullptr;
  SessionSettings settings;
  // A device's own section overrides [default], which overrides the built-in values.
  const int remix = ini.getInt("default", "Remix", 1);
  const int goodWavePos = ini.getInt("default", "GoodWavePos", 0);
  const int waveBlocks = ini.getInt("default", "WaveBlocks", 3);
  const int samplesPerSec = ini.getInt("default", "SamplesPerSec", 11);
  settings.shiftToMixPosition = ini.getInt(section, "Remix", remix) == 2;
  settings.goodWavePos = static_cast<std::uint8_t>(ini.getInt(section, "GoodWavePos", goodWavePos));
  settings.blockCount = clamp(ini.getInt(section, "WaveBlocks", waveBlocks), 2, 6);
  settings.format = outputFormat(ini, config, section, deviceChannels, samplesPerSec);
  settings.blockLength = blockLengthFor(ini, section, settings.format);
  return settings;
}

// Only the GUI thread makes sessions, and no pump runs without one, so nothing can start a
// session between the check and the end; the device set is asked with no lock held.
HMixSession WaveMixInit(const WaveMixConfig* config) {
  const WaveMixPlatform& platform = platformOrThrow();
  checkCanStart(platform);
  const std::uint32_t deviceCount = platform.waveOut->deviceCount();
  if (deviceCount == 0) raise(messages::kNoDevices);

  const platform::ProfileIni& ini = *platform.profile;
  const std::int32_t deviceId = chooseDevice(ini, deviceCount);
  const DeviceFacts device = describeDevice(*platform.waveOut, deviceId);
  checkDeviceUsable(ini, device);

  WaveMixSession* session = newSession(deviceId, device.name);
  // The section is the name as stored: at most 31 characters.
  applySettings(*session, readSettings(ini, config, session->deviceName, device.caps.channels));
  const std::lock_guard schedule(mixerLock());
  mixerState().current = session;
  return session;
}

void WaveMixActivate(HMixSession handle, bool activateDevice) {
  const DeviceLockGuard device;
  WaveMixSession& session = validateSessionLocking(handle);
  if (activateDevice) {
    activate(session);
  } else {
    stopPumpThreadFor(session);
    deactivate(session);
  }
}

void WaveMixCloseSession(HMixSession handle) {
  const DeviceLockGuard device;
  WaveMixSession& session = validateSessionLocking(handle);
  stopPumpThreadFor(session);
  deactivate(session);
  {
    const std::lock_guard schedule(mixerLock());
    closeChannels(session, 0, allChannels);
    // Requests still collected under mixWait go back to the pool as well.
    MixerState& state = mixerState();
    PendingPlays pending(session.pendingTail);
    while (PlayRecord* record = pending.takeOldest()) state.pool.give(record);
    session.magic = 0;
    session.magic2 = 0;
    state.current = nullptr;
  }
  delete &session;
}

}  // namespace wavemix
