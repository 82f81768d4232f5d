// Start-up of the game against a bare Qt window, side by side under one X
// server: time from process start to the first painted window, and peak
// memory. Runs itself through xvfb-run when there is no display.
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "tela_x.h"

namespace {
struct TMedida {
  double ms;
  long kb;
};

long long Agora() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

bool Medir(const QString& programa, TMedida& m) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "xcb");
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(QCoreApplication::applicationDirPath());
  const long long inicio = Agora();
  p.start(programa, {});
  if (!p.waitForFinished(30000)) return false;
  const QList<QByteArray> campos = p.readAllStandardOutput().trimmed().split(' ');
  if (campos.size() != 2) return false;
  m.ms = (campos[0].toLongLong() - inicio) / 1e6;
  m.kb = campos[1].toLong();
  return true;
}

double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  bancada::GarantirTela(argc, argv);
  QCoreApplication app(argc, argv);
  const QString pasta = QCoreApplication::applicationDirPath();
  const int rodadas = 21;
  std::vector<double> tNua, tJogo, mNua, mJogo, tLento, mLento;
  // Interleaved, after one warm-up of each, so both see the same caches.
  for (int i = -1; i < rodadas; ++i) {
    TMedida nua{}, jogo{}, lento{};
    if (!Medir(pasta + "/janela_nua", nua) || !Medir(pasta + "/jogo_medido", jogo) ||
        !Medir(pasta + "/jogo_medido_lento", lento)) {
      std::fprintf(stderr, "a measured program did not report its first paint\n");
      return 1;
    }
    if (i < 0) continue;
    tNua.push_back(nua.ms);
    tJogo.push_back(jogo.ms);
    mNua.push_back(nua.kb);
    mJogo.push_back(jogo.kb);
    tLento.push_back(lento.ms);
    mLento.push_back(lento.kb);
  }
  const double tn = Mediana(tNua), tj = Mediana(tJogo), mn = Mediana(mNua), mj = Mediana(mJogo);
  std::printf("first painted window, median of %d runs under Xvfb\n", rodadas);
  std::printf("  bare window : %7.1f ms  %7.0f KiB peak\n", tn, mn);
  std::printf("  game window : %7.1f ms  %7.0f KiB peak\n", tj, mj);
  const double limite = 1.30;
  const bool passou = tj / tn <= limite && mj / mn <= limite;
  std::printf("  ratio       : %7.2f x   %7.2f x   (limit %.2f)  %s\n", tj / tn, mj / mn, limite,
              passou ? "PASS" : "FAIL");
  // Six metafile photos whose helper never finishes: the window comes all
  // the same, the photos loading behind it.
  const double tl = Mediana(tLento), ml = Mediana(mLento);
  const bool lentoPassou = tl / tj <= limite;
  std::printf("  game window, six slow metafile photos : %7.1f ms  %7.0f KiB peak\n", tl, ml);
  std::printf("  ratio to the game without photos     : %7.2f x  (limit %.2f)  %s\n", tl / tj, limite,
              lentoPassou ? "PASS" : "FAIL");
  return passou && lentoPassou ? 0 : 3;
}
