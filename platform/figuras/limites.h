#pragma once
// How big a picture may get, whatever its file says: a photo is shown at
// 89 x 89, and a damaged or hostile file must not take the memory.

#include <QSize>
#include <QString>
#include <QtGlobal>

#include "foto.h"

// A picture decoded at its own size (metafiles drawn by the helper, and
// what the helper hands back).
inline constexpr int kLadoMaximoFigura = 4096;
// 12 Mi pixels: the photos of common cameras (4032 x 3024) still fit.
inline constexpr qint64 kPixelsMaximosFigura = qint64(12) * 1024 * 1024;
// The largest picture file read at all into memory (metafiles).
inline constexpr qint64 kBytesMaximosArquivo = qint64(64) * 1024 * 1024;
// Qt's own guard while decoding, in MiB: the largest picture above in
// 32-bit pixels, with room to spare.
inline constexpr int kMegabytesAlocacao = 64;

// A photo (jpg, png, bmp, ico) is decoded straight to the size it is shown
// at, so it may be far larger: its bounds are the ones every edition shares.
using varzeno::jogo::kBytesMaximosFoto;
using varzeno::jogo::kLadoMaximoFoto;
using varzeno::jogo::kPixelsMaximosFoto;
// JPEG decodes already reduced and PNG row by row; bmp and ico decode
// whole before they are reduced: the largest photo in 32-bit pixels.
inline constexpr int kMegabytesAlocacaoFoto = 4 * int(kPixelsMaximosFoto / (1024 * 1024)) + 16;

inline bool CabeNoLimite(QSize s) {
  return s.width() > 0 && s.height() > 0 && s.width() <= kLadoMaximoFigura && s.height() <= kLadoMaximoFigura &&
         qint64(s.width()) * s.height() <= kPixelsMaximosFigura;
}

inline bool FotoCabeNoLimite(QSize s) {
  return s.width() > 0 && s.height() > 0 && varzeno::jogo::FotoDentroDoLimite(s.width(), s.height());
}

// The size of a picture of `s` reduced, proportions kept, to at most
// `lado` on its longest side; never enlarged.
inline QSize ReduzirAoLado(QSize s, int lado) {
  if (lado <= 0 || (s.width() <= lado && s.height() <= lado)) return s;
  const double escala = double(lado) / qMax(s.width(), s.height());
  return {qMax(1, qRound(s.width() * escala)), qMax(1, qRound(s.height() * escala))};
}

// The refusal of a photo beyond the limits, naming the file and the limits.
inline QString MensagemFotoGrande(const QString& caminho, QSize s) {
  return QString::fromStdString(varzeno::jogo::MensagemFotoGrande(caminho.toStdString(), s.width(), s.height()));
}

// The refusal of a photo file of too many bytes.
inline QString MensagemArquivoDeFotoGrande(const QString& caminho, qint64 bytes) {
  return QString::fromStdString(varzeno::jogo::MensagemArquivoDeFotoGrande(caminho.toStdString(), bytes));
}
