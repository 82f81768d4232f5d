#pragma once
// The main window: a borderless window cut from its background picture,
// dragged by that picture, holding the game state and the page container.

#include <QList>
#include <QWidget>
#include <functional>

#include "partida.h"

class QFileDialog;
class QLabel;
class TImagem;
class TMediaPlayer;
class TNotebook;
class TSomWave;

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The game: the engine of the current game, the week's options and the
  // first round's record for the chart.
  varzeno::TPartida Partida;

  // Frame (Unit1_shell.cpp).
  TImagem* Imp;
  TImagem* Fim;
  TImagem* Image9;
  // Pages (Unit1_pages.cpp): "Default", "Extra", "regras", "Candidatos",
  // "adversarios", "Grafico".
  TNotebook* Abook;
  TImagem* Image1;  // title banner of page "Default"
  TImagem* Fim1;    // picture store, page "Extra"
  TImagem* Fim2;
  // The statistics labels of the status panel take the background colour
  // at every activation.
  QList<QLabel*> RotulosDoPainel;

  // Sound and music (Unit1_som.cpp).
  TMediaPlayer* MPlayer;
  QFileDialog* OpenMp3 = nullptr;  // made on first use: DialogoDeMusica()
  QString PastaDaMusica;            // its start folder
  QFileDialog* DialogoDeMusica();
  TSomWave* Som;

  bool Arrastando = false;
  int PontoX = 0;
  int PontoY = 0;

  void FormCreate();
  void FormActivate();
  void FormDestroy();
  void ModelarJanela();

  void ImpMouseDown(TImagem* Sender, int X, int Y);
  void ImpMouseMove(int X, int Y);
  void ImpMouseUp(TImagem* Sender);
  void FimMouseDown();
  void FimMouseUp();
  void Image9MouseUp();

  void TocarSom(const QString& nome);
  void PararSom();

  // Ends the program; asked for during a wait, it takes effect once the
  // waiting handler has returned.
  void Encerrar();
  // Keep the window live, processing its events, while `enquanto` holds or
  // for a pause.
  void Esperar(const std::function<bool()>& enquanto);
  void Pausar(int ms);
  bool SaidaPedida() const { return saidaPedida_; }

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void MontarMoldura();
  void MontarPaginas();
  void MontarSom();
  void PintarRotulos(const QColor& cor);

  int esperas_ = 0;
  bool saidaPedida_ = false;
  bool saindo_ = false;
  QString pastaAntesDaMusica_;
};

// The game's main window while it exists.
extern TForm1* Form1;

// Wave sounds of the game, silent once the player's music has started.
void TocarSom(const QString& nome);
void PararSom();
