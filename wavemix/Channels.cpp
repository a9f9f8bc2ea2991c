// Channels and their play chains: opening, flushing, closing, and scheduling plays.
#include <algorithm>

#include "wavemix/MixerState.h"
#include "wavemix/PendingPlays.h"
#include "wavemix/PlayRecord.h"
#include "wavemix/WaveMix.h"
#include "wavemix/WaveMixInspect.h"
#include "wavemix/WaveMixMessages.h"

namespace wavemix {

namespace {

bool isValidChannel(std::int32_t channel) { return channel >= 0 && channel < kChannelCount; }

void openOne(WaveMixSession& session, int channel) {
  session.channelHead[channel] = nullptr;
  ++session.openChannelCount;
}

std::int32_t endPosition(std::int32_t start, std::uint16_t loops, std::int32_t length) {
  if (loops == kLoopForever || start == kNeverEnds) return kNeverEnds;
  const std::int64_t end = std::int64_t{start} + (std::int64_t{loops} + 1) * length;
  return end >= kNeverEnds ? kNeverEnds : static_cast<std::int32_t>(end);
}

int chooseLeastRecentlyUsed(const WaveMixSession& session) {
  // Starts from the first open channel rather than channel 0, so that a closed channel 0
  // is never chosen while others are open.
  int candidate = -1;
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (!isChannelOpen(session, channel)) continue;
    if (candidate < 0) candidate = channel;
    if (isChannelIdle(session, candidate)) break;
    if (session.channelStamp[channel] < session.channelStamp[candidate]) candidate = channel;
  }
  return candidate < 0 ? 0 : candidate;
}

}  // namespace

int DropChain(WaveMixSession& session, int channel) {
  int dropped = 0;
  PlayRecord* record = session.channelHead[channel];
  if (record == closedChannelMark()) return 0;
  while (record != nullptr) {
    PlayRecord* next = record->next;
    mixerState().pool.give(record);
    record = next;
    ++dropped;
  }
  session.channelHead[channel] = nullptr;
  return dropped;
}

void DropPlaysOfWave(WaveMixSession& session, const WaveMixWave* wave) {
  MixerState& state = mixerState();
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (!isChannelOpen(session, channel)) continue;
    PlayRecord** link = &session.channelHead[channel];
    const PlayRecord* previous = nullptr;
    while (*link != nullptr) {
      PlayRecord* record = *link;
      if (record->wave == wave) {
        *link = record->next;
        state.pool.give(record);
        continue;
      }
      // A play queued behind an endless one was given the never-reached start; with the
      // endless play gone it follows what is left before it, after the audio already mixed.
      if (record->startPos == kNeverEnds && (previous == nullptr || previous->endPos != kNeverEnds)) {
        record->startPos = previous == nullptr ? session.mixPosition : std::max(session.mixPosition, previous->endPos);
        record->endPos = endPosition(record->startPos, record->params.loops, record->length);
      }
      previous = record;
      link = &record->next;
    }
  }
  // Requests collected under mixWait would otherwise be scheduled later with freed data.
  PendingPlays pending(session.pendingTail);
  for (std::size_t left = pending.size(); left > 0; --left) {
    PlayRecord* record = pending.takeOldest();
    if (record->wave == wave) {
      state.pool.give(record);
    } else {
      pending.append(record);
    }
  }
}

void WaveMixOpenChannel(HMixSession handle, std::int32_t channel, std::int32_t mode) {
  const std::lock_guard schedule(mixerLock());
  WaveMixSession& session = validateSession(handle);
  if (mode > 2) raise(messages::kInvalidFlags);
  if (mode == kOpenOneChannel && !isValidChannel(channel)) raise(messages::kInvalidChannel);
  if (mode == kOpenFirstChannels && (channel > kChannelCount || channel < 1)) {
    raise(messages::kInvalidChannelCount);
  }
  if (mode < 0) raise(messages::kInvalidFlag);
  if (mode == kOpenOneChannel) {
    if (isChannelOpen(session, channel)) raise(messages::kChannelAlreadyOpen);
    openOne(session, channel);
    return;
  }
  const int last = mode == kOpenAllChannels ? kChannelCount : channel;
  for (int c = 0; c < last; ++c) {
    if (!isChannelOpen(session, c)) openOne(session, c);
  }
}

