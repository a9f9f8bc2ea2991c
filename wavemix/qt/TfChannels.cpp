#include "wavemix/qt/TfChannels.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kLeft[8] = {6, 19, 31, 44, 57, 69, 82, 95};
constexpr int kBoxWidth[8] = {13, 20, 20, 20, 20, 20, 20, 20};

}  // namespace

TfChannels::TfChannels(QWidget* parent) : QDialog(parent) {
  setObjectName("fChannels");
  setWindowTitle("Channels");
  // A single fixed border with only the system menu: no resizing, no help or size buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(116, 72);
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  setFont(font);

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Bevel1->setGeometry(1, 1, 110, 70);

  for (int i = 0; i < 8; ++i) {
    const int tag = 7 - i;
    QLabel* label = new QLabel(QString::number(tag), this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kLeft[i], 7, 13, 11);
    labels_[static_cast<std::size_t>(i)] = label;

    QCheckBox* box = new QCheckBox(i == 0 ? QString() : QString("c%1").arg(i + 1), this);
    box->setObjectName(i == 0 ? QString("C1") : QString("c%1").arg(i + 1));
    box->setProperty("Tag", tag);
    box->setGeometry(kLeft[i], i == 2 ? 16 : 17, kBoxWidth[i], 24);
    boxes_[static_cast<std::size_t>(i)] = box;
  }
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(34, 47, 42, 17);
  Button1->setDefault(true);
  for (int i = 0; i + 1 < 8; ++i) setTabOrder(boxes_[static_cast<std::size_t>(i)], boxes_[static_cast<std::size_t>(i + 1)]);
  setTabOrder(boxes_[7], Button1);
  connect(Button1, &QPushButton::clicked, this, &TfChannels::accept);
}

void TfChannels::setMask(quint8 mask) {
  mask_ = mask;
  if (isVisible()) FormActivate();
}

void TfChannels::FormActivate() {
  for (QCheckBox* box : boxes_) box->setChecked((mask_ >> box->property("Tag").toInt()) & 1);
}

void TfChannels::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TfChannels::accept() {
  int mask = 0;
  for (const QCheckBox* box : boxes_) {
    if (box->isChecked()) mask += 1 << box->property("Tag").toInt();
  }
  mask_ = static_cast<quint8>(mask);
  QDialog::accept();
}

quint8 TfChannels::editMask(QWidget* parent, quint8 mask) {
  TfChannels dialog(parent);
  dialog.setMask(mask);
  return dialog.exec() == QDialog::Accepted ? dialog.mask() : mask;
}
