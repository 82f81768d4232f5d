#pragma once
// A plain pixel copy of a rectangle from one picture into another, the way
// every pressed, normal and ticked look is put on a clickable picture; and
// the pictures' doubles, the same looks drawn at twice the size for screens
// of a higher device pixel ratio, which every such copy carries along.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>

// Copies `origem` inside `retangulo` onto `destino` at `ponto`, replacing the
// pixels (no blending). Parts outside either picture are left out. On a
// screen of a ratio above 1 the same block of `origem`'s double goes onto
// `destino`'s double, so the copied look stays sharp there.
void CopiarRetangulo(QImage& destino, QPoint ponto, const QImage& origem, const QRect& retangulo);

// The double of `figura`: twice its size, device pixel ratio 2; a null
// picture when it has none. A double belongs to one state of the pixels
// (QImage::cacheKey): every copy that shares them finds it, and drawing on
// the picture leaves it without one until it is given a new one.
QImage VarianteDupla(const QImage& figura);

// Gives the current pixels of `figura` a double that `fonte` makes the first
// time one is wanted, so that a screen of ratio 1 never makes it. For the
// game's own pictures, which live as long as the program.
void DarVarianteDupla(const QImage& figura, std::function<QImage()> fonte);

// Gives the picture held in `dona` (a picture box's own) its double; the
// double it had before is dropped. `dupla` must be twice its size.
void DarVarianteDupla(QImage& dona, const QImage& dupla);

// Drops the double given to the picture held in `dona`, which goes away.
void EsquecerVarianteDupla(const QImage& dona);

// After `dona` has become the block `retangulo` of `origem`: gives it the
// same block of `origem`'s double, on a screen of a ratio above 1.
void DuplicarRecorte(QImage& dona, const QImage& origem, const QRect& retangulo);

// The highest device pixel ratio of the screens; 1 with no application.
qreal RazaoDasTelas();
