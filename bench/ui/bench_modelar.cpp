// The outline of the game's background, as every activation builds it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "figuras_embutidas.h"
#include "regiao.h"

namespace {
QImage Fundo() { return FiguraEmbutida(QStringLiteral("Imp.bmp")); }

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
  if (Fundo().isNull()) {
    std::fprintf(stderr, "the background picture is not in the game\n");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
