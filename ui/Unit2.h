#pragma once
// The message dialog: one small borderless window, always on top, that shows
// one message over its background until its Ok button is released.

#include <QWidget>

class QLabel;
class TImagem;

class TformDialog : public QWidget {
  Q_OBJECT
 public:
  explicit TformDialog(QWidget* parent = nullptr);
  ~TformDialog() override;

  // Shows the message and returns at once; a message already on screen is
  // replaced, never stacked.
  void Mostrar(const QString& texto);
  void ModelarJanela();

  void FormActivate();
  void btnMouseDown();
  void btnMouseUp();
  void impMouseDown(int X, int Y);
  void impMouseMove(int X, int Y);
  void impMouseUp();

  TImagem* imp;
  QLabel* lblMensagem;
  TImagem* btn;
  TImagem* img1;

  bool Arrastando = false;
  int PontoX = 0;
  int PontoY = 0;

 signals:
  // The player closed the message.
  void Escondido();

 protected:
  bool event(QEvent* e) override;
};

// The single dialog of the program.
extern TformDialog* formDialog;
