#include "Unit2.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

#include "acessivel.h"
#include "copia.h"
#include "erro.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "lugar.h"
#include "regiao.h"
#include "tela.h"

TformDialog* formDialog = nullptr;

namespace {
constexpr int kAlturaBotao = varzeno::jogo::Lugar("btn").h;

bool TeclaDeOk(int tecla) {
  return tecla == Qt::Key_Return || tecla == Qt::Key_Enter || tecla == Qt::Key_Space || tecla == Qt::Key_Escape;
}
}  // namespace

TformDialog::TformDialog(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  InstalarFabrica();  // Qt may ask for the dialog's interface from its title on
  setObjectName("formDialog");
  setWindowTitle(QStringLiteral("Varzeno"));
  // A fixed size: no manager offers to maximise or resize it.
  setFixedSize(Geometria("formDialog").size());
  // Its place is given over the window where the window first appears.
  move(Geometria("Form1").topLeft() + Geometria("formDialog").topLeft());
  CaberNaTela(*this);

  imp = new TImagem(this, "imp");
  imp->setGeometry(rect());
  imp->SetPicture(FiguraEmbutida(QStringLiteral("dlgImp.bmp")));

  lblMensagem = new QLabel(this);
  lblMensagem->setObjectName("lblMensagem");
  lblMensagem->setGeometry(Geometria("lblMensagem"));
  lblMensagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblMensagem->setWordWrap(true);
  QFont fonte(QStringLiteral("Arial"));
  fonte.setPixelSize(LugarDe("lblMensagem").fonte);
  fonte.setBold(true);
  lblMensagem->setFont(fonte);
  lblMensagem->setStyleSheet(QStringLiteral("color: #00FF00; background: transparent;"));

  btn = new TImagem(this, "btn");
  btn->setGeometry(Geometria("btn"));
  btn->setCursor(Qt::DragMoveCursor);

  // The button's looks, outside the shaped window: never seen.
  img1 = new TImagem(this, "img1");
  img1->setGeometry(24, 160, 75, 52);
  img1->SetPicture(FiguraEmbutida(QStringLiteral("img1.png")));
  img1->hide();

  connect(btn, &TImagem::Premida, this, [this] { btnMouseDown(); });
  connect(btn, &TImagem::Solta, this, [this] { btnMouseUp(); });
  connect(imp, &TImagem::MouseDown, this, [this](TImagem*, Qt::MouseButton, int x, int y) { impMouseDown(x, y); });
  connect(imp, &TImagem::MouseMove, this, [this](TImagem*, int x, int y) { impMouseMove(x, y); });
  connect(imp, &TImagem::MouseUp, this, [this] { impMouseUp(); });

  if (!formDialog) formDialog = this;
  DescreverDialogo(this);
}

TformDialog::~TformDialog() {
  if (formDialog == this) formDialog = nullptr;
}

void TformDialog::Mostrar(const QString& texto) {
  lblMensagem->setText(texto);
  ModelarJanela();
  show();
  raise();
  activateWindow();
}

void TformDialog::ModelarJanela() { ::ModelarJanela(*this, imp->Picture()); }

bool TformDialog::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && img1) Proteger([this] { FormActivate(); });
  // A new message (not the window coming back from being minimised with
  // the main window) waits for its Ok.
  if (e->type() == QEvent::Show && !e->spontaneous()) aberto_ = true;
  return QWidget::event(e);
}

// Row 0 of img1 is the pressed look, row kAlturaBotao the normal one.
void TformDialog::MostrarAparencia(int linha) {
  CopiarRetangulo(btn->Picture(), {0, 0}, img1->Picture(), QRect(0, linha, btn->width(), btn->height()));
}

void TformDialog::FormActivate() {
  MostrarAparencia(kAlturaBotao);
  btn->update();
}

void TformDialog::btnMouseDown() {
  MostrarAparencia(0);
  btn->repaint();
}

void TformDialog::btnMouseUp() { Ok(); }

void TformDialog::Ok() {
  if (!aberto_) return;
  aberto_ = false;
  teclaOk_ = 0;
  MostrarAparencia(kAlturaBotao);
  btn->repaint();
  hide();
  // Whoever waits for the player (the chart, the set-up screens) goes on.
  emit Escondido();
}

// The window manager's close (its button, Alt+F4, a pager): the same as Ok.
// Ignored as a close, so it never counts as the program's last window.
void TformDialog::closeEvent(QCloseEvent* e) {
  e->ignore();
  Ok();
}

// Hidden from code is Ok as well. A spontaneous hide is the window being
// minimised with the main window: the message is still up.
void TformDialog::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (!e->spontaneous()) Ok();
}

// Enter, Space and Escape press the Ok button: its pressed look while held,
// Ok on release. Only a press made on the dialog counts, so the release of a
// key that was pressed in the main window does not close a new message.
void TformDialog::keyPressEvent(QKeyEvent* e) {
  if (!TeclaDeOk(e->key())) return QWidget::keyPressEvent(e);
  if (!e->isAutoRepeat() && aberto_) {
    teclaOk_ = e->key();
    btn->Premir();
  }
  e->accept();
}

void TformDialog::keyReleaseEvent(QKeyEvent* e) {
  if (!TeclaDeOk(e->key())) return QWidget::keyReleaseEvent(e);
  if (!e->isAutoRepeat() && e->key() == teclaOk_) btn->Soltar();
  e->accept();
}

void TformDialog::impMouseDown(int X, int Y) {
  PontoX = X;
  PontoY = Y;
  Arrastando = true;
}

void TformDialog::impMouseMove(int X, int Y) {
  if (!Arrastando) return;
  // The anchor stays: the picture follows the pointer back under it.
  if (X != PontoX) move(x() + (X - PontoX), y());
  if (Y != PontoY) move(x(), y() + (Y - PontoY));
}

void TformDialog::impMouseUp() { Arrastando = false; }
