#include "imagem.h"

#include <QMouseEvent>
#include <QPainter>

#include "copia.h"
#include "erro.h"

TImagem::TImagem(QWidget* parent, const QString& nome) : QWidget(parent) { setObjectName(nome); }

QImage& TImagem::Picture() {
  if (picture_.isNull() && width() > 0 && height() > 0) {
    picture_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    picture_.fill(Qt::white);
  }
  return picture_;
}

void TImagem::SetPicture(const QImage& picture) {
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

void TImagem::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  QImage img = picture_;
  if (transparent_) {
    // The key colour becomes fully transparent, as the picture's own mask.
    const QRgb chave = picture_.pixel(0, picture_.height() - 1);
    img = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
      QRgb* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x)
        if (linha[x] == chave) linha[x] = 0;
    }
  }
  if (stretch_)
    p.drawImage(rect(), img);
  else
    p.drawImage(0, 0, img);
}

// Handlers run protected: an error ends the handler and shows the error box
// without unwinding through Qt's own event code.
void TImagem::mousePressEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseDown(this, e->button(), pt.x(), pt.y()); });
}

void TImagem::mouseMoveEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseMove(this, pt.x(), pt.y()); });
}

void TImagem::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint pt = e->position().toPoint();
  Proteger([&] { emit MouseUp(this, e->button(), pt.x(), pt.y()); });
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
