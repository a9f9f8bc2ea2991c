#include "wavemix/qt/TWaveMixDoneEvent.h"

TWaveMixDoneEvent::TWaveMixDoneEvent(std::int32_t channel, wavemix::WaveMixWave* wave)
    : QEvent(eventType()), channel_(channel), wave_(wave) {}

QEvent::Type TWaveMixDoneEvent::eventType() {
  static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}
