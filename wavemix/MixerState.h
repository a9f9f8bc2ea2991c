#pragma once
// Process-wide mixer state and the internal operations shared by the session, loading,
// channel and pump code. Not part of the public interface. GUI thread only.
#include <cstdint>
#include <mutex>
#include <string>

#include "wavemix/OutputBlock.h"
#include "wavemix/PlayPool.h"
#include "wavemix/WaveMixPlatform.h"
#include "wavemix/WaveMixSession.h"

namespace wavemix {

struct MixerState {
  WaveMixSession* current = nullptr;      // the one session, null when none exists
  WaveMixSession* deviceOwner = nullptr;  // the session that owns the device, if any
  PlayPool pool;
  OutputBlock* blocks[OutputBlock::kBlocks] = {};  // allocated while the device is open
  OutputBlock* queueHead = nullptr;  // playing queue: blocks at the device in write order
  OutputBlock* queueTail = nullptr;
};

MixerState& mixerState();
// Held by every WaveMix* call and by the pump thread around PumpBlocks (recursive: WaveMix*
// calls call each other). Without a pump thread it is only ever taken by the GUI thread.
std::recursive_mutex& mixerLock();
class PumpThread;
PumpThread& pumpThread();
const WaveMixPlatform& platformOrThrow();

[[noreturn]] void raise(const char* message);
[[noreturn]] void raise(const std::string& message);
[[noreturn]] void raiseWithCode(const char* message, std::uint32_t code);

// Checks the handle and makes it the current session.
WaveMixSession& validateSession(HMixSession session);
bool isChannelOpen(const WaveMixSession& session, int channel);
bool isChannelIdle(const WaveMixSession& session, int channel);

// Play position in bytes: from the device (plus positionOffset) or estimated from the clock.
std::int32_t GetPlayPosition(WaveMixSession& session, bool useDevice);
void SetPlayPosition(WaveMixSession& session, std::int32_t position);
void ResetDevice(WaveMixSession& session);

bool MixBlock(WaveMixSession& session, OutputBlock* block, bool write);
OutputBlock* GetFreeBlock(WaveMixSession& session);
void FillFreeBlocks(WaveMixSession& session);
void RetirePlays(WaveMixSession& session);
void PumpBlocks();
void RemixFromPosition(WaveMixSession& session, std::int32_t position, PlayRecord* record);
void ShiftToMixPosition(WaveMixSession& session, std::int32_t position, PlayRecord* record);

// Device blocks: allocated and prepared at activation, released at deactivation.
void PrepareBlocks(WaveMixSession& session);
// Unprepares and frees the blocks. A block the device still holds is never freed while the
// device could read it: if the device refuses to let one go, it is closed first.
void ReleaseBlocks(WaveMixSession& session);
void AppendToPlayingQueue(OutputBlock* block);
void RemoveFromPlayingQueue(OutputBlock* block);
void EmptyPlayingQueue();
bool PlayingQueueEmpty();
// Hands a queued block to the device; a refusal takes it out of the queue again and raises.
void WriteBlock(WaveMixSession& session, OutputBlock* block);

// Holds a device stream paused while blocks are handed to it, so that it starts them
// together, and restarts it on every way out, an exception included. A null stream: nothing.
class PausedStream {
 public:
  explicit PausedStream(platform::WaveOutStream* stream) : stream_(stream) {
    if (stream_ != nullptr) stream_->pause();
  }
  ~PausedStream() {
    if (stream_ != nullptr) stream_->restart();
  }
  PausedStream(const PausedStream&) = delete;
  PausedStream& operator=(const PausedStream&) = delete;

 private:
  platform::WaveOutStream* stream_;
};

// Returns a channel's whole chain to the pool. Returns the number of records dropped.
int DropChain(WaveMixSession& session, int channel);
// Unlinks every scheduled and pending play of the wave and returns it to the pool.
void DropPlaysOfWave(WaveMixSession& session, const WaveMixWave* wave);

}  // namespace wavemix