namespace {

// Mixer lock. Checks the channel and drops its chain (every chain with allChannels).
int dropChannels(WaveMixSession& session, std::int32_t channel, std::uint32_t flags) {
  int dropped = 0;
  if (flags & allChannels) {
    for (int c = 0; c < kChannelCount; ++c) dropped += DropChain(session, c);
  } else {
    if (!isValidChannel(channel)) raise(messages::kInvalidChannel);
    if (!isChannelOpen(session, channel)) raise(messages::kChannelNotOpen);
    dropped = DropChain(session, channel);
  }
  return dropped;
}

}  // namespace

void closeChannels(WaveMixSession& session, std::int32_t channel, std::uint32_t flags) {
  dropChannels(session, channel, flags);
  for (int c = 0; c < kChannelCount; ++c) {
    const bool selected = (flags & allChannels) ? true : c == channel;
    if (!selected || !isChannelOpen(session, c)) continue;
    session.channelHead[c] = closedChannelMark();
    --session.openChannelCount;
  }
}

void WaveMixFlushChannel(HMixSession handle, std::int32_t channel, std::uint32_t flags) {
  const DeviceLockGuard device;
  WaveMixSession* session = nullptr;
  int dropped = 0;
  {
    const std::lock_guard schedule(mixerLock());
    session = &validateSession(handle);
    dropped = dropChannels(*session, channel, flags);
  }
  if (dropped > 0 && !(flags & noRemix) && session->active && !session->deviceLost) {
    session->remixProc(*session, GetPlayPosition(*session, session->goodWavePos == 1), nullptr);
  }
}

// Closing never remixes (what is mixed plays out), so it needs only the schedule.
void WaveMixCloseChannel(HMixSession handle, std::int32_t channel, std::uint32_t flags) {
  const std::lock_guard schedule(mixerLock());
  closeChannels(validateSession(handle), channel, flags);
}

namespace {

// ---- WaveMixPlay's steps ----

// Refuses what cannot be played and settles the channel (the least recently used one when
// asked). The channel's stamp counts the request even when the channel then turns out closed.
WaveMixSession& checkPlay(PlayParams* params) {
  if (params == nullptr) raise(messages::kNilParams);
  WaveMixSession& session = validateSession(params->session);
  if (params->wave == nullptr) raise(messages::kNilWave);
  if (!session.active) raise(messages::kNotActive);
  if (session.deviceLost) raise(messages::kWriteBlock);
  if (session.openChannelCount == 0) raise(messages::kNoOpenChannel);
  if (params->flags & mixUseLruChannel) {
    params->channel = chooseLeastRecentlyUsed(session);
  } else if (!isValidChannel(params->channel)) {
    raise(messages::kInvalidChannel);
  }
  ++session.playCounter;
  session.channelStamp[params->channel] = session.playCounter;
  if (!isChannelOpen(session, params->channel)) raise(messages::kChannelNotOpen);
  return session;
}

void queueRequest(WaveMixSession& session, const PlayParams& params) {
  PlayRecord* record = mixerState().pool.take();
  if (record == nullptr) raise(messages::kNotEnoughMemory);
  record->params = params;
  record->wave = params.wave;
  record->length = static_cast<std::int32_t>(params.wave->header.bufferLength);
  record->data = params.wave->header.data;
  PendingPlays(session.pendingTail).append(record);
}

// Nothing queued at the device and every open channel idle: the mixer starts afresh at 0.
bool everythingQuiet(const WaveMixSession& session) {
  bool quiet = PlayingQueueEmpty();
  for (int c = 0; c < kChannelCount && quiet; ++c) {
    quiet = !isChannelOpen(session, c) || isChannelIdle(session, c);
  }
  return quiet;
}

// Links one play into its channel's chain and gives it its start and end. Returns whether
// audio already mixed must be mixed again for it.
bool schedule(WaveMixSession& session, PlayRecord* play, std::int32_t now) {
  const int c = play->params.channel;
  const std::uint32_t flags = play->params.flags;
  bool remix = false;
  if (flags & mixClearChannel) {
    DropChain(session, c);
    session.channelHead[c] = play;
    remix = !PlayingQueueEmpty();
    play->startPos = (flags & mixStartNow) ? now : session.mixPosition;
  } else if (PlayRecord* tail = session.channelHead[c]; tail != nullptr) {
    while (tail->next != nullptr) tail = tail->next;
    tail->next = play;
    play->startPos = (flags & mixStartNow) ? tail->endPos : std::max(session.mixPosition, tail->endPos);
    remix = session.mixPosition > play->startPos;
  } else {
    session.channelHead[c] = play;
    play->startPos = (flags & mixStartNow) ? now : session.mixPosition;
    remix = session.mixPosition > play->startPos;
  }
  play->endPos = endPosition(play->startPos, play->params.loops, play->length);
  return remix;
}

struct Scheduled {
  bool remix = false;
  PlayRecord* last = nullptr;  // the last play scheduled
};

// Schedules every pending request, oldest first.
Scheduled scheduleAllPending(WaveMixSession& session, std::int32_t now) {
  Scheduled scheduled;
  PendingPlays pending(session.pendingTail);
  while (PlayRecord* play = pending.takeOldest()) {
    if (!isChannelOpen(session, play->params.channel)) {
      // Collected under mixWait on a channel closed since: nothing to play it on.
      mixerState().pool.give(play);
      continue;
    }
    if (schedule(session, play, now)) scheduled.remix = true;
    scheduled.last = play;
  }
  return scheduled;
}

// Brings the device up to date with the new plays: mixes again from the play position when
// a play starts inside audio already mixed, else mixes them into free blocks.
void mixNewPlays(WaveMixSession& session, const Scheduled& scheduled, std::int32_t now) {
  if (scheduled.remix) {
    // Remixing restarts the device at the play position, so mixing must restart there too:
    // starting later would skip queued audio of every channel, earlier would repeat it.
    session.remixProc(session, now, scheduled.last);
    return;
  }
  // From silence, the first blocks are handed over paused so that the device starts them together.
  const PausedStream paused(PlayingQueueEmpty() ? session.waveOut.get() : nullptr);
  FillFreeBlocks(session);
}

}  // namespace

