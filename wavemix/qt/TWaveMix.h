#pragma once
// The mixer as a component owned by a form: one session, the device opened through
// Activated and the channels opened through the Channels bit mask, applied in that order
// when the form sets them up.
//
// A play's end reaches its notify control as a TWaveMixDoneEvent, sent on the GUI thread
// from a message-loop window the component keeps for that control (see Play).
//
// Every operation may raise wavemix::EWaveMixError. GUI thread only.
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <map>

#include "platform/core/MessageLoop.h"
#include "wavemix/WaveMix.h"

class TWaveMix : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Activated READ Activated WRITE SetActivated)
  Q_PROPERTY(quint8 Channels READ Channels WRITE SetChannels)

 public:
  // Creates the session with the platform installed by wavemix::WaveMixSetPlatform; its
  // message loop also carries the notify controls' messages.
  explicit TWaveMix(QObject* owner = nullptr);
  // Closes the channels, the device and the session; loaded waves are the owner's to free.
  ~TWaveMix() override;

  bool Activated() const { return activated_; }
  // Opens (true) or closes the output device, unless in the design state.
  void SetActivated(bool value);
  quint8 Channels() const { return channels_; }
  // Bit i set = channel i open. Applied in the design state too.
  void SetChannels(quint8 value);
  // While set, Activated only records its value (the form is being edited, not run).
  void SetDesignState(bool designState) { designState_ = designState; }
  bool DesignState() const { return designState_; }

  wavemix::WaveMixWave* OpenWave(const QString& path);
  void FreeWave(wavemix::WaveMixWave* wave);
  // notifyControl may be null; when given it receives a TWaveMixDoneEvent once the play has
  // been played to its end. With mixUseLruChannel the chosen channel is in playParams().
  void Play(std::int32_t channel, wavemix::WaveMixWave* wave, QObject* notifyControl,
            std::uint32_t flags, std::uint16_t loops);

  wavemix::HMixSession session() const { return session_; }
  const wavemix::PlayParams& playParams() const { return playParams_; }

 private:
  platform::WindowHandle windowFor(QObject* control);
  void forgetControl(QObject* control);

  wavemix::PlayParams playParams_;
  wavemix::HMixSession session_ = nullptr;
  bool activated_ = false;
  quint8 channels_ = 0;
  bool designState_ = false;
  platform::MessageLoop* loop_ = nullptr;
  std::map<QObject*, platform::WindowHandle> notifyWindows_;
};
