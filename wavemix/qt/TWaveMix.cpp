#include "wavemix/qt/TWaveMix.h"

#include <QCoreApplication>
#include <QFile>

#include "wavemix/WaveMixMessages.h"
#include "wavemix/qt/TWaveMixDoneEvent.h"

using namespace wavemix;

TWaveMix::TWaveMix(QObject* owner) : QObject(owner) {
  WaveMixConfig config;  // size 10, nothing asked for: the profile decides
  session_ = WaveMixInit(&config);
  if (session_ == nullptr) throw EWaveMixError(messages::kInitFailed);
  loop_ = WaveMixGetPlatform().messageLoop;
  playParams_.size = 24;
  playParams_.session = session_;
}

TWaveMix::~TWaveMix() {
  // A destructor must not throw: failures while shutting the mixer down are dropped.
  try {
    SetChannels(0);
  } catch (const EWaveMixError&) {
  }
  try {
    SetActivated(false);
  } catch (const EWaveMixError&) {
  }
  if (session_ != nullptr) {
    try {
      WaveMixCloseSession(session_);
    } catch (const EWaveMixError&) {
    }
  }
  for (const auto& [control, window] : notifyWindows_) loop_->destroyWindow(window);
}

void TWaveMix::SetActivated(bool value) {
  if (value == activated_) return;
  if (!designState_) WaveMixActivate(session_, value);
  activated_ = value;
}

void TWaveMix::SetChannels(quint8 value) {
  if (value == channels_) return;
  if (value == 255) {
    WaveMixOpenChannel(session_, 0, kOpenAllChannels);
  } else if (value == 0) {
    WaveMixCloseChannel(session_, 0, allChannels);
  } else {
    const unsigned changed = static_cast<unsigned>(channels_ ^ value);
    for (int channel = 0; channel < kChannelCount; ++channel) {
      if (((changed >> channel) & 1u) == 0) continue;
      if ((static_cast<unsigned>(value) >> channel) & 1u) {
        WaveMixOpenChannel(session_, channel, kOpenOneChannel);
      } else {
        WaveMixCloseChannel(session_, channel, 0);
      }
    }
  }
  channels_ = value;
}

WaveMixWave* TWaveMix::OpenWave(const QString& path) {
  const QByteArray encoded = QFile::encodeName(path);
  return WaveMixOpenWave(session_, encoded.constData(), nullptr, kOpenFromFile);
}

void TWaveMix::FreeWave(WaveMixWave* wave) { WaveMixFreeWave(session_, wave); }

void TWaveMix::Play(std::int32_t channel, WaveMixWave* wave, QObject* notifyControl,
                    std::uint32_t flags, std::uint16_t loops) {
  playParams_.channel = channel;
  playParams_.wave = wave;
  playParams_.flags = flags;
  playParams_.loops = loops;
  playParams_.notifyWindow = notifyControl != nullptr ? windowFor(notifyControl) : 0;
  WaveMixPlay(&playParams_);
}

platform::WindowHandle TWaveMix::windowFor(QObject* control) {
  if (auto found = notifyWindows_.find(control); found != notifyWindows_.end()) return found->second;
  QPointer<QObject> target(control);
  const platform::WindowHandle window = loop_->createWindow([target](const platform::Message& message) {
    if (message.id != kMessageWaveDone || target.isNull()) return;
    TWaveMixDoneEvent event(static_cast<std::int32_t>(message.wParam),
                            reinterpret_cast<WaveMixWave*>(message.lParam));
    // Runs inside the event loop: whatever the control's handler throws stops here.
    try {
      QCoreApplication::sendEvent(target.data(), &event);
    } catch (...) {
    }
  });
  if (window == 0) throw EWaveMixError(messages::kCreateWindow);
  notifyWindows_.emplace(control, window);
  connect(control, &QObject::destroyed, this, [this, control] { forgetControl(control); });
  return window;
}

void TWaveMix::forgetControl(QObject* control) {
  auto found = notifyWindows_.find(control);
  if (found == notifyWindows_.end()) return;
  loop_->destroyWindow(found->second);
  notifyWindows_.erase(found);
}
