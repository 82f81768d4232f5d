#include "figuras_embutidas.h"

#include "copia.h"
#include "figuras_compiladas.h"

namespace {

int Indice(const QString& nome) {
  for (int i = 0; i < kNumFigurasCompiladas; ++i)
    if (nome == QLatin1String(kFigurasCompiladas[i].nome)) return i;
  return -1;
}

// The pixels stay where the program keeps them: no copy, no decoding.
QImage Figura(int i) {
  const TFiguraCompilada& f = kFigurasCompiladas[i];
  QImage figura(f.pixels, f.largura, f.altura, f.bytesPorLinha, f.formato);
  if (f.numCores > 0) figura.setColorTable(QList<QRgb>(f.cores, f.cores + f.numCores));
  return figura;
}

}  // namespace

QImage FiguraEmbutida(const QString& nome) {
  const int i = Indice(nome);
  if (i < 0) return {};
  QImage figura = Figura(i);
  if (nome.contains(QLatin1String("@2x."))) {
    figura.setDevicePixelRatio(2);
  } else {
    // The double is looked up only when a screen of a higher ratio asks.
    DarVarianteDupla(figura, [nome] { return FiguraEmbutida(NomeDaDupla(nome)); });
  }
  return figura;
}

QString NomeDaDupla(const QString& nome) {
  const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
  return ponto < 0 ? nome + QLatin1String("@2x") : nome.left(ponto) + QLatin1String("@2x") + nome.mid(ponto);
}
