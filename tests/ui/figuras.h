#pragma once
// Pictures made in code for the window tests, in the artwork's sizes.

#include <QImage>

inline constexpr QRgb kMagenta = 0xFFFF00FF;

// The main background: slate with the right-hand cut-aways, 8-bit palette.
inline QImage FundoPrincipal() {
  QImage img(650, 198, QImage::Format_RGB32);
  img.fill(qRgb(0x64, 0x71, 0x7E));
  for (int y = 0; y < 21; ++y)
    for (int x = 618 + y; x < 650; ++x) img.setPixel(x, y, kMagenta);
  for (int y : {0, 1, 2, 3, 193, 194, 195, 196})
    for (int x = 484; x < 500; ++x) img.setPixel(x, y, kMagenta);
  for (int y = 193; y < 197; ++y)
    for (int x = 624 - (y - 193); x < 650; ++x) img.setPixel(x, y, kMagenta);
  for (int x = 483; x < 650; ++x) img.setPixel(x, 197, kMagenta);
  img.setPixel(508, 142, qRgb(0x7E, 0xB1, 0xA2));
  return img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
}

// The dialog panel: a rounded grey panel with magenta corners.
inline QImage FundoDialogo() {
  QImage img(270, 120, QImage::Format_RGB32);
  img.fill(kMagenta);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 270; ++x) {
      const int cx = x < 12 ? 12 - x : (x > 257 ? x - 257 : 0);
      const int cy = y < 12 ? 12 - y : (y > 107 ? y - 107 : 0);
      if (cx * cx + cy * cy <= 144) img.setPixel(x, y, qRgb(0x5A, 0x66, 0x72));
    }
  return img;
}

// The Ok button's looks: rows 0..25 pressed (dark), 26..51 normal (light).
inline QImage LooksDoOk() {
  QImage img(75, 52, QImage::Format_RGB32);
  for (int y = 0; y < 52; ++y)
    for (int x = 0; x < 75; ++x) img.setPixel(x, y, y < 26 ? qRgb(20, 40 + x, y) : qRgb(200, 100 + x, y));
  return img;
}

inline QImage Liso(int w, int h, QRgb cor) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(cor);
  return img;
}
