#pragma once
// The message dialog: one small borderless window, always on top, that shows
// one message over its background until the player closes it: its Ok button,
// Enter, Space or Escape, or the window manager's close.

#include <QWidget>

class QLabel;
class TImagem;

class TformDialog : public QWidget {
  Q_OBJECT
 public:
  // With the main window as `parent` the dialog stays with it (transient
  // for it: minimised with it, no taskbar entry of its own).
  explicit TformDialog(QWidget* parent = nullptr);
  ~TformDialog() override;

  // Shows the message and returns at once; a message already on screen is
  // replaced, never stacked.
  void Mostrar(const QString& texto);
  void ModelarJanela();
  // Closes the message as its Ok button does: normal look, hidden,
  // Escondido. However the dialog goes away it comes through here, and acts
  // once per message shown; hidden already, it does nothing.
  void Ok();

  void FormActivate();
  void btnMouseDown();
  void btnMouseUp();
  void impMouseDown(int X, int Y);
  void impMouseMove(int X, int Y);
  void impMouseUp();

  TImagem* imp = nullptr;
  QLabel* lblMensagem = nullptr;
  TImagem* btn = nullptr;
  TImagem* img1 = nullptr;

  bool Arrastando = false;
  int PontoX = 0;
  int PontoY = 0;

 signals:
  // The player closed the message.
  void Escondido();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;

 private:
  void MostrarAparencia(int linha);

  bool aberto_ = false;  // a message is up and its Ok has not come yet
  int teclaOk_ = 0;      // the key pressed on the dialog, acting on release
};

// The single dialog of the program.
extern TformDialog* formDialog;
