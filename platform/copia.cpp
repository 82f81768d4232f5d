#include "copia.h"

#include <QPainter>

void CopiarRetangulo(QImage& destino, QPoint ponto, const QImage& origem, const QRect& retangulo) {
  if (destino.isNull() || origem.isNull()) return;
  // Palette pictures cannot be painted on; a 32-bit copy keeps every colour.
  if (destino.format() == QImage::Format_Indexed8 || destino.format() == QImage::Format_Mono ||
      destino.format() == QImage::Format_MonoLSB)
    destino = destino.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter p(&destino);
  p.setCompositionMode(QPainter::CompositionMode_Source);
  p.drawImage(ponto, origem, retangulo);
}
