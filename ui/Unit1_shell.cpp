// The window's frame: its background, dragging, the close button and the
// end of the program.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include "Unit1.h"
#include "Unit2.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "lugar.h"
#include "notebook.h"

namespace {
// Closing the program closes the message on screen as its Ok does: a wait
// for the player (the set-up's, the chart's) then ends, and the program
// with it, at the latest once the chart is drawn.
void FecharMensagem() {
  if (formDialog && formDialog->isVisible()) formDialog->Ok();
}
}  // namespace

void TForm1::MontarMoldura() {
  Imp = new TImagem(this, "Imp");
  Imp->setGeometry(Geometria("Imp"));
  Imp->SetPicture(FiguraEmbutida(QStringLiteral("Imp.bmp")));

  Fim = new TImagem(this, "Fim");
  Fim->setGeometry(Geometria("Fim"));
  Fim->setCursor(Qt::DragMoveCursor);

  Image9 = new TImagem(this, "Image9");
  Image9->setGeometry(Geometria("Image9"));
  Image9->SetPicture(FiguraEmbutida(QStringLiteral("Image9.png")));
  Image9->SetTransparent(true);
  Image9->setCursor(Qt::DragMoveCursor);

  connect(Imp, &TImagem::MouseDown, this, [this](TImagem* s, Qt::MouseButton, int x, int y) { ImpMouseDown(s, x, y); });
  connect(Imp, &TImagem::MouseMove, this, [this](TImagem*, int x, int y) { ImpMouseMove(x, y); });
  connect(Imp, &TImagem::MouseUp, this, [this](TImagem* s) { ImpMouseUp(s); });
  connect(Fim, &TImagem::Premida, this, [this] { FimMouseDown(); });
  connect(Fim, &TImagem::Solta, this, [this] { FimMouseUp(); });
  connect(Image9, &TImagem::Solta, this, [this] { Image9MouseUp(); });
}

void TForm1::ImpMouseDown(TImagem*, int X, int Y) {
  PontoX = X;
  PontoY = Y;
  Arrastando = true;
}

void TForm1::ImpMouseMove(int X, int Y) {
  if (!Arrastando) return;
  // The picture moves with the window, so the anchor point stays put.
  if (X != PontoX) move(x() + (X - PontoX), y());
  if (Y != PontoY) move(x(), y() + (Y - PontoY));
}

void TForm1::ImpMouseUp(TImagem* Sender) {
  Arrastando = false;
  if (Sender == Image1) Abook->SetActivePage(QStringLiteral("regras"));
}

void TForm1::FimMouseDown() {
  CopiarAparencia(*Fim, *Fim2);
  Fim->repaint();
}

void TForm1::FimMouseUp() {
  CopiarAparencia(*Fim, *Fim1);
  Fim->repaint();
  Encerrar();
  FecharMensagem();
}

void TForm1::Encerrar() {
  saidaPedida_ = true;
  if (esperas_ > 0) return;  // Esperar ends the program once the wait is over
  saindo_ = true;
  QCoreApplication::exit(0);
}

void TForm1::Esperar(const std::function<bool()>& enquanto) {
  ReterSaida();
  // What ends a wait arrives as an event (a click, a timer), so sleep until
  // one comes; the watch wakes the loop for waits on the clock.
  QTimer vigia;
  vigia.start(10);
  while (enquanto()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  LiberarSaida();
}

void TForm1::ReterSaida() { ++esperas_; }

void TForm1::LiberarSaida() {
  --esperas_;
  // A close asked for meanwhile: after the waiting handler has returned.
  if (saidaPedida_ && esperas_ == 0) QTimer::singleShot(0, this, [this] { Encerrar(); });
}

void TForm1::closeEvent(QCloseEvent* e) {
  if (saindo_) {
    e->accept();
    return;
  }
  e->ignore();
  Encerrar();
  FecharMensagem();
}
