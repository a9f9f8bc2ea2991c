// The mixing pump: play positions, output blocks and the playing queue, MixBlock, retiring
// finished plays, and the two ways of splicing a new play into audio already mixed.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>

#include "wavemix/MixSamples.h"
#include "wavemix/MixerState.h"
#include "wavemix/PlayRecord.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {

namespace {

std::uint32_t nowMs() { return platformOrThrow().clock->milliseconds(); }

std::uint32_t devicePosition(WaveMixSession& session) {
  std::uint32_t bytes = 0;
  if (session.waveOut && session.waveOut->position(bytes) != platform::kDeviceOk) bytes = 0;
  return bytes;
}

// A threaded device sets the done flag from its own thread (atomically); read it likewise.
bool headerDone(platform::WaveHeader& header) {
  return (std::atomic_ref<std::uint32_t>(header.flags).load() & platform::kHeaderDone) != 0;
}

// The plays taking part in a block: per channel with anything left at the mix position, the
// record now current in its chain; and the earliest start among them.
struct ActivePlays {
  PlayRecord* records[kChannelCount];
  int count = 0;
  std::int32_t nextStart = kNeverEnds;

  explicit ActivePlays(const WaveMixSession& session) {
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (!isChannelOpen(session, channel)) continue;
      PlayRecord* record = session.channelHead[channel];
      while (record != nullptr && record->endPos <= session.mixPosition) record = record->next;
      if (record == nullptr) continue;
      records[count++] = record;
      nextStart = std::min(nextStart, record->startPos);
    }
  }

  // Moves each play past what has ended by `pos`; a channel with nothing left leaves the set.
  void advanceTo(std::int32_t pos) {
    nextStart = kNeverEnds;
    for (int i = 0; i < count;) {
      PlayRecord* record = records[i];
      while (record != nullptr && pos >= record->endPos) record = record->next;
      if (record == nullptr) {
        records[i] = records[--count];
        continue;
      }
      records[i] = record;
      nextStart = std::min(nextStart, record->startPos);
      ++i;
    }
  }
};

// Mixes the plays sounding at `pos` into `destination`, up to `remaining` bytes but no further
// than the next start, end or loop turn of any of them. Returns the bytes written.
std::int32_t mixChunk(const ActivePlays& active, std::int32_t pos, std::int32_t remaining,
                      std::uint8_t* destination) {
  const std::uint8_t* sources[kChannelCount];
  std::int64_t chunkEnd = std::int64_t{pos} + remaining;
  int sourceCount = 0;
  for (int i = 0; i < active.count; ++i) {
    const PlayRecord& play = *active.records[i];
    if (pos < play.startPos) {
      chunkEnd = std::min<std::int64_t>(chunkEnd, play.startPos);
      continue;
    }
    chunkEnd = std::min<std::int64_t>(chunkEnd, play.endPos);
    std::int32_t offset = pos - play.startPos;
    if (play.params.loops != 0) {
      offset %= play.length;
      chunkEnd = std::min<std::int64_t>(chunkEnd, std::int64_t{pos} + play.length - offset);
    }
    sources[sourceCount++] = play.data + offset;
  }
  const auto count = static_cast<std::int32_t>(chunkEnd - pos);
  MixSamples(destination, sources, static_cast<std::size_t>(count), sourceCount);
  return count;
}

}  // namespace

bool isChannelOpen(const WaveMixSession& session, int channel) {
  return session.channelHead[channel] != closedChannelMark();
}

bool isChannelIdle(const WaveMixSession& session, int channel) {
  return session.channelHead[channel] == nullptr;
}

std::int32_t GetPlayPosition(WaveMixSession& session, bool useDevice) {
  if (useDevice) {
    return static_cast<std::int32_t>(devicePosition(session) +
                                     static_cast<std::uint32_t>(session.positionOffset));
  }
  const std::uint32_t elapsed = nowMs() - session.baseTime;
  std::int64_t position = std::int64_t{elapsed} * session.format.avgBytesPerSec / 1000;
  if (session.format.blockAlign > 1 && (position & 1)) --position;
  return static_cast<std::int32_t>(position);
}

void SetPlayPosition(WaveMixSession& session, std::int32_t position) {
  const std::uint32_t device = devicePosition(session);
  session.positionOffset = static_cast<std::int32_t>(static_cast<std::uint32_t>(position) - device);
  const std::int64_t ms = std::int64_t{position} * 1000 / session.format.avgBytesPerSec;
  session.baseTime = nowMs() - static_cast<std::uint32_t>(ms);
  const std::lock_guard schedule(mixerLock());
  session.mixPosition = position;
}

std::int32_t MixPosition(const WaveMixSession& session) {
  const std::lock_guard schedule(mixerLock());
  return session.mixPosition;
}

