#pragma once
// What the screen shows of a picture, measured: shared by the checks at
// several device pixel ratios.

#include <QImage>
#include <QWidget>
#include <cstdlib>

// The widget as the screen shows it, at the screen's pixels.
inline QImage NaTela(QWidget* w) {
  QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
  img.setDevicePixelRatio(1);
  return img;
}

inline QImage Rgb32(const QImage& figura) {
  QImage img = figura.convertToFormat(QImage::Format_RGB32);
  img.setDevicePixelRatio(1);
  return img;
}

// Share of the 2x2 blocks (on the even grid) that are not of one colour. A
// picture of half the resolution doubled pixel for pixel has none.
inline double BlocosComDetalhe(const QImage& figura, const QRect& area = {}) {
  const QImage img = Rgb32(figura);
  const QRect r = area.isNull() ? img.rect() : area;
  int comDetalhe = 0, total = 0;
  for (int y = r.top() & ~1; y + 1 <= r.bottom() && y + 1 < img.height(); y += 2)
    for (int x = r.left() & ~1; x + 1 <= r.right() && x + 1 < img.width(); x += 2) {
      const QRgb c = img.pixel(x, y);
      comDetalhe += img.pixel(x + 1, y) != c || img.pixel(x, y + 1) != c || img.pixel(x + 1, y + 1) != c;
      ++total;
    }
  return total ? double(comDetalhe) / total : 0;
}

// Mean difference per channel of two pictures of one size.
inline double Diferenca(const QImage& a, const QImage& b) {
  const QImage x = Rgb32(a), y = Rgb32(b);
  if (x.size() != y.size()) return 255;
  double soma = 0;
  for (int j = 0; j < x.height(); ++j)
    for (int i = 0; i < x.width(); ++i) {
      const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
      soma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return soma / (3.0 * x.width() * x.height());
}
