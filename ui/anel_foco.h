#pragma once
// The keyboard focus made visible: a thin ring in the game's yellow around
// the control that has the focus. It is a sibling of that control, raised
// above it, so it scrolls and hides with it; it takes no mouse and no focus.

#include <QPointer>
#include <QWidget>

class TAnelFoco : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLargura = 2;
  static constexpr QRgb kCor = 0xFFFFFF00;  // the game's yellow

  explicit TAnelFoco(QWidget* janela);

  // Rings `alvo`; nullptr takes the ring away.
  void Seguir(QWidget* alvo);
  QWidget* Alvo() const { return alvo_; }

 protected:
  bool eventFilter(QObject* objeto, QEvent* e) override;
  void paintEvent(QPaintEvent*) override;

 private:
  void Posicionar();

  QWidget* janela_ = nullptr;
  QPointer<QWidget> alvo_;
};
