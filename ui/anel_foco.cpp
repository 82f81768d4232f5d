#include "anel_foco.h"

#include <QEvent>
#include <QPainter>

TAnelFoco::TAnelFoco(QWidget* janela) : QWidget(janela), janela_(janela) {
  setObjectName("AnelFoco");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  // Not a control: screen readers leave it out.
  setProperty("varzenoAcessivelFora", true);
  hide();
}

void TAnelFoco::Seguir(QWidget* alvo) {
  if (alvo == alvo_) {
    Posicionar();
    return;
  }
  if (alvo_) alvo_->removeEventFilter(this);
  alvo_ = alvo;
  if (alvo_) alvo_->installEventFilter(this);
  Posicionar();
}

// Around the control, just outside it; where that would leave its parent
// (a banner that fills its page) the ring comes inside.
void TAnelFoco::Posicionar() {
  QWidget* pai = alvo_ ? alvo_->parentWidget() : nullptr;
  if (!pai || alvo_->isHidden()) {
    hide();
    return;
  }
  if (parentWidget() != pai) setParent(pai);
  const int d = kLargura;
  const QRect r = alvo_->geometry().adjusted(-d, -d, d, d) & pai->rect();
  setGeometry(r);
  // Only the ring belongs to this widget: the control inside stays its own.
  setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(d, d, -d, -d))));
  raise();
  show();
  update();
}

bool TAnelFoco::eventFilter(QObject* objeto, QEvent* e) {
  if (objeto == alvo_) {
    switch (e->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::ParentChange:
        Posicionar();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(objeto, e);
}

void TAnelFoco::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor::fromRgb(kCor));
}
