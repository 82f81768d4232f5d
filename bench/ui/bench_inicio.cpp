// Start-up of the game against a bare Qt window, side by side under one X
// server: time from process start to the first painted window, and peak
// memory. Runs itself through xvfb-run when there is no display.
#include <QCoreApplication>
#include <cstdio>
#include <vector>

#include "medida_inicio.h"
#include "tela_x.h"

using bancada::TMedida;

int main(int argc, char** argv) {
  bancada::GarantirTela(argc, argv);
  QCoreApplication app(argc, argv);
  const QString pasta = QCoreApplication::applicationDirPath();
  const int rodadas = 21;
  std::vector<TMedida> m;
  if (!bancada::MedirIntercalados(
          {{pasta + "/janela_nua"}, {pasta + "/jogo_medido"}, {pasta + "/jogo_medido_lento"}}, rodadas, m)) {
    std::fprintf(stderr, "a measured program did not report its first paint\n");
    return 1;
  }
  const double tn = m[0].ms, tj = m[1].ms, mn = m[0].kb, mj = m[1].kb;
  std::printf("first painted window, median of %d runs under Xvfb\n", rodadas);
  std::printf("  bare window : %7.1f ms  %7.0f KiB peak\n", tn, mn);
  std::printf("  game window : %7.1f ms  %7.0f KiB peak\n", tj, mj);
  const double limite = 1.30;
  const bool passou = tj / tn <= limite && mj / mn <= limite;
  std::printf("  ratio       : %7.2f x   %7.2f x   (limit %.2f)  %s\n", tj / tn, mj / mn, limite,
              passou ? "PASS" : "FAIL");
  // Six metafile photos whose helper never finishes: the window comes all
  // the same, the photos loading behind it.
  const double tl = m[2].ms, ml = m[2].kb;
  const bool lentoPassou = tl / tj <= limite;
  std::printf("  game window, six slow metafile photos : %7.1f ms  %7.0f KiB peak\n", tl, ml);
  std::printf("  ratio to the game without photos     : %7.2f x  (limit %.2f)  %s\n", tl / tj, limite,
              lentoPassou ? "PASS" : "FAIL");
  return passou && lentoPassou ? 0 : 3;
}
