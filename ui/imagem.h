#pragma once
// A picture box: shows a picture and hands its mouse events, with the
// pressed button and the position in its own pixels, to the handlers
// connected to it. Every mouse button acts. A picture that is a button is
// pressed through Premir and Soltar, by the mouse, a key or a screen reader
// alike.

#include <QImage>
#include <QWidget>

class TImagem : public QWidget {
  Q_OBJECT
 public:
  explicit TImagem(QWidget* parent, const QString& nome = {});
  ~TImagem() override;

  // The picture to draw on, at the box's own size in pixels. An empty box
  // gets a blank picture of its own size first, as a canvas does. On a
  // screen of a ratio above 1 the box shows the picture's double instead
  // (VarianteDupla, copia.h), when it has one.
  QImage& Picture();
  const QImage& Picture() const { return picture_; }
  void SetPicture(const QImage& picture);

  // The colour of the picture's bottom-left pixel is not painted.
  void SetTransparent(bool t);
  // The picture fills the box, proportions not kept.
  void SetStretch(bool s);

  // The picture as a button: Premir shows it held (Premida), Soltar acts
  // (Solta). The mouse's press and release over it come here too, after
  // MouseDown and MouseUp; a key or a screen reader calls these alone, so
  // the handlers that drag by the mouse's position never see them.
  void Premir();
  void Soltar();

 signals:
  void MouseDown(TImagem* sender, Qt::MouseButton botao, int x, int y);
  void MouseMove(TImagem* sender, int x, int y);
  void MouseUp(TImagem* sender, Qt::MouseButton botao, int x, int y);
  void DblClick(TImagem* sender);
  void Premida(TImagem* sender);
  void Solta(TImagem* sender);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  QImage picture_;
  bool transparent_ = false;
  bool stretch_ = false;
};

// Gives `destino` the look of `origem`: a plain copy of its whole picture.
void CopiarAparencia(TImagem& destino, const TImagem& origem);

// Gives `destino` the block `retangulo` of `origem`'s picture as its whole
// picture, with the same block of its double.
void MostrarRecorte(TImagem& destino, const TImagem& origem, const QRect& retangulo);