void ResetDevice(WaveMixSession& session) {
  const std::int32_t position = GetPlayPosition(session, session.goodWavePos == 1);
  if (session.waveOut) session.waveOut->reset();
  SetPlayPosition(session, position);
}

// ---- playing queue ----

void AppendToPlayingQueue(OutputBlock* block) {
  MixerState& state = mixerState();
  block->next = nullptr;
  if (state.queueTail != nullptr) {
    state.queueTail->next = block;
  } else {
    state.queueHead = block;
  }
  state.queueTail = block;
}

void RemoveFromPlayingQueue(OutputBlock* block) {
  MixerState& state = mixerState();
  OutputBlock* previous = nullptr;
  for (OutputBlock* b = state.queueHead; b != nullptr; previous = b, b = b->next) {
    if (b != block) continue;
    (previous != nullptr ? previous->next : state.queueHead) = b->next;
    if (state.queueTail == b) state.queueTail = previous;
    b->next = nullptr;
    return;
  }
}

void EmptyPlayingQueue() {
  MixerState& state = mixerState();
  for (OutputBlock* b = state.queueHead; b != nullptr;) {
    OutputBlock* next = b->next;
    b->next = nullptr;
    b = next;
  }
  state.queueHead = state.queueTail = nullptr;
}

bool PlayingQueueEmpty() { return mixerState().queueHead == nullptr; }

void WriteBlock(WaveMixSession& session, OutputBlock* block) {
  const platform::DeviceResult result =
      session.waveOut ? session.waveOut->write(block->header) : platform::kDeviceError;
  if (result != platform::kDeviceOk) {
    block->available = true;
    RemoveFromPlayingQueue(block);
    raise(messages::kWriteBlock);
  }
}

// ---- device blocks ----

void PrepareBlocks(WaveMixSession& session) {
  MixerState& state = mixerState();
  for (int i = 0; i < OutputBlock::kBlocks; ++i) {
    state.blocks[i] = new (std::nothrow) OutputBlock;
    if (state.blocks[i] == nullptr) {
      for (int j = 0; j < i; ++j) {
        delete state.blocks[j];
        state.blocks[j] = nullptr;
      }
      raise(messages::kNoMemory);
    }
    OutputBlock& block = *state.blocks[i];
    block.header.data = block.data;
    block.header.bufferLength = static_cast<std::uint32_t>(session.blockLength);
    block.available = true;
    block.session = &session;
  }
  for (int i = 0; i < OutputBlock::kBlocks; ++i) {
    const platform::DeviceResult result = session.waveOut->prepareHeader(state.blocks[i]->header);
    if (result != platform::kDeviceOk) {
      ReleaseBlocks(session);
      raiseWithCode(messages::kPrepareHeader, result);
    }
    // Not yet written: to the pump a prepared block looks like one the device has finished.
    state.blocks[i]->header.flags |= platform::kHeaderDone;
  }
}

void ReleaseBlocks(WaveMixSession& session) {
  MixerState& state = mixerState();
  EmptyPlayingQueue();
  bool stillHeld = false;
  for (OutputBlock* block : state.blocks) {
    if (block == nullptr || !session.waveOut || !(block->header.flags & platform::kHeaderPrepared)) continue;
    if (session.waveOut->unprepareHeader(block->header) != platform::kDeviceOk) stillHeld = true;
  }
  // A block the device will not give back may still be read by its thread; closing the
  // stream stops that thread, after which no block is touched.
  if (stillHeld) session.waveOut.reset();
  for (OutputBlock*& block : state.blocks) {
    delete block;
    block = nullptr;
  }
}

OutputBlock* GetFreeBlock(WaveMixSession& session) {
  MixerState& state = mixerState();
  for (int i = 0; i < session.blockCount && i < OutputBlock::kBlocks; ++i) {
    OutputBlock* block = state.blocks[i];
    if (block == nullptr || !block->available) continue;
    block->available = false;
    block->header.bufferLength = static_cast<std::uint32_t>(session.blockLength);
    block->header.data = block->data;
    block->session = state.deviceOwner;
    return block;
  }
  return nullptr;
}

// ---- mixing ----

bool MixBlock(WaveMixSession& session, OutputBlock* block) {
  ActivePlays active(session);
  if (active.count == 0) return false;

  std::int32_t pos = session.mixPosition;
  std::int32_t remaining = session.blockLength;
  std::uint8_t* destination = block->data;
  while (remaining > 0) {
    std::int32_t written;
    if (pos < active.nextStart) {
      // Silence up to the next start (128 is the 8-bit zero level).
      written = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, std::int64_t{active.nextStart} - pos));
      std::memset(destination, 128, static_cast<std::size_t>(written));
    } else {
      written = mixChunk(active, pos, remaining, destination);
    }
    pos += written;
    destination += written;
    remaining -= written;
    active.advanceTo(pos);
  }

  block->startPos = session.mixPosition;
  session.mixPosition += session.blockLength;
  return true;
}

