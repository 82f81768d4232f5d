#pragma once
// Windows kept on the screen: a designed position that would put part of a
// window off the screen's available area gives way by the least amount.

#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QWidget>
#include <algorithm>

// Where a window of `tamanho` meant for `desejada` goes to lie inside
// `area`: unchanged when it fits, else moved by the least amount. The right
// and bottom edges are fitted first, so that a window larger than the area
// still shows its top left corner.
inline QPoint PosicaoQueCabe(QPoint desejada, QSize tamanho, const QRect& area) {
  const int x = std::max(area.left(), std::min(desejada.x(), area.right() + 1 - tamanho.width()));
  const int y = std::max(area.top(), std::min(desejada.y(), area.bottom() + 1 - tamanho.height()));
  return {x, y};
}

// Moves the window so that it lies on the available area of the screen
// under its position (the primary screen when none is).
inline void CaberNaTela(QWidget& janela) {
  QScreen* tela = QGuiApplication::screenAt(janela.pos());
  if (!tela) tela = QGuiApplication::primaryScreen();
  if (!tela) return;
  const QPoint lugar = PosicaoQueCabe(janela.pos(), janela.size(), tela->availableGeometry());
  if (lugar != janela.pos()) janela.move(lugar);
}
