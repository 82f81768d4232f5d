#include "regiao.h"

#include <QWidget>
#include <vector>

namespace {

constexpr QRgb kMagenta = 0xFF00FF;

// One row's mask as bytes (1 = opaque), read straight from the scan line.
void MascaraDaLinha(const QImage& img, const std::vector<bool>& opacaNaPaleta, int y,
                    std::vector<unsigned char>& linha) {
  const int w = img.width();
  if (img.format() == QImage::Format_Indexed8) {
    const uchar* s = img.constScanLine(y);
    for (int x = 0; x < w; ++x) linha[x] = opacaNaPaleta[s[x]];
  } else {
    const QRgb* s = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) linha[x] = (s[x] & 0xFFFFFF) != kMagenta;
  }
}

}  // namespace

QRegion RegiaoOpaca(const QImage& fundo) {
  if (fundo.isNull()) return {};
  // Palette pictures are read by index; anything else as 32-bit RGB.
  QImage img = fundo;
  std::vector<bool> opacaNaPaleta;
  if (img.format() == QImage::Format_Indexed8) {
    const QList<QRgb> tabela = img.colorTable();
    opacaNaPaleta.assign(256, true);
    for (int i = 0; i < tabela.size(); ++i) opacaNaPaleta[i] = (tabela[i] & 0xFFFFFF) != kMagenta;
  } else if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32) {
    img = img.convertToFormat(QImage::Format_ARGB32);
  }

  const int w = img.width(), h = img.height();
  std::vector<unsigned char> linha(w);
  // Rows with the same runs as the row above extend its band, which keeps
  // the rectangles in the banded, merged form that QRegion itself produces.
  std::vector<QRect> rects;
  std::vector<std::pair<int, int>> runs, runsAnteriores;
  int inicioDaFaixa = 0;
  auto fecharFaixa = [&](int fimY) {
    for (auto [x0, x1] : runsAnteriores) rects.emplace_back(x0, inicioDaFaixa, x1 - x0, fimY - inicioDaFaixa);
  };
  for (int y = 0; y < h; ++y) {
    MascaraDaLinha(img, opacaNaPaleta, y, linha);
    runs.clear();
    for (int x = 0; x < w;) {
      int e = x + 1;
      while (e < w && linha[e] == linha[x]) ++e;
      if (linha[x]) runs.emplace_back(x, e);
      x = e;
    }
    if (y == 0 || runs != runsAnteriores) {
      if (y > 0) fecharFaixa(y);
      runsAnteriores.swap(runs);
      inicioDaFaixa = y;
    }
  }
  if (h > 0) fecharFaixa(h);

  QRegion r;
  if (!rects.empty()) r.setRects(rects.data(), int(rects.size()));
  return r;
}

void ModelarJanela(QWidget& janela, const QImage& fundo) {
  const Qt::WindowFlags semBorda = Qt::FramelessWindowHint;
  if (!(janela.windowFlags() & semBorda)) janela.setWindowFlags(janela.windowFlags() | semBorda);
  // Height first, then width, as the picture gives them (device-independent
  // pixels, so the outline scales with the screen).
  janela.resize(janela.width(), fundo.height());
  janela.resize(fundo.width(), fundo.height());
  janela.setMask(RegiaoOpaca(fundo));
}
