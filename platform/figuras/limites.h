#pragma once
// How big a picture may get, whatever its file says: a photo is shown at
// 89 x 89, and a damaged or hostile file must not take the memory.

#include <QSize>
#include <QtGlobal>

inline constexpr int kLadoMaximoFigura = 4096;
// 12 Mi pixels: the photos of common cameras (4032 x 3024) still fit.
inline constexpr qint64 kPixelsMaximosFigura = qint64(12) * 1024 * 1024;
// The largest picture file read at all.
inline constexpr qint64 kBytesMaximosArquivo = qint64(64) * 1024 * 1024;
// Qt's own guard while decoding, in MiB: the largest picture above in
// 32-bit pixels, with room to spare.
inline constexpr int kMegabytesAlocacao = 64;

inline bool CabeNoLimite(QSize s) {
  return s.width() > 0 && s.height() > 0 && s.width() <= kLadoMaximoFigura && s.height() <= kLadoMaximoFigura &&
         qint64(s.width()) * s.height() <= kPixelsMaximosFigura;
}
