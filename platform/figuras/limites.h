#pragma once
// How big a picture may get, whatever its file says: a photo is shown at
// 89 x 89, and a damaged or hostile file must not take the memory.

#include <QLocale>
#include <QSize>
#include <QString>
#include <QtGlobal>

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
// at, so it may be far larger: up to 64 Mi pixels (about 67 megapixels,
// past any phone or camera of today), each side up to 65,535.
inline constexpr qint64 kPixelsMaximosFoto = qint64(64) * 1024 * 1024;
inline constexpr int kLadoMaximoFoto = 65535;
// Photo files are read as they decode, never whole into memory.
inline constexpr qint64 kBytesMaximosFoto = qint64(512) * 1024 * 1024;
// JPEG decodes already reduced and PNG row by row; bmp and ico decode
// whole before they are reduced: the largest photo in 32-bit pixels.
inline constexpr int kMegabytesAlocacaoFoto = 4 * int(kPixelsMaximosFoto / (1024 * 1024)) + 16;

inline bool CabeNoLimite(QSize s) {
  return s.width() > 0 && s.height() > 0 && s.width() <= kLadoMaximoFigura && s.height() <= kLadoMaximoFigura &&
         qint64(s.width()) * s.height() <= kPixelsMaximosFigura;
}

inline bool FotoCabeNoLimite(QSize s) {
  return s.width() > 0 && s.height() > 0 && s.width() <= kLadoMaximoFoto && s.height() <= kLadoMaximoFoto &&
         qint64(s.width()) * s.height() <= kPixelsMaximosFoto;
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
  const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
  return QStringLiteral(
             "A figura \"%1\" é grande demais (%2 x %3 pixels): o jogo abre fotos de até %4 pixels "
             "(cerca de %5 megapixels), com até %6 pixels de cada lado")
      .arg(caminho)
      .arg(s.width())
      .arg(s.height())
      .arg(brasil.toString(kPixelsMaximosFoto), brasil.toString(kPixelsMaximosFoto / 1000000),
           brasil.toString(kLadoMaximoFoto));
}
