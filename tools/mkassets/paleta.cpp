// Reduces the window background to 256 colours for its 8-bit BMP: a median-cut
// palette over the drawn colours, error diffusion for the gradients, and a few
// colours that the game reads back from the picture kept exact.
#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "arte.h"

namespace arte {
namespace {

struct Cor {
  QRgb rgb;
  int n;
};

struct Caixa {
  std::vector<Cor> cores;

  int canal(QRgb c, int k) const { return k == 0 ? qRed(c) : k == 1 ? qGreen(c) : qBlue(c); }
  int faixa(int k) const {
    int lo = 255, hi = 0;
    for (const Cor& c : cores) {
      lo = std::min(lo, canal(c.rgb, k));
      hi = std::max(hi, canal(c.rgb, k));
    }
    return hi - lo;
  }
  long long peso() const {
    long long s = 0;
    for (const Cor& c : cores) s += c.n;
    return s;
  }
  QRgb media() const {
    double r = 0, g = 0, b = 0, n = 0;
    for (const Cor& c : cores) {
      r += double(qRed(c.rgb)) * c.n;
      g += double(qGreen(c.rgb)) * c.n;
      b += double(qBlue(c.rgb)) * c.n;
      n += c.n;
    }
    return qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n)));
  }
};

std::vector<QRgb> cortarMediana(std::vector<Cor> cores, int quantas) {
  std::vector<QRgb> saida;
  if (int(cores.size()) <= quantas) {
    for (const Cor& c : cores) saida.push_back(c.rgb);
    return saida;
  }
  std::vector<Caixa> caixas{Caixa{std::move(cores)}};
  while (int(caixas.size()) < quantas) {
    // Split the box whose spread weighs most: busy colour ranges get
    // more entries than a few stray pixels.
    int melhor = -1;
    double nota = 0;
    for (int i = 0; i < int(caixas.size()); ++i) {
      if (caixas[i].cores.size() < 2) continue;
      const int f = std::max({caixas[i].faixa(0), caixas[i].faixa(1), caixas[i].faixa(2)});
      const double n = f * std::sqrt(double(caixas[i].peso()));
      if (n > nota) {
        nota = n;
        melhor = i;
      }
    }
    if (melhor < 0) break;
    Caixa& c = caixas[melhor];
    int k = 0;
    for (int j = 1; j < 3; ++j)
      if (c.faixa(j) > c.faixa(k)) k = j;
    std::sort(c.cores.begin(), c.cores.end(),
              [&](const Cor& a, const Cor& b) { return c.canal(a.rgb, k) < c.canal(b.rgb, k); });
    const long long metade = c.peso() / 2;
    long long acumulado = 0;
    size_t corte = 1;
    for (size_t i = 0; i + 1 < c.cores.size(); ++i) {
      acumulado += c.cores[i].n;
      corte = i + 1;
      if (acumulado >= metade) break;
    }
    Caixa nova{std::vector<Cor>(c.cores.begin() + long(corte), c.cores.end())};
    c.cores.resize(corte);
    caixas.push_back(std::move(nova));
  }
  for (const Caixa& c : caixas) saida.push_back(c.media());
  return saida;
}

double distancia(double r, double g, double b, QRgb c) {
  const double dr = r - qRed(c), dg = g - qGreen(c), db = b - qBlue(c);
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

}  // namespace

QImage indexar(const QImage& entrada, const std::vector<QRgb>& exatas, const Mascara& chave) {
  const QImage rgb = entrada.convertToFormat(QImage::Format_RGB32);
  const int w = rgb.width(), h = rgb.height();

  // Palette: the key first, then the exact colours, then the median cut of
  // everything else that was drawn.
  std::vector<QRgb> paleta{kMagenta};
  for (QRgb c : exatas)
    if (std::find(paleta.begin(), paleta.end(), c | 0xFF000000) == paleta.end()) paleta.push_back(c | 0xFF000000);
  QHash<QRgb, int> contagem;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!chave.dentro(x, y)) {
        const QRgb c = rgb.pixel(x, y) | 0xFF000000;
        if (std::find(paleta.begin(), paleta.end(), c) == paleta.end()) ++contagem[c];
      }
  std::vector<Cor> cores;
  for (auto it = contagem.cbegin(); it != contagem.cend(); ++it) cores.push_back({it.key(), it.value()});
  std::sort(cores.begin(), cores.end(), [](const Cor& a, const Cor& b) { return a.rgb < b.rgb; });
  for (QRgb c : cortarMediana(std::move(cores), 256 - int(paleta.size()))) {
    if (c == kMagenta) c = qRgb(0xFE, 0x00, 0xFF);  // never a second key colour
    paleta.push_back(c);
  }

  QImage saida(w, h, QImage::Format_Indexed8);
  saida.fill(0);  // also clears the row padding, which the BMP writer saves as it is
  QList<QRgb> tabela(paleta.begin(), paleta.end());
  saida.setColorTable(tabela);

  QHash<QRgb, int> exato;
  for (int i = int(paleta.size()) - 1; i >= 1; --i) exato.insert(paleta[size_t(i)], i);

  // Floyd-Steinberg, except that a pixel whose colour is in the palette is
  // written as it is and swallows no error, so flat panels stay flat.
  std::vector<std::array<double, 3>> erro(size_t(w + 2) * 2, {0, 0, 0});
  auto e = [&](int linha, int x) -> std::array<double, 3>& { return erro[size_t(linha & 1) * (w + 2) + x + 1]; };
  for (int y = 0; y < h; ++y) {
    for (int x = -1; x <= w; ++x) e(y + 1, x) = {0, 0, 0};
    uchar* linha = saida.scanLine(y);
    for (int x = 0; x < w; ++x) {
      if (chave.dentro(x, y)) {
        linha[x] = 0;
        continue;
      }
      const QRgb c = rgb.pixel(x, y) | 0xFF000000;
      if (auto it = exato.constFind(c); it != exato.cend()) {
        linha[x] = uchar(it.value());
        continue;
      }
      const auto& acc = e(y, x);
      const double r = std::clamp(qRed(c) + acc[0], 0.0, 255.0);
      const double g = std::clamp(qGreen(c) + acc[1], 0.0, 255.0);
      const double b = std::clamp(qBlue(c) + acc[2], 0.0, 255.0);
      int melhor = 1;
      double menor = std::numeric_limits<double>::max();
      for (int i = 1; i < int(paleta.size()); ++i) {
        const double d = distancia(r, g, b, paleta[size_t(i)]);
        if (d < menor) {
          menor = d;
          melhor = i;
        }
      }
      linha[x] = uchar(melhor);
      const QRgb p = paleta[size_t(melhor)];
      const std::array<double, 3> resto{r - qRed(p), g - qGreen(p), b - qBlue(p)};
      for (int k = 0; k < 3; ++k) {
        e(y, x + 1)[k] += resto[size_t(k)] * 7 / 16;
        e(y + 1, x - 1)[k] += resto[size_t(k)] * 3 / 16;
        e(y + 1, x)[k] += resto[size_t(k)] * 5 / 16;
        e(y + 1, x + 1)[k] += resto[size_t(k)] * 1 / 16;
      }
    }
  }
  return saida;
}

}  // namespace arte
