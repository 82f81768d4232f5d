// The outline of the game's background, as every activation builds it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "figuras_embutidas.h"
#include "regiao.h"

namespace {
QImage Fundo() {
  QImage img = FiguraEmbutida(QStringLiteral("Imp.bmp"));
  if (img.isNull()) {  // a build without the artwork: a picture of the same kind
    img = QImage(650, 198, QImage::Format_RGB32);
    img.fill(qRgb(0x64, 0x71, 0x7E));
    for (int y = 0; y < 21; ++y)
      for (int x = 618 + y; x < 650; ++x) img.setPixel(x, y, qRgb(255, 0, 255));
    img = img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
  }
  return img;
}

void BM_RegiaoOpaca(benchmark::State& s) {
  const QImage img = Fundo();
  for (auto _ : s) benchmark::DoNotOptimize(RegiaoOpaca(img));
}
BENCHMARK(BM_RegiaoOpaca)->Unit(benchmark::kMicrosecond);

void BM_ModelarJanela(benchmark::State& s) {
  const QImage img = Fundo();
  QWidget w(nullptr, Qt::FramelessWindowHint);
  w.show();
  for (auto _ : s) {
    w.clearMask();
    ModelarJanela(w, img);
  }
}
BENCHMARK(BM_ModelarJanela)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
