#include "figuras_embutidas.h"

#include "figuras_compiladas.h"

QImage FiguraEmbutida(const QString& nome) {
  for (int i = 0; i < kNumFigurasCompiladas; ++i) {
    const TFiguraCompilada& f = kFigurasCompiladas[i];
    if (nome != QLatin1String(f.nome)) continue;
    QImage figura(f.pixels, f.largura, f.altura, f.bytesPorLinha, f.formato);
    if (f.numCores > 0) figura.setColorTable(QList<QRgb>(f.cores, f.cores + f.numCores));
    return figura;
  }
  return {};
}
