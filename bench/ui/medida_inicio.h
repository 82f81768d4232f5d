#pragma once
// Shared by the start-up benchmarks: runs a measured program (one that
// prints the monotonic clock and its peak memory at its first paint, see
// primeira_pintura.h) and turns its answer into a start-up time and peak.

#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <ctime>
#include <vector>

namespace bancada {

struct TMedida {
  double ms;
  long kb;
};

inline long long Agora() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Starts `programa` on the X server, at the device pixel ratio `escala`
// when given, and measures it from its start to its first paint.
inline bool Medir(const QString& programa, TMedida& m, const char* escala = nullptr) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "xcb");
  if (escala) env.insert("QT_SCALE_FACTOR", escala);
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

inline double Mediana(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// One program to measure, at a device pixel ratio when given.
struct TMedido {
  QString programa;
  const char* escala = nullptr;
};

// Each program measured `rodadas` times, interleaved after one warm-up of
// each so that all see the same caches: each one's median time and peak,
// in order. False when a program did not report its first paint.
inline bool MedirIntercalados(const std::vector<TMedido>& programas, int rodadas, std::vector<TMedida>& medianas) {
  std::vector<std::vector<double>> ms(programas.size()), kb(programas.size());
  for (int i = -1; i < rodadas; ++i)
    for (size_t k = 0; k < programas.size(); ++k) {
      TMedida m{};
      if (!Medir(programas[k].programa, m, programas[k].escala)) return false;
      if (i < 0) continue;
      ms[k].push_back(m.ms);
      kb[k].push_back(double(m.kb));
    }
  medianas.clear();
  for (size_t k = 0; k < programas.size(); ++k) medianas.push_back({Mediana(ms[k]), long(Mediana(kb[k]))});
  return true;
}

}  // namespace bancada
