#pragma once
// A plain pixel copy of a rectangle from one picture into another, the way
// every pressed, normal and ticked look is put on a clickable picture.

#include <QImage>
#include <QPoint>
#include <QRect>

// Copies `origem` inside `retangulo` onto `destino` at `ponto`, replacing the
// pixels (no blending). Parts outside either picture are left out.
void CopiarRetangulo(QImage& destino, QPoint ponto, const QImage& origem, const QRect& retangulo);
