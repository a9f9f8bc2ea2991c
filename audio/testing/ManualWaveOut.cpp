#include "audio/testing/ManualWaveOut.h"

#include <algorithm>
#include <utility>

namespace platform {

ManualWaveOutStream::ManualWaveOutStream(ManualWaveOutSystem& system, std::int32_t id,
                                         const PcmFormat& format, MessageLoop& loop,
                                         WindowHandle callbackWindow)
    : system_(system), id_(id), format_(format), loop_(loop), window_(callbackWindow) {
  system_.stream_ = this;
}

ManualWaveOutStream::~ManualWaveOutStream() {
  reset();
  if (system_.stream_ == this) system_.stream_ = nullptr;
}

DeviceResult ManualWaveOutStream::prepareHeader(WaveHeader& header) {
  if (system_.prepareSuccessesLeft_ == 0) return system_.prepareFailure_;
  if (system_.prepareSuccessesLeft_ > 0) --system_.prepareSuccessesLeft_;
  header.flags |= kHeaderPrepared;
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::unprepareHeader(WaveHeader& header) {
  if (header.flags & kHeaderInQueue) return kDeviceStillPlaying;
  header.flags &= ~kHeaderPrepared;
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::write(WaveHeader& header) {
  if (!(header.flags & kHeaderPrepared)) return kDeviceUnprepared;
  if (system_.writeSuccessesLeft_ == 0) return system_.writesFailure_;
  if (system_.writeSuccessesLeft_ > 0) --system_.writeSuccessesLeft_;
  if (writeFailure_ != kDeviceOk) {
    const DeviceResult result = writeFailure_;
    if (!writeFailureSticky_) writeFailure_ = kDeviceOk;
    return result;
  }
  header.flags = (header.flags & ~kHeaderDone) | kHeaderInQueue;
  queue_.push_back(&header);
  writes_.push_back({&header, std::vector<std::uint8_t>(header.data, header.data + header.bufferLength)});
  events_.emplace_back("write");
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::pause() {
  paused_ = true;
  events_.emplace_back("pause");
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::restart() {
  paused_ = false;
  events_.emplace_back("restart");
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::reset() {
  events_.emplace_back("reset");
  while (!queue_.empty()) {
    WaveHeader* header = queue_.front();
    queue_.pop_front();
    markDone(*header);
  }
  headPlayed_ = 0;
  position_ = 0;
  return kDeviceOk;
}

DeviceResult ManualWaveOutStream::position(std::uint32_t& bytes) {
  bytes = position_;
  return kDeviceOk;
}

void ManualWaveOutStream::markDone(WaveHeader& header) {
  header.flags = (header.flags & ~kHeaderInQueue) | kHeaderDone;
  loop_.post(window_, Message{kMessageWaveDone, 0, reinterpret_cast<std::uintptr_t>(&header)});
}

bool ManualWaveOutStream::completeNext() {
  if (paused_ || queue_.empty()) return false;
  const WaveHeader& head = *queue_.front();
  return playBytes(head.bufferLength - headPlayed_) > 0 || head.bufferLength == 0;
}

std::size_t ManualWaveOutStream::completeAll() {
  std::size_t completed = 0;
  for (std::size_t queued = queue_.size(); queued > 0 && completeNext(); --queued) ++completed;
  return completed;
}

std::uint32_t ManualWaveOutStream::playBytes(std::uint32_t bytes) {
  if (paused_) return 0;
  std::uint32_t playedNow = 0;
  while (!queue_.empty()) {
    WaveHeader* head = queue_.front();
    const std::uint32_t left = head->bufferLength - headPlayed_;
    const std::uint32_t take = std::min(left, bytes - playedNow);
    played_.insert(played_.end(), head->data + headPlayed_, head->data + headPlayed_ + take);
    headPlayed_ += take;
    playedNow += take;
    position_ += take;
    if (headPlayed_ < head->bufferLength) break;
    queue_.pop_front();
    headPlayed_ = 0;
    markDone(*head);
    if (playedNow == bytes) break;
  }
  return playedNow;
}

void ManualWaveOutStream::clearRecords() {
  played_.clear();
  writes_.clear();
  events_.clear();
}

void ManualWaveOutStream::failWrites(DeviceResult result, bool sticky) {
  writeFailure_ = result;
  writeFailureSticky_ = sticky;
}

ManualWaveOutSystem::ManualWaveOutSystem(std::vector<ManualDeviceSpec> devices)
    : devices_(std::move(devices)) {}

std::uint32_t ManualWaveOutSystem::deviceCount() {
  return static_cast<std::uint32_t>(devices_.size());
}

DeviceResult ManualWaveOutSystem::capabilities(std::int32_t id, WaveOutCaps& caps) {
  if (capsResult_ != kDeviceOk) return capsResult_;
  if (devices_.empty()) return kDeviceBadId;
  // The mapper reports the first device's properties under its own name.
  if (id == kWaveMapper) {
    caps.productName = "Manual Wave Mapper";
    caps.channels = devices_.front().channels;
    caps.support = devices_.front().synchronous ? kCapsSync : 0;
    return kDeviceOk;
  }
  if (id < 0 || static_cast<std::size_t>(id) >= devices_.size()) return kDeviceBadId;
  const ManualDeviceSpec& spec = devices_[static_cast<std::size_t>(id)];
  caps.productName = spec.name.substr(0, 31);
  caps.channels = spec.channels;
  caps.support = spec.synchronous ? kCapsSync : 0;
  return kDeviceOk;
}

DeviceResult ManualWaveOutSystem::queryFormat(std::int32_t id, const PcmFormat&) {
  ++queryCount_;
  lastQueriedId_ = id;
  return queryResult_;
}

DeviceResult ManualWaveOutSystem::open(std::int32_t id, const PcmFormat& format, MessageLoop& loop,
                                       WindowHandle callbackWindow,
                                       std::unique_ptr<WaveOutStream>& stream) {
  if (openResult_ != kDeviceOk) return openResult_;
  if (stream_ != nullptr) return kDeviceAllocated;
  if (id != kWaveMapper && (id < 0 || static_cast<std::size_t>(id) >= devices_.size())) {
    return kDeviceBadId;
  }
  ++openCount_;
  stream = std::make_unique<ManualWaveOutStream>(*this, id, format, loop, callbackWindow);
  return kDeviceOk;
}

void ManualWaveOutSystem::failPrepareAfter(int successes, DeviceResult result) {
  prepareSuccessesLeft_ = successes;
  prepareFailure_ = result;
}

void ManualWaveOutSystem::failWritesAfter(int successes, DeviceResult result) {
  writeSuccessesLeft_ = successes;
  writesFailure_ = result;
}

}  // namespace platform