void FillFreeBlocks(WaveMixSession& session) {
  while (OutputBlock* block = GetFreeBlock(session)) {
    bool mixed = false;
    {
      const std::lock_guard schedule(mixerLock());
      mixed = MixBlock(session, block);
    }
    if (!mixed) {
      block->available = true;
      return;
    }
    AppendToPlayingQueue(block);
    WriteBlock(session, block);
  }
}

void RetirePlays(WaveMixSession& session) {
  const std::int32_t position = GetPlayPosition(session, true);
  MixerState& state = mixerState();
  platform::MessageLoop& loop = *platformOrThrow().messageLoop;
  // The ended plays leave their chains under the mixer lock, in the order their notices go
  // out (by channel, then by end); the notices are posted with the lock let go.
  PlayRecord* ended = nullptr;
  PlayRecord** endedTail = &ended;
  {
    const std::lock_guard schedule(mixerLock());
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (!isChannelOpen(session, channel)) continue;
      while (session.channelHead[channel] != nullptr && session.channelHead[channel]->endPos <= position) {
        PlayRecord* record = session.channelHead[channel];
        session.channelHead[channel] = record->next;
        record->next = nullptr;
        *endedTail = record;
        endedTail = &record->next;
      }
    }
  }
  if (ended == nullptr) return;
  // Detached, the records are this thread's alone until they go back to the pool.
  for (const PlayRecord* record = ended; record != nullptr; record = record->next) {
    if (record->params.notifyWindow == 0) continue;
    loop.post(record->params.notifyWindow,
              platform::Message{kMessageWaveDone, static_cast<std::uintptr_t>(record->params.channel),
                                reinterpret_cast<std::uintptr_t>(record->wave)});
  }
  const std::lock_guard schedule(mixerLock());
  while (ended != nullptr) {
    PlayRecord* next = ended->next;
    state.pool.give(ended);
    ended = next;
  }
}

void PumpBlocks() {
  MixerState& state = mixerState();
  WaveMixSession* session = state.deviceOwner;
  if (session == nullptr || session->deviceLost) return;
  // A done message never says reliably which block it is about (a reset sends one for every
  // block), so every pass sweeps the whole queue.
  for (OutputBlock* block = state.queueHead; block != nullptr;) {
    if (headerDone(block->header)) {
      RemoveFromPlayingQueue(block);
      block->available = true;
      block = state.queueHead;
    } else {
      block = block->next;
    }
  }
  RetirePlays(*session);
  FillFreeBlocks(*session);
}

void RemixFromPosition(WaveMixSession& session, std::int32_t position, PlayRecord*) {
  // The device lets go of every queued block first, so no block is rewritten while the
  // device may still be reading it.
  ResetDevice(session);
  MixerState& state = mixerState();
  for (OutputBlock* block = state.queueHead; block != nullptr; block = block->next) {
    block->available = true;
  }
  EmptyPlayingQueue();
  {
    const std::lock_guard schedule(mixerLock());
    session.mixPosition = position;
    while (OutputBlock* block = GetFreeBlock(session)) {
      if (!MixBlock(session, block)) {
        block->available = true;
        break;
      }
      AppendToPlayingQueue(block);
    }
  }
  const PausedStream paused(session.waveOut.get());
  try {
    for (OutputBlock* block = state.queueHead; block != nullptr;) {
      OutputBlock* next = block->next;
      WriteBlock(session, block);
      block = next;
    }
  } catch (...) {
    // Blocks that never reached the device would wait in the queue forever.
    for (OutputBlock* block = state.queueHead; block != nullptr;) {
      OutputBlock* next = block->next;
      if (headerDone(block->header)) {
        block->available = true;
        RemoveFromPlayingQueue(block);
      }
      block = next;
    }
    throw;
  }
}

void ShiftToMixPosition(WaveMixSession& session, std::int32_t, PlayRecord* record) {
  // Only ever later: a request that itself starts behind the mixed audio (the remix was
  // asked for by an earlier one of the same batch) would otherwise be pulled forward over
  // the play before it in its chain.
  {
    const std::lock_guard schedule(mixerLock());
    if (record != nullptr && record->startPos < session.mixPosition) {
      const std::int64_t shift = std::int64_t{session.mixPosition} - record->startPos;
      const std::int64_t start = record->startPos + shift;
      std::int64_t end = record->endPos == kNeverEnds ? kNeverEnds : record->endPos + shift;
      if (end > kNeverEnds || start > end) end = kNeverEnds;
      record->startPos = static_cast<std::int32_t>(start);
      record->endPos = static_cast<std::int32_t>(end);
    }
  }
  PumpBlocks();
}

}  // namespace wavemix
