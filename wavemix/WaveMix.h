#pragma once
// The mixer's procedural interface: one session per process, eight logical channels of
// loaded waves mixed in real time into 8-bit PCM blocks queued at one output device.
//
// Threading: every function is called on one thread, the GUI thread, which also receives
// every end notice. The mixing pump runs on that thread too, from the device's block-done
// messages, unless the program asks for a pump thread of the mixer's own
// (WaveMixPlatform::pumpThread); then the functions share the mixer's state with that thread
// under the locks described in MixerState.h. Every failure raises EWaveMixError.
#include <cstdint>

#include "wavemix/EWaveMixError.h"
#include "wavemix/MemoryFileInfo.h"
#include "wavemix/WaveMixPlatform.h"
#include "wavemix/WaveMixSession.h"
#include "wavemix/WaveMixTypes.h"

namespace platform {
class ResourceModule;
}

namespace wavemix {

// Creates the session from the profile's configuration; `config` may be null.
HMixSession WaveMixInit(const WaveMixConfig* config);
// true opens the output device and starts mixing; false closes it. Idempotent.
void WaveMixActivate(HMixSession session, bool activate);
// Deactivates, closes every channel and frees the session. Waves stay loaded.
void WaveMixCloseSession(HMixSession session);

// Loads a RIFF WAVE image and converts it to the session's output format.
//  - kOpenFromResource: `source` names a "WAVE" resource of `module` (a name, or a number
//    made with WaveMixResourceNumber);
//  - kOpenFromMemory: `source` is a MemoryFileInfo (see WaveMixMemorySource);
//  - otherwise `source` is a file path.
WaveMixWave* WaveMixOpenWave(HMixSession session, const char* source,
                             const platform::ResourceModule* module, std::uint32_t flags);
// Stops and forgets every play of the wave (pending ones included), then frees it.
void WaveMixFreeWave(HMixSession session, WaveMixWave* wave);

// A resource number 0..65535 in the form WaveMixOpenWave takes as `source`.
const char* WaveMixResourceNumber(std::uint16_t number);
const char* WaveMixMemorySource(const MemoryFileInfo* info);

// mode kOpenOneChannel: channel 0..7; kOpenAllChannels: all; kOpenFirstChannels: channels
// 0..channel-1.
void WaveMixOpenChannel(HMixSession session, std::int32_t channel, std::int32_t mode);
// Drops the channel's plays (all channels with allChannels); remixes unless noRemix.
void WaveMixFlushChannel(HMixSession session, std::int32_t channel, std::uint32_t flags);
// Flushes without remixing and closes; audio already mixed plays out.
void WaveMixCloseChannel(HMixSession session, std::int32_t channel, std::uint32_t flags);
// Schedules one play (see PlayParams); with mixUseLruChannel the chosen channel is written
// back into params->channel.
void WaveMixPlay(PlayParams* params);

}  // namespace wavemix
