#pragma once
// The channel-mask dialog: eight check boxes, channel 7 on the left to channel 0 on the
// right, each standing for bit Tag of the mask (checked = channel open), and OK.
#include <QDialog>
#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class TfChannels : public QDialog {
  Q_OBJECT

 public:
  explicit TfChannels(QWidget* parent = nullptr);

  // The mask the boxes show when the dialog is shown.
  void setMask(quint8 mask);
  // The mask given (or, after OK, the one confirmed): Σ 2^Tag over the checked boxes.
  quint8 mask() const { return mask_; }
  // Shows the dialog modally; the edited mask on OK, `mask` itself otherwise.
  static quint8 editMask(QWidget* parent, quint8 mask);

  QCheckBox* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
  QPushButton* okButton() const { return Button1; }

 public slots:
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Loads the boxes from the mask each time the dialog comes up.
  void FormActivate();

  quint8 mask_ = 0;
  QFrame* Bevel1 = nullptr;
  std::array<QLabel*, 8> labels_{};
  std::array<QCheckBox*, 8> boxes_{};  // C1, c2 … c8 from left to right
  QPushButton* Button1 = nullptr;
};
