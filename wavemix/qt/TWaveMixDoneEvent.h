#pragma once
// The finished-play message as a Qt event: sent to a Play's notify control on the GUI thread
// when the play has been played to its end (not when it is flushed, cleared or freed).
#include <QEvent>
#include <cstdint>

#include "wavemix/WaveMixTypes.h"

class TWaveMixDoneEvent final : public QEvent {
 public:
  TWaveMixDoneEvent(std::int32_t channel, wavemix::WaveMixWave* wave);
  // The registered event type; one value for the whole process.
  static QEvent::Type eventType();

  std::int32_t channel() const { return channel_; }
  wavemix::WaveMixWave* wave() const { return wave_; }

 private:
  std::int32_t channel_;
  wavemix::WaveMixWave* wave_;
};
