#include "updown.h"

#include <QToolButton>
#include <algorithm>

#include "erro.h"

TUpDown::TUpDown(QWidget* parent, const QString& nome, int minimo, int maximo, int posicao)
    : QWidget(parent), minimo_(minimo), maximo_(maximo), posicao_(std::clamp(posicao, minimo, maximo)) {
  setObjectName(nome);
  acima_ = new QToolButton(this);
  acima_->setArrowType(Qt::UpArrow);
  abaixo_ = new QToolButton(this);
  abaixo_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {acima_, abaixo_}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(false);
    b->setIconSize(QSize(6, 6));
  }
  connect(acima_, &QToolButton::clicked, this, [this] { Passo(+1); });
  connect(abaixo_, &QToolButton::clicked, this, [this] { Passo(-1); });
}

void TUpDown::SetPosition(int p) { posicao_ = std::clamp(p, minimo_, maximo_); }

void TUpDown::Passo(int delta) {
  SetPosition(posicao_ + delta);
  Proteger([this] { emit Click(); });
}

void TUpDown::resizeEvent(QResizeEvent*) {
  if (!acima_ || !abaixo_) return;  // a Qt that resizes before the arrows are made
  const int metade = height() / 2;
  acima_->setGeometry(0, 0, width(), metade);
  abaixo_->setGeometry(0, metade, width(), height() - metade);
}