void WaveMixPlay(PlayParams* params) {
  const DeviceLockGuard device;
  WaveMixSession* session = nullptr;
  bool quiet = false;
  {
    const std::lock_guard schedule(mixerLock());
    session = &checkPlay(params);
    queueRequest(*session, *params);
    if (params->flags & mixWait) return;
    quiet = everythingQuiet(*session);
  }
  if (quiet) SetPlayPosition(*session, 0);
  const std::int32_t now = GetPlayPosition(*session, session->goodWavePos == 1);
  Scheduled scheduled;
  {
    const std::lock_guard schedule(mixerLock());
    scheduled = scheduleAllPending(*session, now);
  }
  mixNewPlays(*session, scheduled, now);
}

MixerSnapshot WaveMixInspect(HMixSession handle) {
  const DeviceLockGuard device;
  const std::lock_guard schedule(mixerLock());
  WaveMixSession& session = validateSession(handle);
  MixerState& state = mixerState();
  MixerSnapshot snapshot;
  for (int c = 0; c < kChannelCount; ++c) {
    snapshot.channelOpen[c] = isChannelOpen(session, c);
    if (!snapshot.channelOpen[c]) continue;
    for (const PlayRecord* r = session.channelHead[c]; r != nullptr; r = r->next) {
      snapshot.chains[c].push_back({r->wave, r->startPos, r->endPos, r->params.loops, r->params.notifyWindow});
    }
  }
  snapshot.pendingPlays = PendingPlays(session.pendingTail).size();
  snapshot.freePlayRecords = state.pool.freeCount();
  for (const OutputBlock* b = state.queueHead; b != nullptr; b = b->next) ++snapshot.queuedBlocks;
  snapshot.mixPosition = session.mixPosition;
  return snapshot;
}

std::int32_t WaveMixPlayPosition(HMixSession handle) {
  const DeviceLockGuard device;
  WaveMixSession* session = nullptr;
  {
    const std::lock_guard schedule(mixerLock());
    session = &validateSession(handle);
  }
  return GetPlayPosition(*session, session->goodWavePos == 1);
}

}  // namespace wavemix
