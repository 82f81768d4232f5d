#include "Unit2.h"

#include <QEvent>
#include <QLabel>

#include "copia.h"
#include "erro.h"
#include "figuras_embutidas.h"
#include "imagem.h"
#include "regiao.h"

TformDialog* formDialog = nullptr;

namespace {
constexpr int kAlturaBotao = 26;
}

TformDialog::TformDialog(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("formDialog");
  setWindowTitle(QStringLiteral("Varzeno"));
  move(401, 173);
  resize(270, 120);

  imp = new TImagem(this, "imp");
  imp->setGeometry(0, 0, 270, 120);
  imp->SetPicture(FiguraEmbutida(QStringLiteral("dlgImp.bmp")));

  lblMensagem = new QLabel(this);
  lblMensagem->setObjectName("lblMensagem");
  lblMensagem->setGeometry(16, 16, 241, 57);
  lblMensagem->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  lblMensagem->setWordWrap(true);
  QFont fonte(QStringLiteral("Arial"));
  fonte.setPixelSize(15);
  fonte.setBold(true);
  lblMensagem->setFont(fonte);
  lblMensagem->setStyleSheet(QStringLiteral("color: #00FF00; background: transparent;"));

  btn = new TImagem(this, "btn");
  btn->setGeometry(98, 80, 75, kAlturaBotao);
  btn->setCursor(Qt::DragMoveCursor);

  // The button's looks, outside the shaped window: never seen.
  img1 = new TImagem(this, "img1");
  img1->setGeometry(24, 160, 75, 52);
  img1->SetPicture(FiguraEmbutida(QStringLiteral("img1.png")));
  img1->hide();

  connect(btn, &TImagem::MouseDown, this, [this] { btnMouseDown(); });
  connect(btn, &TImagem::MouseUp, this, [this] { btnMouseUp(); });
  connect(imp, &TImagem::MouseDown, this, [this](TImagem*, Qt::MouseButton, int x, int y) { impMouseDown(x, y); });
  connect(imp, &TImagem::MouseMove, this, [this](TImagem*, int x, int y) { impMouseMove(x, y); });
  connect(imp, &TImagem::MouseUp, this, [this] { impMouseUp(); });

  if (!formDialog) formDialog = this;
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
  if (e->type() == QEvent::WindowActivate) Proteger([this] { FormActivate(); });
  return QWidget::event(e);
}

void TformDialog::FormActivate() {
  CopiarRetangulo(btn->Picture(), {0, 0}, img1->Picture(), QRect(0, kAlturaBotao, btn->width(), btn->height()));
  btn->update();
}

void TformDialog::btnMouseDown() {
  CopiarRetangulo(btn->Picture(), {0, 0}, img1->Picture(), QRect(0, 0, btn->width(), btn->height()));
  btn->repaint();
}

void TformDialog::btnMouseUp() {
  CopiarRetangulo(btn->Picture(), {0, 0}, img1->Picture(), QRect(0, kAlturaBotao, btn->width(), btn->height()));
  btn->repaint();
  hide();
  emit Escondido();
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
