#include "imagem.h"

#include <QMouseEvent>
#include <QPainter>

#include "copia.h"
#include "erro.h"

TImagem::TImagem(QWidget* parent, const QString& nome) : QWidget(parent) { setObjectName(nome); }

TImagem::~TImagem() { EsquecerVarianteDupla(picture_); }

QImage& TImagem::Picture() {
  if (picture_.isNull() && width() > 0 && height() > 0) {
    picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::white);
  }
  return picture_;
}

void TImagem::SetPicture(const QImage& picture) {
  if (picture.cacheKey() != picture_.cacheKey()) EsquecerVarianteDupla(picture_);
  picture_ = picture;
  update();
}

void TImagem::SetTransparent(bool t) {
  transparent_ = t;
  update();
}

void TImagem::SetStretch(bool s) {
  stretch_ = s;
  update();
}

namespace {

// The key colour becomes fully transparent, as the picture's own mask.
QImage SemChave(const QImage& figura, QRgb chave) {
  QImage img = figura.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < img.height(); ++y) {
    QRgb* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if (linha[x] == chave) linha[x] = 0;
  }
  return img;
}

}  // namespace

void TImagem::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  const qreal razao = devicePixelRatioF();
  const QImage dupla = razao > 1 ? VarianteDupla(picture_) : QImage();
  const QRect alvo = stretch_ ? rect() : QRect(QPoint(0, 0), picture_.size());
  if (!dupla.isNull()) {
    // Twice the pixels: one to one at ratio 2, smoothly scaled at others.
    QImage img = transparent_ ? SemChave(dupla, picture_.pixel(0, picture_.height() - 1)) : dupla;
    p.setRenderHint(QPainter::SmoothPixmapTransform, razao != 2 || stretch_);
    p.drawImage(alvo, img, img.rect());
    return;
  }
  QImage img = picture_;
  if (transparent_) img = SemChave(picture_, picture_.pixel(0, picture_.height() - 1));
  if (stretch_) {
    // A picture larger than the box (a photo) shows all its pixels on a
    // screen of a higher ratio.
    if (razao > 1) p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), img);
  } else {
    p.drawImage(0, 0, img);
  }
}

// Handlers run protected: an error ends the handler and shows the error box
// without unwinding through Qt's own event code.
void TImagem::mousePressEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseDown(this, e->button(), pt.x(), pt.y()); });
  Premir();
}

void TImagem::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseMove(this, pt.x(), pt.y()); });
}

void TImagem::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseUp(this, e->button(), pt.x(), pt.y()); });
  Soltar();
}

void TImagem::Premir() {
  Proteger([this] { emit Premida(this); });
}

void TImagem::Soltar() {
  Proteger([this] { emit Solta(this); });
}

void TImagem::mouseDoubleClickEvent(QMouseEvent* e) {
  Proteger([&] { emit DblClick(this); });
  // A double click is also a press, as the platform reports it.
  mousePressEvent(e);
}

void CopiarAparencia(TImagem& destino, const TImagem& origem) {
  CopiarRetangulo(destino.Picture(), {0, 0}, origem.Picture(), origem.Picture().rect());
  destino.update();
}

void MostrarRecorte(TImagem& destino, const TImagem& origem, const QRect& retangulo) {
  destino.SetPicture(origem.Picture().copy(retangulo));
  DuplicarRecorte(destino.Picture(), origem.Picture(), retangulo);
}
