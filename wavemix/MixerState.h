#pragma once
// Process-wide mixer state and the internal operations shared by the session, loading,
// channel and pump code. Not part of the public interface.
//
// Threads. Three threads meet here:
//  - the GUI thread makes every WaveMix* call and receives every end notice; without a pump
//    thread it also runs the pump (the callback window's done messages);
//  - the pump thread (WaveMixPlatform::pumpThread, PumpThread.h), at real-time priority, runs
//    one pump pass (PumpBlocks) each time the device reports a block done;
//  - a device's own thread (the ALSA writer, the paced null device) never enters the mixer:
//    it sets a written header's done flag (atomically) and posts a done message.
//
// Locks, always taken in this order, neither of them recursive:
//  1. The device lock (deviceLock()) owns the output side: MixerState::deviceOwner, blocks
//     and the playing queue, each block's header and data, and per session waveOut,
//     callbackWindow, active, deviceLost, positionOffset and baseTime. Every call on the
//     session's stream is made with it held. The GUI thread holds it through a whole WaveMix*
//     call that can reach the device (DeviceLockGuard); the pump thread holds it for a pass.
//  2. The mixer lock (mixerLock()) owns the schedule: MixerState::current and pool, and per
//     session channelHead with the chains of records, pendingTail, openChannelCount,
//     channelStamp, playCounter and mixPosition, and the life of a wave's samples (mixing
//     reads them under it; WaveMixFreeWave frees them only after dropping every play of the
//     wave under it). Calls that touch only the schedule take it alone: WaveMixInit,
//     WaveMixOpenWave, WaveMixFreeWave, WaveMixOpenChannel and WaveMixCloseChannel.
// A session's format, block setup, device choice and remix method are written by WaveMixInit
// before it returns the handle and only read afterwards, with either lock or none. The
// platform record (WaveMixSetPlatform) changes only while no session exists, so while no
// pump thread runs.
// After these two come only locks that nothing is taken under: a stream's own lock (held
// inside a device call, which may post from under it) and a message loop's or the pump
// thread's wake-up lock (held inside a post).
//
// While the mixer lock is held nothing waits: no call on a device or device set, no post to
// a message loop (end notices are collected under it and posted after), no joining of the
// pump thread. Its sections last microseconds: the mixing of a few blocks at most.
//
// The pump never waits for a device call made on the GUI thread: it only tries the device
// lock. While the GUI thread holds it (a remix resetting an ALSA stream sits in
// snd_pcm_drop/prepare for milliseconds), the pass is skipped, and the GUI thread wakes the
// pump again as it lets go; every pass sweeps every block, so a block finished meanwhile is
// seen one pass later, never missed. The pump does wait for the mixer lock, but only through
// those short sections, and the mixer lock inherits priority: a GUI thread holding it runs
// at the pump's priority until it lets go, so no ordinary busy thread can stretch the wait.
// (Handing every device call to the pump thread instead would make each WaveMix* call wait
// for that thread and carry its errors back across threads.) The GUI thread may wait for the
// device lock while the pump holds it: the low priority waiting for the high one, for one
// pass.
#include <cstdint>
#include <mutex>
#include <string>

#include "wavemix/OutputBlock.h"
#include "wavemix/PlayPool.h"
#include "wavemix/PriorityInheritingMutex.h"
#include "wavemix/WaveMixPlatform.h"
#include "wavemix/WaveMixSession.h"

namespace wavemix {

struct MixerState {
  WaveMixSession* current = nullptr;      // mixer lock: the one session, null when none exists
  WaveMixSession* deviceOwner = nullptr;  // device lock: the session that owns the device
  PlayPool pool;                          // mixer lock
  // Device lock from here on.
  OutputBlock* blocks[OutputBlock::kBlocks] = {};  // allocated while the device is open
  OutputBlock* queueHead = nullptr;  // playing queue: blocks at the device in write order
  OutputBlock* queueTail = nullptr;
};

MixerState& mixerState();
std::mutex& deviceLock();
PriorityInheritingMutex& mixerLock();
class PumpThread;
PumpThread& pumpThread();

// The device lock as the GUI thread takes it: waits for a pump pass in progress, and on
// release wakes the pump thread for the pass it may have skipped meanwhile.
class DeviceLockGuard {
 public:
  DeviceLockGuard();
  ~DeviceLockGuard();
  DeviceLockGuard(const DeviceLockGuard&) = delete;
  DeviceLockGuard& operator=(const DeviceLockGuard&) = delete;
};

// The session of the handle, if it is the live one; what a program's host closes on exit.
// Takes the mixer lock.
HMixSession currentSession();
const WaveMixPlatform& platformOrThrow();

[[noreturn]] void raise(const char* message);
[[noreturn]] void raise(const std::string& message);
[[noreturn]] void raiseWithCode(const char* message, std::uint32_t code);

// Below, "device lock" / "mixer lock" say which lock the caller must hold; a function that
// names only the device lock takes the mixer lock itself where it needs it.

// Mixer lock. Checks that the handle is the live session.
WaveMixSession& validateSession(HMixSession session);
bool isChannelOpen(const WaveMixSession& session, int channel);
bool isChannelIdle(const WaveMixSession& session, int channel);
// Mixer lock. Drops the plays of the channel (of every channel with allChannels) and closes
// it; raises as WaveMixCloseChannel does.
void closeChannels(WaveMixSession& session, std::int32_t channel, std::uint32_t flags);

// Device lock. Play position in bytes: from the device (plus positionOffset) or estimated
// from the clock.
std::int32_t GetPlayPosition(WaveMixSession& session, bool useDevice);
// Device lock. Makes `position` the play position and the mix position.
void SetPlayPosition(WaveMixSession& session, std::int32_t position);
// Device lock. The device lets go of every block; the play position stays where it was.
void ResetDevice(WaveMixSession& session);
// Mixer lock (without the device lock: nothing else).
std::int32_t MixPosition(const WaveMixSession& session);

// Both locks. Mixes the block at the mix position and advances it; false (and nothing
// mixed) when nothing plays there. Writes nothing to the device.
bool MixBlock(WaveMixSession& session, OutputBlock* block);
// Device lock.
OutputBlock* GetFreeBlock(WaveMixSession& session);
void FillFreeBlocks(WaveMixSession& session);
void RetirePlays(WaveMixSession& session);
void PumpBlocks();
void RemixFromPosition(WaveMixSession& session, std::int32_t position, PlayRecord* record);
void ShiftToMixPosition(WaveMixSession& session, std::int32_t position, PlayRecord* record);

// Device lock. Device blocks: allocated and prepared at activation, released at
// deactivation.
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

// Device lock. Holds a device stream paused while blocks are handed to it, so that it starts them
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

// Mixer lock. Returns a channel's whole chain to the pool. Returns the number of records
// dropped.
int DropChain(WaveMixSession& session, int channel);
// Mixer lock. Unlinks every scheduled and pending play of the wave and returns it to the
// pool.
void DropPlaysOfWave(WaveMixSession& session, const WaveMixWave* wave);

}  // namespace wavemix
