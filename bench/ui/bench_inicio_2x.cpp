// Start-up on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2, as a 4K
// laptop at 200 %): time from process start to the first painted window,
// game against a bare Qt window at the same ratio, and the game's peak
// memory against its own at ratio 1. Runs itself under xvfb-run with a
// screen large enough for the doubled window when there is no display.
#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include "medida_inicio.h"
#include "tela_x.h"

using bancada::TMedida;

int main(int argc, char** argv) {
  // A screen large enough for the doubled window.
  bancada::GarantirTela(argc, argv, "-screen 0 2048x1536x24");
  QCoreApplication app(argc, argv);
  const QString pasta = QCoreApplication::applicationDirPath();
  const int rodadas = 21;
  std::vector<TMedida> m;
  if (!bancada::MedirIntercalados(
          {{pasta + "/janela_nua", "2"}, {pasta + "/jogo_medido", "2"}, {pasta + "/jogo_medido", "1"}}, rodadas, m)) {
    std::fprintf(stderr, "a measured program did not report its first paint\n");
    return 1;
  }
  const double tn = m[0].ms, tj = m[1].ms, mn = m[0].kb, mj = m[1].kb, mj1 = m[2].kb;
  std::printf("first painted window at device pixel ratio 2, median of %d runs under Xvfb\n", rodadas);
  std::printf("  bare window, ratio 2 : %7.1f ms  %7.0f KiB peak\n", tn, mn);
  std::printf("  game window, ratio 2 : %7.1f ms  %7.0f KiB peak\n", tj, mj);
  std::printf("  game window, ratio 1 :             %7.0f KiB peak\n", mj1);
  const double limiteTempo = 1.40, limiteMemoria = 1.50;
  const bool tempo = tj / tn <= limiteTempo, memoria = mj / mj1 <= limiteMemoria;
  std::printf("  time, game / bare at ratio 2   : %5.2f x (limit %.2f)  %s\n", tj / tn, limiteTempo,
              tempo ? "PASS" : "FAIL");
  std::printf("  memory, game at ratio 2 / at 1 : %5.2f x (limit %.2f)  %s\n", mj / mj1, limiteMemoria,
              memoria ? "PASS" : "FAIL");
  return tempo && memoria ? 0 : 3;
}
